// The writer's bytes, its 16-bit counts, its failures, and reading its files back.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/chunk_builder.h"
#include "tests/threeds/read_chunks.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The texture the writer saves is the last material's.
MeshRecord texturedTriangle(const char* textureFileName)
{
    MeshRecord record;
    record.vertices = {{1.5f, -2.0f, 3.0f}, {4.0f, 5.25f, -6.0f}, {-7.0e-3f, 8.0f, 9.0e6f}};
    record.faces = {{0, 1, 2}};
    record.texCoords = {{0.25f, 0.5f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    record.materialCount = 2;
    std::strcpy(record.materials[0].textureFileName, "not this one.bmp");
    std::strcpy(record.materials[1].textureFileName, textureFileName);
    return record;
}

Bytes writeRecord(const MeshRecord& record)
{
    g_meshRecords.assign(1, record);
    Chunk3dsFile file;
    EXPECT_TRUE(file.openForWriting("output.3ds"));
    EXPECT_EQ(file.Write(), 0);
    EXPECT_EQ(file.closeWriting(), SaveResult::Saved);
    return readFileBytes("output.3ds");
}

// The layout, chunk by chunk: one material, one object, the lists with the face material beside
// them, every count and index in 16 bits, the edge flags 0.
Bytes expectedFile(const MeshRecord& record, const std::string& texture)
{
    return mainFile(join({ChunkBuilder().chunk(0xAFFF, join({textChunk(0xA000, "material01"), textChunk(0xA300, texture)})).data(),
                          objectChunk("globalmesh", join({vertexListChunk(record.vertices), faceListChunk(record.faces, 0),
                                                          textChunk(0x4130, texture), texCoordListChunk(record.texCoords)}))}));
}

// Written, the file reads back with every list; its face material is the texture name, which
// is a material's name only when the texture is named like it.
TEST(Writer3ds, WritesTheChunkTreeByteForByteWithCountsInSixteenBitsAndReadsItBack)
{
    MeshRecord record = texturedTriangle("tex.bmp");
    const ReadOutcome back = readChunkFile(writeRecord(record));
    EXPECT_EQ(readFileBytes("output.3ds"), expectedFile(record, "tex.bmp"));
    EXPECT_EQ(verdict(back), "v3 f1 t3 i-1 [material01:tex.bmp]");
    EXPECT_EQ(0, std::memcmp(back.record.vertices.data(), record.vertices.data(), 3 * sizeof(Vertex3ds)));
    EXPECT_EQ(0, std::memcmp(back.record.texCoords.data(), record.texCoords.data(), 3 * sizeof(TexCoord3ds)));
    EXPECT_EQ(verdict(readChunkFile(writeRecord(texturedTriangle("material01")))), "v3 f1 t3 i0 tex [material01:material01]");
    record.materialCount = 0;
    EXPECT_EQ(writeRecord(record), expectedFile(record, "")) << "the texture chunks are written empty";

    record.vertices.assign(65538, Vertex3ds{0.5f, 0.5f, 0.5f});
    record.faces = {{65536, 65536, 65537}};
    record.texCoords.assign(65538, TexCoord3ds{0.75f, 0.25f});
    const Bytes written = writeRecord(record);
    EXPECT_EQ(written, expectedFile(record, ""));
    const ReadOutcome big = readChunkFile(written);
    EXPECT_EQ(verdict(big) + " c" + std::to_string(big.record.faces[0].c), "v2 f1 t2 i-1 [material01:Default name] c1");
}

// A file that cannot be started beside its path takes no bytes and says so when closed.
TEST(Writer3ds, SaveThatCannotStartWritesNothingAndSaysSo)
{
    Chunk3dsFile file;
    g_meshRecords.assign(1, MeshRecord{});
    clearRecordedErrorBoxes();
    EXPECT_FALSE(file.openForWriting("no such folder/out.3ds"));
    EXPECT_EQ(std::make_pair(file.Write(), file.closeWriting()), std::make_pair(0, SaveResult::CannotCreate));
    EXPECT_TRUE(recordedErrorBoxes().empty()) << "the caller tells the user";
}

}  // namespace
