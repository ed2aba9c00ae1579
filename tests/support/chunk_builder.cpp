#include "tests/support/chunk_builder.h"

namespace {

std::vector<uint8_t> wrap(uint16_t id, const ByteWriter& contents)
{
    return ChunkBuilder().chunk(id, contents.data()).data();
}

// A list chunk: its 16-bit count, then each item as `put` writes it.
template <class Item, class Put>
std::vector<uint8_t> listChunk(uint16_t id, const std::vector<Item>& items, Put put)
{
    ByteWriter list;
    list.u16(uint16_t(items.size()));
    for (const Item& item : items)
        put(list, item);
    return wrap(id, list);
}

} // namespace

std::vector<uint8_t> vertexListChunk(const std::vector<Vertex3ds>& vertices)
{
    return listChunk(0x4110, vertices, [](ByteWriter& b, const Vertex3ds& v) { b.f32(v.x).f32(v.y).f32(v.z); });
}

std::vector<uint8_t> faceListChunk(const std::vector<Face3ds>& faces, uint16_t flags)
{
    return listChunk(0x4120, faces, [flags](ByteWriter& b, const Face3ds& f) {
        b.u16(uint16_t(f.a)).u16(uint16_t(f.b)).u16(uint16_t(f.c)).u16(flags);
    });
}

std::vector<uint8_t> texCoordListChunk(const std::vector<TexCoord3ds>& texCoords)
{
    return listChunk(0x4140, texCoords, [](ByteWriter& b, const TexCoord3ds& t) { b.f32(t.u).f32(t.v); });
}

std::vector<uint8_t> textChunk(uint16_t id, const std::string& text) { return wrap(id, ByteWriter().text(text)); }

std::vector<uint8_t> objectChunk(const std::string& name, const std::vector<uint8_t>& meshChunks)
{
    return wrap(0x4000, ByteWriter().text(name).bytes(wrap(0x4100, ByteWriter().bytes(meshChunks))));
}

std::vector<uint8_t> mainFile(const std::vector<uint8_t>& editorChunks)
{
    return wrap(0x4D4D, ByteWriter().bytes(wrap(0x3D3D, ByteWriter().bytes(editorChunks))));
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts)
{
    ByteWriter all;
    for (const std::vector<uint8_t>& part : parts)
        all.bytes(part);
    return all.data();
}
