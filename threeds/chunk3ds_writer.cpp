// The writer: one material, one object, one triangle mesh, laid out exactly as the reader's
// handlers expect them (the face-material chunk beside the lists, not inside the face list).
#include <cstring>

#include "threeds/chunk3ds_file.h"
#include "threeds/chunk_ids.h"
#include "threeds/mesh_record.h"

using namespace chunk3ds;

namespace {

const char* const kWrittenMaterialName = "material01";
const char* const kWrittenObjectName = "globalmesh";

// Chunks are written with a zero length and closed once their end is known.
long beginChunk(Chunk3dsFile& file, uint16_t id)
{
    const long start = file.writePosition();
    file.write16(id);
    file.write32(0);
    return start;
}

void closeChunk(Chunk3dsFile& file, long start)
{
    const long end = file.writePosition();
    file.setWritePosition(start + 2, SEEK_SET);
    file.write32(uint32_t(end - start));
    file.setWritePosition(end, SEEK_SET);
}

void writeText(Chunk3dsFile& file, const char* text, size_t maxLength)
{
    const size_t length = strnlen(text, maxLength);
    for (size_t i = 0; i < length; ++i)
        file.writeByte(uint8_t(text[i]));
    file.writeByte(0);
}

void writeMaterial(Chunk3dsFile& file, const char* textureFileName)
{
    const long block = beginChunk(file, kMaterialBlock);
    const long name = beginChunk(file, kMaterialName);
    writeText(file, kWrittenMaterialName, std::strlen(kWrittenMaterialName));
    closeChunk(file, name);
    const long texture = beginChunk(file, kTextureFileName);
    writeText(file, textureFileName, kRecordTextLength);
    closeChunk(file, texture);
    closeChunk(file, block);
}

void writeLists(Chunk3dsFile& file, const MeshRecord& record, const char* textureFileName)
{
    const long vertices = beginChunk(file, kVertexList);
    file.write16(uint16_t(record.vertexCount()));
    file.writeBlock(record.vertices.data(), record.vertices.size() * sizeof(Vertex3ds));
    closeChunk(file, vertices);

    const long faces = beginChunk(file, kFaceList);
    file.write16(uint16_t(record.faceCount()));
    for (const Face3ds& face : record.faces) {
        file.write16(uint16_t(face.a));
        file.write16(uint16_t(face.b));
        file.write16(uint16_t(face.c));
        file.write16(0);
    }
    closeChunk(file, faces);

    const long faceMaterial = beginChunk(file, kFaceMaterial);
    writeText(file, textureFileName, kRecordTextLength);
    closeChunk(file, faceMaterial);

    const long texCoords = beginChunk(file, kTexCoordList);
    file.write16(uint16_t(record.texCoordCount()));
    file.writeBlock(record.texCoords.data(), record.texCoords.size() * sizeof(TexCoord3ds));
    closeChunk(file, texCoords);
}

}  // namespace

int Chunk3dsFile::Write()
{
    if (g_meshRecords.empty())
        return 0;
    const MeshRecord& record = g_meshRecords.front();
    const char* textureFileName = lastTextureFileName(record);
    setWritePosition(0, SEEK_SET);
    const long main = beginChunk(*this, kMain);
    const long editor = beginChunk(*this, kEditor);
    writeMaterial(*this, textureFileName);
    const long object = beginChunk(*this, kObject);
    writeText(*this, kWrittenObjectName, std::strlen(kWrittenObjectName));
    const long mesh = beginChunk(*this, kTriangleMesh);
    writeLists(*this, record, textureFileName);
    closeChunk(*this, mesh);
    closeChunk(*this, object);
    closeChunk(*this, editor);
    closeChunk(*this, main);
    return 0;
}
