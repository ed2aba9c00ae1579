// How the scanning reader walks chunk files laid out byte by byte: which chunks it takes, which
// it crosses in two-byte steps, where its counters stop it, and what it reports to the dump.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/chunk_builder.h"
#include "tests/threeds/test_chunks.h"

namespace {

const std::vector<Vertex3ds> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const std::vector<Vertex3ds> kQuad = {{0, 0, 5}, {2, 0, 5}, {2, 2, 5}, {0, 2, 5}};
const std::string kUnknown = "UNKNOWN CHUNK";

std::vector<uint8_t> triangleObject(const std::string& name)
{
    return objectChunk(name, join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}})}));
}

TEST(Reader3dsScanning, FileNotStartingWithMainChunkLeavesRecordAsPrepared)
{
    MeshRecord prepared;
    prepared.vertices = {{7, 8, 9}};
    prepared.materialIndex = 4;
    prepared.materialCount = 3;
    ChunkBuilder editorFirst;
    editorFirst.chunk(0x3D3D, triangleObject("box"));

    for (const std::vector<uint8_t>& bytes : {editorFirst.data(), std::vector<uint8_t>{}}) {
        const ReadOutcome out = readChunkFile(bytes, prepared);
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(out.record.materialCount, 0u);
        ASSERT_EQ(out.record.vertexCount(), 1u);
        EXPECT_EQ(out.record.vertices[0].z, 9.0f);
        EXPECT_EQ(out.record.faceCount(), 0u);
        EXPECT_EQ(out.record.materialIndex, 4);
        EXPECT_EQ(out.dump.size(), 1u);
        EXPECT_TRUE(out.boxes.empty());
    }
    EXPECT_EQ(readChunkFile(editorFirst.data()).dump,
              std::vector<std::string>{"EDIT3DS 0x3D3D"});
    EXPECT_EQ(readChunkFile({}).dump, std::vector<std::string>{kUnknown});
}

TEST(Reader3dsScanning, LaterObjectReplacesEachListItHas)
{
    const std::vector<uint8_t> first = objectChunk("first",
        join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}),
              texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})}));
    const std::vector<uint8_t> second = objectChunk("second",
        join({vertexListChunk(kQuad), faceListChunk({{0, 1, 2}, {0, 2, 3}})}));

    const ReadOutcome out = readChunkFile(mainFile(join({first, second})));
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(out.record.vertexCount(), 4u);
    EXPECT_EQ(out.record.vertices[2].x, 2.0f);
    EXPECT_EQ(out.record.vertices[2].z, 5.0f);
    ASSERT_EQ(out.record.faceCount(), 2u);
    EXPECT_EQ(out.record.faces[1].c, 3u);
    // The second object has no texture coordinates, so those of the first stay.
    ASSERT_EQ(out.record.texCoordCount(), 3u);
    EXPECT_EQ(out.record.texCoords[2].v, 1.0f);
}

TEST(Reader3dsScanning, UnknownTenByteChunkIsCrossedInFiveSteps)
{
    ChunkBuilder unknown;
    unknown.chunk(0x1234, {0, 0, 0, 0});
    ASSERT_EQ(unknown.size(), 10u);

    const ReadOutcome out = readChunkFile(mainFile(join({unknown.data(), triangleObject("t")})));
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.record.vertexCount(), 3u);
    ASSERT_GE(out.dump.size(), 8u);
    const std::vector<std::string> start(out.dump.begin(), out.dump.begin() + 8);
    EXPECT_EQ(start, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D", kUnknown,
                                               kUnknown, kUnknown, kUnknown, kUnknown,
                                               "EDIT_OBJECT 0x4000"}));
}

TEST(Reader3dsScanning, AmbientColourSecondInMaterialEndsTheBlock)
{
    ChunkBuilder colour;
    colour.u16(0x0011).u32(9).u8(200).u8(10).u8(10);
    ChunkBuilder block;
    const size_t material = block.begin(0xAFFF);
    block.bytes(textChunk(0xA000, "red"));
    block.chunk(0xA010, colour.data());
    block.bytes(textChunk(0xA300, "red.bmp"));
    block.end(material);

    const ReadOutcome out = readChunkFile(mainFile(join({block.data(), triangleObject("t")})));
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(out.record.materialCount, 1u);
    EXPECT_STREQ(out.record.materials[0].name, "red");
    EXPECT_STREQ(out.record.materials[0].textureFileName, "");
    EXPECT_EQ(out.record.vertexCount(), 3u);
    EXPECT_EQ(out.dump, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D",
        "EDIT_MATERIAL or EDIT_UNKNW14 0xAFFF", "MAT_NAME 0xA000", "MAT_AMBIENT 0xA010",
        "EDIT_OBJECT 0x4000", "OBJ_TRIMESH 0x4100", "TRI_VERTEXL 0x4110", "TRI_FACEL1 0x4120",
        kUnknown}));
}

TEST(Reader3dsScanning, TextureMapAddsSecondMaterial)
{
    ChunkBuilder block;
    const size_t material = block.begin(0xAFFF);
    block.bytes(textChunk(0xA000, "skin"));
    block.chunk(0xA020, {0x11, 0x00, 0x09, 0x00, 0x00, 0x00, 1, 2, 3});
    const size_t map = block.begin(0xA200);
    block.bytes(textChunk(0xA300, "skin.bmp"));
    block.end(map);
    block.end(material);

    const ReadOutcome out = readChunkFile(mainFile(block.data()));
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(out.record.materialCount, 2u);
    EXPECT_STREQ(out.record.materials[0].name, "skin");
    EXPECT_STREQ(out.record.materials[0].textureFileName, "");
    EXPECT_STREQ(out.record.materials[1].name, "");
    EXPECT_STREQ(out.record.materials[1].textureFileName, "skin.bmp");
    EXPECT_STREQ(lastTextureFileName(out.record), "skin.bmp");
}

// An object whose name is followed by the byte 0x41 and a mesh length: with a 12-character
// name the name's zero is read as the low byte of the id 0x4100; with 11 characters it is not.
std::vector<uint8_t> objectWithNameZeroSharedWithMeshId(const std::string& name)
{
    ChunkBuilder b;
    const size_t object = b.begin(0x4000);
    b.text(name);
    const std::vector<uint8_t> vertices = vertexListChunk(kTriangle);
    b.u8(0x41).u32(uint32_t(6 + vertices.size())).bytes(vertices);
    b.end(object);
    return b.data();
}

TEST(Reader3dsScanning, ObjectNameOfElevenCharactersIsReadWhole)
{
    const ReadOutcome whole = readChunkFile(mainFile(triangleObject("abcdefghijk")));
    EXPECT_EQ(whole.result, 1);
    EXPECT_EQ(whole.record.vertexCount(), 3u);

    const ReadOutcome shifted =
        readChunkFile(mainFile(objectWithNameZeroSharedWithMeshId("abcdefghijk")));
    EXPECT_EQ(shifted.result, 1);
    EXPECT_EQ(shifted.record.vertexCount(), 0u);
}

TEST(Reader3dsScanning, ObjectNameOfTwelveCharactersLeavesItsZeroToTheNextId)
{
    const ReadOutcome out =
        readChunkFile(mainFile(objectWithNameZeroSharedWithMeshId("abcdefghijkl")));
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.record.vertexCount(), 3u);
    ASSERT_GE(out.dump.size(), 5u);
    EXPECT_EQ(out.dump[2], "EDIT_OBJECT 0x4000");
    EXPECT_EQ(out.dump[3], "OBJ_TRIMESH 0x4100");
    EXPECT_EQ(out.dump[4], "TRI_VERTEXL 0x4110");

    const ReadOutcome lost = readChunkFile(mainFile(triangleObject("abcdefghijkl")));
    EXPECT_EQ(lost.result, 1);
    EXPECT_EQ(lost.record.vertexCount(), 0u);
}

TEST(Reader3dsScanning, ContainerStopsAtItsDeclaredLength)
{
    // The mesh chunk declares only its vertex list; the face list after it, still inside the
    // object, is met by the object, which does not handle face lists.
    ChunkBuilder b;
    const size_t object = b.begin(0x4000);
    b.text("o");
    const size_t mesh = b.begin(0x4100);
    b.bytes(vertexListChunk(kTriangle));
    b.end(mesh);
    b.bytes(faceListChunk({{0, 1, 2}}));
    b.end(object);

    const ReadOutcome out = readChunkFile(mainFile(b.data()));
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.record.vertexCount(), 3u);
    EXPECT_EQ(out.record.faceCount(), 0u);
}

TEST(Reader3dsScanning, ShortLastChildAfterFourHandledChildrenIsNotRead)
{
    // Each handled child counts 2 more than it takes; after four of them the counter is 8
    // ahead, so an 8-byte last child lies beyond where the counter stops the mesh.
    ChunkBuilder fourth;
    fourth.chunk(0x4111, {});
    const std::vector<uint8_t> emptyFaceList = faceListChunk({});
    ASSERT_EQ(emptyFaceList.size(), 8u);
    const std::vector<uint8_t> handled = join({vertexListChunk(kTriangle),
        faceListChunk({{0, 1, 2}}), texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})});

    const ReadOutcome stopped = readChunkFile(
        mainFile(objectChunk("o", join({handled, fourth.data(), emptyFaceList}))));
    EXPECT_EQ(stopped.result, 1);
    EXPECT_EQ(stopped.record.faceCount(), 1u);

    const ReadOutcome reached =
        readChunkFile(mainFile(objectChunk("o", join({handled, emptyFaceList}))));
    EXPECT_EQ(reached.result, 1);
    EXPECT_EQ(reached.record.faceCount(), 0u);
}

struct PassOverCase {
    uint16_t container;   // 0x3D3D, 0x4000 or 0x4100: where the chunk stands
    uint16_t id;
    bool passedOver;
};

// A chunk with a decoy inside: a one-vertex object, mesh or vertex list, depending on the
// container. When the chunk is passed over the decoy is never seen; when it is scanned, the
// decoy is found and its single vertex replaces the triangle read before.
std::vector<uint8_t> fileWithDecoyAfterTriangle(const PassOverCase& c)
{
    const std::vector<uint8_t> oneVertex = vertexListChunk({{9, 9, 9}});
    ChunkBuilder decoy;
    if (c.container == 0x3D3D) {
        decoy.chunk(c.id, objectChunk("decoy", oneVertex));
        return mainFile(join({objectChunk("t", vertexListChunk(kTriangle)), decoy.data()}));
    }
    if (c.container == 0x4000) {
        ChunkBuilder mesh;
        mesh.chunk(0x4100, oneVertex);
        decoy.chunk(c.id, mesh.data());
        ChunkBuilder object;
        const size_t o = object.begin(0x4000);
        object.text("t");
        object.chunk(0x4100, join({vertexListChunk(kTriangle)}));
        object.bytes(decoy.data());
        object.end(o);
        return mainFile(object.data());
    }
    decoy.chunk(c.id, oneVertex);
    return mainFile(objectChunk("t", join({vertexListChunk(kTriangle), decoy.data()})));
}

TEST(Reader3dsScanning, PassedOverChunksHideTheirContentsAndOthersAreScanned)
{
    const PassOverCase cases[] = {
        {0x3D3D, 0x1100, true}, {0x3D3D, 0x1200, true}, {0x3D3D, 0x1201, true},
        {0x3D3D, 0x1300, true}, {0x3D3D, 0x1400, true}, {0x3D3D, 0x1420, true},
        {0x3D3D, 0x1450, true}, {0x3D3D, 0x1500, true}, {0x3D3D, 0x2100, true},
        {0x3D3D, 0x2200, true}, {0x3D3D, 0x2201, true}, {0x3D3D, 0x2210, true},
        {0x3D3D, 0x2300, true}, {0x3D3D, 0x2302, true}, {0x3D3D, 0x3000, true},
        {0x3D3D, 0x3E3D, false}, {0x3D3D, 0x0100, false}, {0x3D3D, 0x4111, false},
        {0x4000, 0x4010, true}, {0x4000, 0x4012, true}, {0x4000, 0x4600, true},
        {0x4000, 0x4700, true}, {0x4000, 0x4610, false}, {0x4000, 0x4160, false},
        {0x4100, 0x4111, true}, {0x4100, 0x4160, true}, {0x4100, 0x4165, true},
        {0x4100, 0x4150, false}, {0x4100, 0x4010, false},
    };
    for (const PassOverCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "chunk 0x" << c.id << " in 0x"
                                        << c.container);
        const ReadOutcome out = readChunkFile(fileWithDecoyAfterTriangle(c));
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(out.record.vertexCount(), c.passedOver ? 3u : 1u);
    }
}

struct FaceMaterialCase {
    const char* faceMaterial;
    int32_t index;
    bool hasTexture;
};

TEST(Reader3dsScanning, FaceMaterialPicksFirstExactlyMatchingMaterial)
{
    ChunkBuilder materials;
    const char* const names[][2] = {{"wood", "wood.bmp"}, {"Stone", ""}, {"glass", "g.bmp"},
                                    {"wood", ""}};
    for (const auto& name : names) {
        const size_t block = materials.begin(0xAFFF);
        materials.bytes(textChunk(0xA000, name[0]));
        if (name[1][0])
            materials.bytes(textChunk(0xA300, name[1]));
        materials.end(block);
    }
    const FaceMaterialCase cases[] = {
        {"glass", 2, true}, {"Stone", 1, false}, {"stone", -1, false},
        {"wood", 0, true}, {"", -1, false}, {"woo", -1, false},
    };
    for (const FaceMaterialCase& c : cases) {
        SCOPED_TRACE(c.faceMaterial);
        // The chunk's face count and face list after the name are skipped, so the
        // texture coordinates after it are still read.
        ChunkBuilder faceMaterial;
        const size_t chunk = faceMaterial.begin(0x4130);
        faceMaterial.text(c.faceMaterial).u16(1).u16(0);
        faceMaterial.end(chunk);
        MeshRecord prepared;
        prepared.materialIndex = 9;
        const ReadOutcome out = readChunkFile(mainFile(join({materials.data(),
            objectChunk("t", join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}),
                                   faceMaterial.data(), texCoordListChunk({{1, 1}})}))})),
            prepared);
        EXPECT_EQ(out.result, 1);
        EXPECT_EQ(out.record.materialCount, 4u);
        EXPECT_EQ(out.record.materialIndex, c.index);
        EXPECT_EQ(out.record.hasTexture, c.hasTexture);
        EXPECT_EQ(out.record.texCoordCount(), 1u);
    }
}

TEST(Reader3dsScanning, FaceMaterialWithoutMaterialsLeavesIndexAsItWas)
{
    MeshRecord prepared;
    prepared.materialIndex = 9;
    const ReadOutcome out = readChunkFile(
        mainFile(objectChunk("t", join({vertexListChunk(kTriangle),
                                        textChunk(0x4130, "wood")}))),
        prepared);
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.record.materialIndex, 9);
    EXPECT_FALSE(out.record.hasTexture);
}

TEST(Reader3dsScanning, EmptyMaterialNameIsStoredAsDefaultName)
{
    ChunkBuilder block;
    const size_t material = block.begin(0xAFFF);
    block.bytes(textChunk(0xA000, ""));
    block.end(material);
    const ReadOutcome out = readChunkFile(mainFile(join({block.data(),
        objectChunk("t", join({vertexListChunk(kTriangle), textChunk(0x4130, "Default name")}))})));
    EXPECT_EQ(out.result, 1);
    EXPECT_STREQ(out.record.materials[0].name, "Default name");
    EXPECT_EQ(out.record.materialIndex, 0);
}

TEST(Reader3dsScanning, ViewportsStopAfterTheFourthEntryForTheLifeOfTheFileObject)
{
    ChunkBuilder viewport;
    const size_t v = viewport.begin(0x7001);
    viewport.chunk(0x7011, {1, 2});
    for (int i = 0; i < 5; ++i)
        viewport.chunk(i % 2 ? 0x7020 : 0x7012, {0, 0, 0, 0});
    viewport.end(v);
    ChunkBuilder b;
    const size_t main = b.begin(0x4D4D);
    b.chunk(0x3D3D, viewport.data());
    const size_t keyframer = b.begin(0xB000);
    b.chunk(0xB002, {0x00, 0x70}).chunk(0xB008, {}).bytes(viewport.data());
    b.end(keyframer);
    b.end(main);

    Chunk3dsFile file;
    const ReadOutcome out = readChunkFileWith(file, b.data());
    EXPECT_EQ(out.result, 1);
    EXPECT_EQ(out.dump, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D",
        "EDIT_VIEW1 0x7001", "EDIT_VIEW_P2 0x7011", "EDIT_VIEW_P1 0x7012", "EDIT_VIEW_P3 0x7020",
        "EDIT_VIEW_P1 0x7012", "EDIT_VIEW_P3 0x7020", "KEYF3DS 0xB000", kUnknown, kUnknown,
        "EDIT_VIEW1 0x7001", "EDIT_VIEW_P2 0x7011"}));
    EXPECT_EQ(file.viewportEntryCount, 4);

    const ReadOutcome again = readChunkFileWith(file, b.data());
    EXPECT_EQ(again.dump, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D",
        "EDIT_VIEW1 0x7001", "EDIT_VIEW_P2 0x7011", "KEYF3DS 0xB000", kUnknown, kUnknown,
        "EDIT_VIEW1 0x7001", "EDIT_VIEW_P2 0x7011"}));
}

TEST(Reader3dsScanning, SmoothingGroupsAfterFacesAreReportedAndPassed)
{
    ChunkBuilder faces;
    const size_t f = faces.begin(0x4120);
    faces.u16(1).u16(0).u16(1).u16(2).u16(0);
    faces.chunk(0x4150, {1, 0, 0, 0});
    faces.bytes(textChunk(0x4130, "wood"));
    faces.end(f);
    const ReadOutcome out = readChunkFile(mainFile(
        objectChunk("t", join({vertexListChunk(kTriangle), faces.data(),
                               texCoordListChunk({{0.5f, 0.25f}})}))));
    EXPECT_EQ(out.result, 1);
    ASSERT_EQ(out.record.faceCount(), 1u);
    EXPECT_EQ(out.record.faces[0].c, 2u);
    ASSERT_EQ(out.record.texCoordCount(), 1u);
    EXPECT_EQ(out.record.texCoords[0].v, 0.25f);
    EXPECT_EQ(out.dump, (std::vector<std::string>{"MAIN3DS 0x4D4D", "EDIT3DS 0x3D3D",
        "EDIT_OBJECT 0x4000", "OBJ_TRIMESH 0x4100", "TRI_VERTEXL 0x4110", "TRI_FACEL1 0x4120",
        "TRI_SMOOTH 0x4150", "OBJECT_UV 0x4140"}));
}

}  // namespace
