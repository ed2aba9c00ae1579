// The writer's bytes, its 16-bit counts, its failures, and reading its files back.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/test_files.h"
#include "tests/support/chunk_builder.h"
#include "tests/threeds/error_box_watch.h"
#include "tests/threeds/test_chunks.h"

namespace {

MeshRecord texturedTriangle(const char* textureFileName)
{
    MeshRecord record;
    record.vertices = {{1.5f, -2.0f, 3.0f}, {4.0f, 5.25f, -6.0f}, {-7.0e-3f, 8.0f, 9.0e6f}};
    record.faces = {{0, 1, 2}};
    record.texCoords = {{0.25f, 0.5f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    record.materialCount = 1;
    std::strcpy(record.materials[0].textureFileName, textureFileName);
    return record;
}

std::vector<uint8_t> writeRecord(const MeshRecord& record)
{
    g_meshRecords.clear();
    g_meshRecords.push_back(record);
    Chunk3dsFile file;
    EXPECT_TRUE(file.openForWriting("output.3ds"));
    EXPECT_EQ(file.Write(), 0);
    file.closeWriting();
    g_meshRecords.clear();
    return readFileBytes("output.3ds");
}

// The layout, spelled out chunk by chunk.
std::vector<uint8_t> expectedFile(const MeshRecord& record, const std::string& texture)
{
    ChunkBuilder e;
    const size_t main = e.begin(0x4D4D);
    const size_t editor = e.begin(0x3D3D);
    const size_t material = e.begin(0xAFFF);
    const size_t name = e.begin(0xA000);
    e.text("material01");
    e.end(name);
    const size_t map = e.begin(0xA300);
    e.text(texture);
    e.end(map);
    e.end(material);
    const size_t object = e.begin(0x4000);
    e.text("globalmesh");
    const size_t mesh = e.begin(0x4100);
    const size_t vertices = e.begin(0x4110);
    e.u16(uint16_t(record.vertices.size()));
    for (const Vertex3ds& v : record.vertices)
        e.f32(v.x).f32(v.y).f32(v.z);
    e.end(vertices);
    const size_t faces = e.begin(0x4120);
    e.u16(uint16_t(record.faces.size()));
    for (const Face3ds& f : record.faces)
        e.u16(uint16_t(f.a)).u16(uint16_t(f.b)).u16(uint16_t(f.c)).u16(0);
    e.end(faces);
    const size_t faceMaterial = e.begin(0x4130);
    e.text(texture);
    e.end(faceMaterial);
    const size_t texCoords = e.begin(0x4140);
    e.u16(uint16_t(record.texCoords.size()));
    for (const TexCoord3ds& t : record.texCoords)
        e.f32(t.u).f32(t.v);
    e.end(texCoords);
    e.end(mesh);
    e.end(object);
    e.end(editor);
    e.end(main);
    return e.data();
}

uint32_t read32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           uint32_t(bytes[offset + 3]) << 24;
}

TEST(Writer3ds, WritesTheChunkTreeByteForByte)
{
    const MeshRecord record = texturedTriangle("tex.bmp");
    const std::vector<uint8_t> written = writeRecord(record);
    EXPECT_EQ(written, expectedFile(record, "tex.bmp"));
    // Sizes counted by hand: headers 11 x 6, names 11 + 8 + 11 + 8, counts 3 x 2, vertices 36,
    // one face 8, texture coordinates 24.
    ASSERT_EQ(written.size(), 178u);
    EXPECT_EQ(read32At(written, 2), 178u);
    EXPECT_EQ(written[0], 0x4D);
    EXPECT_EQ(written[6], 0x3D);
    EXPECT_EQ(written[12], 0xFF);
    EXPECT_EQ(written[13], 0xAF);
    EXPECT_EQ(read32At(written, 14), 37u);
}

TEST(Writer3ds, EmptyTextureNameStillWritesItsChunks)
{
    MeshRecord record = texturedTriangle("");
    EXPECT_EQ(writeRecord(record), expectedFile(record, ""));
    record.materialCount = 0;
    EXPECT_EQ(writeRecord(record), expectedFile(record, ""));
}

TEST(Writer3ds, CountsAbove65535AreWrittenAsTheirLow16Bits)
{
    MeshRecord record;
    record.vertices.assign(65538, Vertex3ds{0.5f, 0.5f, 0.5f});
    record.faces = {{65536, 65536, 65537}};
    record.texCoords.assign(65538, TexCoord3ds{0.75f, 0.25f});
    const std::vector<uint8_t> written = writeRecord(record);

    const size_t vertexList = 6 + 6 + 30 + 6 + 11 + 6;   // no texture name
    ASSERT_GT(written.size(), vertexList + 8);
    EXPECT_EQ(written[vertexList], 0x10);
    EXPECT_EQ(written[vertexList + 1], 0x41);
    EXPECT_EQ(read32At(written, vertexList + 2), 8u + 65538u * 12u);
    EXPECT_EQ(written[vertexList + 6], 2);
    EXPECT_EQ(written[vertexList + 7], 0);
    const size_t faceList = vertexList + 8 + 65538 * 12;
    EXPECT_EQ(written[faceList + 6], 1);
    EXPECT_EQ(written[faceList + 8], 0);    // a = 65536
    EXPECT_EQ(written[faceList + 12], 1);   // c = 65537
    EXPECT_EQ(written, expectedFile(record, ""));

    const ReadOutcome back = readChunkFile(written);
    EXPECT_EQ(back.result, 1);
    EXPECT_EQ(back.record.vertexCount(), 2u);
    EXPECT_EQ(back.record.texCoordCount(), 2u);
    ASSERT_EQ(back.record.faceCount(), 1u);
    EXPECT_EQ(back.record.faces[0].c, 1u);
}

TEST(Writer3ds, WrittenFileReadsBackWithEveryListAndTheMaterial)
{
    const MeshRecord record = texturedTriangle("tex.bmp");
    const ReadOutcome back = readChunkFile(writeRecord(record));
    EXPECT_EQ(back.result, 1);
    EXPECT_TRUE(back.boxes.empty());
    ASSERT_EQ(back.record.vertexCount(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.record.vertices[i].x, record.vertices[i].x);
        EXPECT_EQ(back.record.vertices[i].y, record.vertices[i].y);
        EXPECT_EQ(back.record.vertices[i].z, record.vertices[i].z);
        EXPECT_EQ(back.record.texCoords[i].u, record.texCoords[i].u);
        EXPECT_EQ(back.record.texCoords[i].v, record.texCoords[i].v);
    }
    ASSERT_EQ(back.record.faceCount(), 1u);
    EXPECT_EQ(back.record.faces[0].a, 0u);
    EXPECT_EQ(back.record.faces[0].b, 1u);
    EXPECT_EQ(back.record.faces[0].c, 2u);
    ASSERT_EQ(back.record.materialCount, 1u);
    EXPECT_STREQ(back.record.materials[0].name, "material01");
    EXPECT_STREQ(back.record.materials[0].textureFileName, "tex.bmp");
    // The face material is the texture name, which is no material's name.
    EXPECT_EQ(back.record.materialIndex, -1);
    EXPECT_FALSE(back.record.hasTexture);

    const ReadOutcome matched = readChunkFile(writeRecord(texturedTriangle("material01")));
    EXPECT_EQ(matched.record.materialIndex, 0);
    EXPECT_TRUE(matched.record.hasTexture);
}

TEST(Writer3ds, ReadingItsFileDumpsEveryIdScannedPastTheEnd)
{
    const std::string unknown = "UNKNOWN CHUNK";
    const ReadOutcome back = readChunkFile(writeRecord(texturedTriangle("tex.bmp")));
    // 0xA300 has no label; the face list reads the id after it; the object, whose name the
    // counter does not count, scans five ids past the end of the file.
    EXPECT_EQ(back.dump, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D",
        "EDIT_MATERIAL or EDIT_UNKNW14 0xAFFF", "MAT_NAME 0xA000", unknown,
        "EDIT_OBJECT 0x4000", "OBJ_TRIMESH 0x4100", "TRI_VERTEXL 0x4110", "TRI_FACEL1 0x4120",
        "OBJECT_MATERIAL 0x4130", "OBJECT_MATERIAL 0x4130", "OBJECT_UV 0x4140", unknown,
        unknown, unknown, unknown, unknown}));
}

TEST(Writer3ds, StreamsThatCannotOpenLeaveNoHandle)
{
    std::remove("missing.3ds");
    Chunk3dsFile file;
    EXPECT_FALSE(file.openForReading("missing.3ds"));
    EXPECT_EQ(file.fileHandle, nullptr);
    EXPECT_FALSE(file.openForWriting("no such folder/out.3ds"));
    EXPECT_EQ(file.closeWriting(), SaveResult::CannotCreate);
    EXPECT_TRUE(file.openForWriting("out.3ds"));
    EXPECT_EQ(file.closeWriting(), SaveResult::Saved);
    EXPECT_TRUE(file.openForReading("out.3ds"));
}

}  // namespace
