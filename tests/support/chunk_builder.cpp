#include "tests/support/chunk_builder.h"

size_t ChunkBuilder::begin(uint16_t id)
{
    const size_t offset = size();
    u16(id).u32(0);
    return offset;
}

void ChunkBuilder::end(size_t offset)
{
    patch32(offset + 2, uint32_t(size() - offset));
}

ChunkBuilder& ChunkBuilder::chunk(uint16_t id, const std::vector<uint8_t>& contents)
{
    u16(id).u32(uint32_t(contents.size() + 6)).bytes(contents);
    return *this;
}

std::vector<uint8_t> vertexListChunk(const std::vector<Vertex3ds>& vertices)
{
    ChunkBuilder b;
    const size_t chunk = b.begin(0x4110);
    b.u16(uint16_t(vertices.size()));
    for (const Vertex3ds& v : vertices)
        b.f32(v.x).f32(v.y).f32(v.z);
    b.end(chunk);
    return b.data();
}

std::vector<uint8_t> faceListChunk(const std::vector<Face3ds>& faces, uint16_t flags)
{
    ChunkBuilder b;
    const size_t chunk = b.begin(0x4120);
    b.u16(uint16_t(faces.size()));
    for (const Face3ds& f : faces)
        b.u16(uint16_t(f.a)).u16(uint16_t(f.b)).u16(uint16_t(f.c)).u16(flags);
    b.end(chunk);
    return b.data();
}

std::vector<uint8_t> texCoordListChunk(const std::vector<TexCoord3ds>& texCoords)
{
    ChunkBuilder b;
    const size_t chunk = b.begin(0x4140);
    b.u16(uint16_t(texCoords.size()));
    for (const TexCoord3ds& t : texCoords)
        b.f32(t.u).f32(t.v);
    b.end(chunk);
    return b.data();
}

std::vector<uint8_t> textChunk(uint16_t id, const std::string& text)
{
    ChunkBuilder b;
    const size_t chunk = b.begin(id);
    b.text(text);
    b.end(chunk);
    return b.data();
}

std::vector<uint8_t> objectChunk(const std::string& name, const std::vector<uint8_t>& meshChunks)
{
    ChunkBuilder b;
    const size_t object = b.begin(0x4000);
    b.text(name);
    const size_t mesh = b.begin(0x4100);
    b.bytes(meshChunks);
    b.end(mesh);
    b.end(object);
    return b.data();
}

std::vector<uint8_t> mainFile(const std::vector<uint8_t>& editorChunks)
{
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    const size_t editor = b.begin(0x3D3D);
    b.bytes(editorChunks);
    b.end(editor);
    b.end(main);
    return b.data();
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t>& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}
