// Damaged and hostile 3DS files: the reader must end, stay inside its buffers, report the
// damage through its result and tell the user.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/test_files.h"
#include "tests/support/chunk_builder.h"
#include "tests/threeds/error_box_watch.h"
#include "tests/threeds/test_chunks.h"

namespace {

const std::string kDamaged = "Error: 3DS file is damaged";
const std::string kBadIndex = "Error: 3DS face index past the vertex count";
const std::vector<Vertex3ds> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

// A file with a bit of everything the reader handles.
std::vector<uint8_t> goodFile()
{
    ChunkBuilder materials;
    const size_t block = materials.begin(0xAFFF);
    materials.bytes(textChunk(0xA000, "skin"));
    const size_t map = materials.begin(0xA200);
    materials.bytes(textChunk(0xA300, "skin.bmp"));
    materials.end(map);
    materials.end(block);
    ChunkBuilder viewport;
    viewport.chunk(0x7001, join({textChunk(0x7011, "vp"), textChunk(0x7012, "front")}));
    const std::vector<uint8_t> object = objectChunk("body",
        join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}), textChunk(0x4130, "skin"),
              texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})}));
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    b.chunk(0x3D3D, join({materials.data(), object}));
    b.chunk(0xB000, viewport.data());
    b.end(main);
    return b.data();
}

void expectDamaged(const ReadOutcome& out, const std::string& message = kDamaged)
{
    EXPECT_EQ(out.result, 0);
    EXPECT_EQ(out.boxes, std::vector<std::string>{message});
}

TEST(Reader3dsBadInput, GoodFileReadsWhole)
{
    const ReadOutcome out = readChunkFile(goodFile());
    EXPECT_EQ(out.result, 1);
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(out.record.vertexCount(), 3u);
    EXPECT_EQ(out.record.faceCount(), 1u);
    EXPECT_EQ(out.record.texCoordCount(), 3u);
    EXPECT_EQ(out.record.materialCount, 2u);
    EXPECT_EQ(out.record.materialIndex, 0);
}

TEST(Reader3dsBadInput, EveryTruncatedPrefixFailsCleanly)
{
    const std::vector<uint8_t> whole = goodFile();
    for (size_t length = 0; length < whole.size(); length += sweepStride()) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> prefix(whole.begin(), whole.begin() + long(length));
        const ReadOutcome out = readChunkFile(prefix);
        if (length < 2) {
            // Not even the first id: no 3DS file, nothing read.
            EXPECT_EQ(out.result, 1);
            EXPECT_TRUE(out.boxes.empty());
            EXPECT_EQ(out.record.vertexCount(), 0u);
        } else {
            expectDamaged(out);
        }
    }
}

// The main and editor chunks made to end with the cut, so that the cut is met deeper inside.
// A cut child is harmless only where the reader never reaches it: when its id is not whole,
// or when the counter stops the editor first (right after the material block, up to the two
// bytes its overcount covers).
TEST(Reader3dsBadInput, EveryCutInsideTheEditorFailsCleanly)
{
    const std::vector<uint8_t> whole = goodFile();
    const size_t editorEnd = 6 + (whole[8] | whole[9] << 8);
    const size_t materialEnd = 12 + (whole[14] | whole[15] << 8);
    std::vector<size_t> readWhole;
    std::vector<size_t> expectedWhole;
    for (size_t length = 12; length < editorEnd; length += sweepStride()) {
        SCOPED_TRACE(length);
        ChunkBuilder cut;
        cut.bytes(std::vector<uint8_t>(whole.begin(), whole.begin() + long(length)));
        cut.patch32(2, uint32_t(length));
        cut.patch32(8, uint32_t(length - 6));
        const ReadOutcome out = readChunkFile(cut.data());
        if (out.result == 1) {
            EXPECT_TRUE(out.boxes.empty());
            readWhole.push_back(length);
        } else {
            expectDamaged(out);
        }
        EXPECT_LE(out.record.materialCount, kMaxMaterials);
    }
    for (size_t length : {size_t(12), size_t(13), materialEnd, materialEnd + 1, materialEnd + 2}) {
        if ((length - 12) % sweepStride() == 0)
            expectedWhole.push_back(length);
    }
    EXPECT_EQ(readWhole, expectedWhole);
}

TEST(Reader3dsBadInput, ChunkShorterThanItsHeaderIsDamage)
{
    for (uint32_t length = 0; length < 6; ++length) {
        SCOPED_TRACE(length);
        ChunkBuilder shortList;
        shortList.u16(0x4110).u32(length);
        expectDamaged(readChunkFile(mainFile(objectChunk("t", shortList.data()))));

        ChunkBuilder shortEditor;
        shortEditor.u16(0x4D4D).u32(12).u16(0x3D3D).u32(length);
        expectDamaged(readChunkFile(shortEditor.data()));
    }
    ChunkBuilder headerOnly;
    headerOnly.u16(0x4160).u32(6);
    EXPECT_EQ(readChunkFile(mainFile(objectChunk("t", headerOnly.data()))).result, 1);
}

TEST(Reader3dsBadInput, ChunkReachingPastTheEndIsDamage)
{
    std::vector<uint8_t> bytes = mainFile(objectChunk("t", vertexListChunk(kTriangle)));
    ChunkBuilder patched;
    patched.bytes(bytes);
    const size_t vertexList = bytes.size() - vertexListChunk(kTriangle).size();
    patched.patch32(vertexList + 2, 0xFFFFFFF0u);
    expectDamaged(readChunkFile(patched.data()));
}

TEST(Reader3dsBadInput, ListLongerThanItsChunkIsDamage)
{
    for (uint16_t id : {uint16_t(0x4110), uint16_t(0x4120), uint16_t(0x4140)}) {
        SCOPED_TRACE(id);
        ChunkBuilder list;
        list.u16(id).u32(8 + 12).u16(0xFFFF).bytes(std::vector<uint8_t>(12, 0));
        expectDamaged(readChunkFile(mainFile(objectChunk("t", list.data()))));
    }
    ChunkBuilder noRoomForCount;
    noRoomForCount.u16(0x4110).u32(7).u8(0);
    expectDamaged(readChunkFile(mainFile(objectChunk("t", noRoomForCount.data()))));
}

TEST(Reader3dsBadInput, FaceIndexPastVertexCountIsRefused)
{
    for (const Face3ds face : {Face3ds{3, 0, 1}, Face3ds{0, 3, 1}, Face3ds{0, 1, 65535}}) {
        const ReadOutcome out = readChunkFile(mainFile(
            objectChunk("t", join({vertexListChunk(kTriangle), faceListChunk({face})}))));
        expectDamaged(out, kBadIndex);
    }
    // Faces refer to the last vertex list read, whichever object it came from.
    const ReadOutcome faces = readChunkFile(mainFile(join({
        objectChunk("a", faceListChunk({{0, 1, 2}})),
        objectChunk("b", vertexListChunk(kTriangle))})));
    EXPECT_EQ(faces.result, 1);
    EXPECT_EQ(faces.record.faceCount(), 1u);
}

TEST(Reader3dsBadInput, NamesWithoutTerminatorEndAtTheEndOfTheFile)
{
    // The file ends inside the texture name: the name stops there.
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    const size_t editor = b.begin(0x3D3D);
    const size_t block = b.begin(0xAFFF);
    const size_t name = b.begin(0xA000);
    b.bytes(std::vector<uint8_t>(300, 'n'));
    b.end(name);
    b.end(block);
    b.end(editor);
    b.end(main);
    const ReadOutcome out = readChunkFile(b.data());
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(out.record.materialCount, 1u);
    EXPECT_EQ(std::string(out.record.materials[0].name), std::string(99, 'n'));
}

TEST(Reader3dsBadInput, LongNamesAreCutToTheNameBuffer)
{
    ChunkBuilder block;
    const size_t material = block.begin(0xAFFF);
    block.bytes(textChunk(0xA000, std::string(500, 'm')));
    block.bytes(textChunk(0xA300, std::string(120, 't')));
    block.end(material);
    const ReadOutcome out = readChunkFile(mainFile(block.data()));
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(std::string(out.record.materials[0].name), std::string(99, 'm'));
    EXPECT_EQ(std::string(out.record.materials[0].textureFileName), std::string(99, 't'));
}

TEST(Reader3dsBadInput, LongChainOfUnknownIdsEnds)
{
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    const size_t editor = b.begin(0x3D3D);
    b.bytes(std::vector<uint8_t>(2000, 0x77));
    b.bytes(objectChunk("t", vertexListChunk(kTriangle)));
    b.end(editor);
    b.end(main);
    const ReadOutcome out = readChunkFile(b.data());
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.record.vertexCount(), 3u);
    EXPECT_GE(out.dump.size(), 1000u);
}

// Each object is 20 bytes long but its mesh claims the rest of the file, so every object
// would scan the whole remainder again: the reader gives up once it has read a few times the
// file's size.
TEST(Reader3dsBadInput, FileThatWouldBeReadOverAndOverIsGivenUp)
{
    const int objects = 120;
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    const size_t editor = b.begin(0x3D3D);
    const size_t total = 12 + size_t(objects) * 20;
    for (int i = 0; i < objects; ++i) {
        const size_t object = b.begin(0x4000);
        b.u8(0);
        const size_t mesh = b.size();
        b.u16(0x4100).u32(uint32_t(total - mesh));
        b.bytes(std::vector<uint8_t>(7, 0));
        b.end(object);
    }
    b.end(editor);
    b.end(main);
    ASSERT_EQ(b.size(), total);

    Chunk3dsFile file;
    const ReadOutcome out = readChunkFileWith(file, b.data());
    expectDamaged(out);
    EXPECT_LE(file.bytesRead(), 4 * total + 4096 + 64);
}

TEST(Reader3dsBadInput, MaterialsPastTheTenthArePassedOver)
{
    ChunkBuilder blocks;
    for (int i = 0; i < 12; ++i) {
        const size_t block = blocks.begin(0xAFFF);
        blocks.bytes(textChunk(0xA000, "m" + std::to_string(i)));
        blocks.end(block);
    }
    const ReadOutcome many = readChunkFile(mainFile(join({blocks.data(),
        objectChunk("t", vertexListChunk(kTriangle))})));
    EXPECT_EQ(many.result, 1);
    EXPECT_EQ(many.record.materialCount, 10u);
    EXPECT_STREQ(many.record.materials[9].name, "m9");
    EXPECT_EQ(many.record.vertexCount(), 3u);

    // Texture maps nested in texture maps, deeper than there is room for materials.
    ChunkBuilder nested;
    std::vector<size_t> open;
    for (int depth = 0; depth < 40; ++depth) {
        open.push_back(nested.begin(depth == 0 ? 0xAFFF : 0xA200));
        nested.bytes(textChunk(0xA300, "t" + std::to_string(depth)));
    }
    while (!open.empty()) {
        nested.end(open.back());
        open.pop_back();
    }
    const ReadOutcome deep = readChunkFile(mainFile(nested.data()));
    EXPECT_EQ(deep.result, 1);
    EXPECT_EQ(deep.record.materialCount, 10u);
    EXPECT_STREQ(deep.record.materials[9].textureFileName, "t9");
}

TEST(Reader3dsBadInput, CallerMistakesAreRefused)
{
    Chunk3dsFile file;
    g_meshRecords.clear();
    g_meshRecords.emplace_back();
    startWatchingErrorBoxes();
    EXPECT_EQ(file.Read(), 0);
    EXPECT_EQ(errorBoxesShown(),
              (std::vector<std::string>{"NULL Error:", "NULL Error:"}));
    g_meshRecords.clear();

    writeFile("input.3ds", mainFile({}));
    ASSERT_TRUE(file.openForReading("input.3ds"));
    EXPECT_EQ(file.Read(), 0);
    file.closeReading();
}

}  // namespace
