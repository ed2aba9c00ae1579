// The scanning reader on files laid out byte by byte: what it takes, what it crosses in two-byte
// steps, where its counters stop it, what it tells the chunk dump, and which files it refuses.
#include <gtest/gtest.h>

#include "tests/support/chunk_builder.h"
#include "tests/threeds/read_chunks.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Lines = std::vector<std::string>;
const std::vector<Vertex3ds> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const std::string kDamaged = "box 'Error: 3DS file is damaged' result 0";
const std::string kBadIndex = "box 'Error: 3DS face index past the vertex count' result 0";
const std::string kUnknown = "UNKNOWN CHUNK";

Bytes wrap(uint16_t id, const Bytes& contents) { return ChunkBuilder().chunk(id, contents).data(); }
Bytes text(const std::string& value) { return ChunkBuilder().text(value).data(); }
Bytes triangle(const std::string& name)
{
    return objectChunk(name, join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}})}));
}
// A face-material chunk followed, as other writers put it, by a face count and list.
Bytes faceMaterial(const std::string& name) { return wrap(0x4130, join({text(name), {1, 0, 0, 0}})); }

Bytes material(const std::string& name, const char* texture = nullptr)
{
    return wrap(0xAFFF, join({textChunk(0xA000, name), texture ? textChunk(0xA300, texture) : Bytes{}}));
}

// An object whose name is followed by the byte 0x41 and a mesh length: with a 12-character
// name the name's zero is read as the low byte of the id 0x4100; with 11 characters it is not.
Bytes nameZeroSharedWithMeshId(const std::string& name)
{
    return mainFile(wrap(0x4000, join({text(name), ChunkBuilder().u8(0x41).u32(50).bytes(vertexListChunk(kTriangle)).data()})));
}

// Each object is 20 bytes long but its mesh claims the rest of the file, so every object would
// scan the whole remainder again.
Bytes readOverAndOver()
{
    const uint32_t objects = 120, total = 12 + objects * 20;
    ChunkBuilder b;
    b.u16(0x4D4D).u32(total).u16(0x3D3D).u32(total - 6);
    for (uint32_t i = 0; i < objects; ++i)
        b.u16(0x4000).u32(20).u8(0).u16(0x4100).u32(total - 12 - i * 20 - 7).bytes(Bytes(7, 0));
    return b.data();
}

TEST(Reader3ds, EachFileComesToItsVerdict)
{
    MeshRecord prepared;   // what the reader must leave alone where a file says nothing
    prepared.vertices = {{7, 8, 9}};
    prepared.materialIndex = 9, prepared.materialCount = 3;
    const Bytes lists = join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}), texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})});
    const Bytes quad = join({vertexListChunk({{0, 0, 5}, {2, 0, 5}, {2, 2, 5}, {0, 2, 5}}), faceListChunk({{0, 1, 2}, {0, 2, 3}})});
    const Bytes materials = join({material("wood", "wood.bmp"), material("Stone"), material("glass", "g.bmp"), material("wood")});
    auto faceMaterialOf = [&](const char* name) {
        return mainFile(join({materials, objectChunk("t", join({vertexListChunk(kTriangle), faceMaterial(name), texCoordListChunk({{1, 1}})}))}));
    };
    const std::string four = " [wood:wood.bmp] [Stone:] [glass:g.bmp] [wood:]";
    auto mesh = [](const Bytes& chunks) { return mainFile(objectChunk("t", chunks)); };
    auto longList = [&](uint16_t id) { return mesh(ChunkBuilder().u16(id).u32(20).u16(0xFFFF).bytes(Bytes(12, 0)).data()); };
    auto face = [&](Face3ds f) { return mesh(join({vertexListChunk(kTriangle), faceListChunk({f})})); };
    // A chunk with a decoy inside, a one-vertex object, mesh or list as its container would take
    // it: passed over, the decoy is never seen; scanned, its vertex replaces the triangle.
    auto decoyIn = [&](uint16_t container, uint16_t id) {
        const Bytes one = vertexListChunk({{9, 9, 9}}), three = vertexListChunk(kTriangle);
        if (container == 0x3D3D)
            return mainFile(join({objectChunk("t", three), wrap(id, objectChunk("decoy", one))}));
        if (container == 0x4000)
            return mainFile(wrap(0x4000, join({text("t"), wrap(0x4100, three), wrap(id, wrap(0x4100, one))})));
        return mesh(join({three, wrap(id, one)}));
    };
    Bytes twelve, nested = textChunk(0xA300, "t39");
    std::string tenMaterials, tenTextures;
    for (int i = 0; i < 12; ++i)
        twelve = join({twelve, material("m" + std::to_string(i))});
    for (int d = 38; d >= 0; --d)
        nested = join({textChunk(0xA300, "t" + std::to_string(d)), wrap(0xA200, nested)});
    for (int i = 0; i < 10; ++i)
        tenMaterials += " [m" + std::to_string(i) + ":]", tenTextures += " [:t" + std::to_string(i) + "]";
    const struct { const char* what; Bytes file; std::string verdict; } cases[] = {
        {"no main chunk first: left as prepared", wrap(0x3D3D, triangle("box")), "v1 f0 t0 i9"},
        {"an empty file: the same", {}, "v1 f0 t0 i9"},
        {"a later object replaces each list it has", mainFile(join({objectChunk("a", lists), objectChunk("b", quad)})), "v4 f2 t3 i9"},
        {"an unknown chunk is crossed", mainFile(join({wrap(0x1234, {0, 0, 0, 0}), triangle("t")})), "v3 f1 t0 i9"},
        {"a colour second in a material ends it", mainFile(join({wrap(0xAFFF, join({textChunk(0xA000, "red"),
            wrap(0xA010, wrap(0x0010, Bytes(12, 0))), textChunk(0xA300, "red.bmp")})), triangle("t")})), "v3 f1 t0 i9 [red:]"},
        {"a texture map adds a material", mainFile(wrap(0xAFFF, join({textChunk(0xA000, "skin"),
            wrap(0xA020, wrap(0x0011, {1, 2, 3})), wrap(0xA200, textChunk(0xA300, "skin.bmp"))}))), "v1 f0 t0 i9 [skin:] [:skin.bmp]"},
        {"an empty material name is \"Default name\"", mainFile(join({material("wood"), material(""),
            objectChunk("t", textChunk(0x4130, "Default name"))})), "v1 f0 t0 i1 [wood:] [Default name:]"},
        {"the first exact match is the face material", faceMaterialOf("wood"), "v3 f0 t1 i0 tex" + four},
        {"one without a texture", faceMaterialOf("Stone"), "v3 f0 t1 i1" + four},
        {"case counts", faceMaterialOf("stone"), "v3 f0 t1 i-1" + four},
        {"an empty name matches nothing", faceMaterialOf(""), "v3 f0 t1 i-1" + four},
        {"without materials the index stays", mesh(faceMaterial("wood")), "v1 f0 t0 i9"},
        {"an 11-character object name is read whole", mainFile(triangle("abcdefghijk")), "v3 f1 t0 i9"},
        {"a 12-character one leaves its tail to the scan", mainFile(triangle("abcdefghijkl")), "v1 f0 t0 i9"},
        {"whose zero is then read as part of an id", nameZeroSharedWithMeshId("abcdefghijkl"), "v3 f0 t0 i9"},
        {"which an 11-character name reads itself", nameZeroSharedWithMeshId("abcdefghijk"), "v1 f0 t0 i9"},
        {"a container stops at its length", mainFile(wrap(0x4000, join({text("o"), wrap(0x4100, vertexListChunk(kTriangle)),
            faceListChunk({{0, 1, 2}})}))), "v3 f0 t0 i9"},
        {"handled children count 2 more: an 8-byte fifth is not reached", mesh(join({lists, wrap(0x4111, {}),
            faceListChunk({})})), "v3 f1 t3 i9"},
        {"an 8-byte fourth is", mesh(join({lists, faceListChunk({})})), "v3 f0 t3 i9"},
        {"a passed-over chunk of just a header", mesh(wrap(0x4160, {})), "v1 f0 t0 i9"},
        {"one shorter than its header", mesh(ChunkBuilder().u16(0x4160).u32(3).data()), kDamaged},
        {"an editor shorter than its header", ChunkBuilder().u16(0x4D4D).u32(12).u16(0x3D3D).u32(0).data(), kDamaged},
        {"a list reaching past the end", mesh(ChunkBuilder().u16(0x4110).u32(0xFFFFFFF0).u16(0).data()), kDamaged},
        {"more vertices than the chunk holds", longList(0x4110), kDamaged},
        {"more faces than the chunk holds", longList(0x4120), kDamaged},
        {"more coordinates than the chunk holds", longList(0x4140), kDamaged},
        {"no room for the count", mesh(ChunkBuilder().u16(0x4110).u32(7).u8(0).data()), kDamaged},
        {"a face index at the vertex count", face({3, 0, 1}), kBadIndex},
        {"the largest", face({0, 1, 65535}), kBadIndex},
        {"faces refer to the last vertex list read", mainFile(join({objectChunk("a", faceListChunk({{0, 1, 2}})),
            objectChunk("b", vertexListChunk(kTriangle))})), "v3 f1 t0 i9"},
        {"a name cut off by the end of the file", mainFile(wrap(0xAFFF, wrap(0xA000, Bytes(300, 'n')))),
            "v1 f0 t0 i9 [" + std::string(99, 'n') + ":]"},
        {"long names are cut to the name buffer", mainFile(wrap(0xAFFF, join({textChunk(0xA000, std::string(500, 'm')),
            textChunk(0xA300, std::string(120, 't'))}))), "v1 f0 t0 i9 [" + std::string(99, 'm') + ":" + std::string(99, 't') + "]"},
        {"a long run of unknown ids ends", mainFile(join({Bytes(2000, 0x77), triangle("t")})), "v3 f1 t0 i9"},
        {"a file that would be read over and over is given up", readOverAndOver(), kDamaged},
        {"materials past the tenth are passed over", mainFile(join({twelve, triangle("t")})), "v3 f1 t0 i9" + tenMaterials},
        {"so are texture maps nested deeper", mainFile(wrap(0xAFFF, nested)), "v1 f0 t0 i9" + tenTextures},
    };
    for (const auto& c : cases)
        EXPECT_EQ(verdict(readChunkFile(c.file, prepared)), c.verdict) << c.what;
    // The editor passes over 0x1100, 0x1200 and 0x3000 but scans 0x3E3D; an object passes over
    // lights and cameras but scans 0x4610; a mesh passes over 0x4165 and 0x4111 but scans 0x4150.
    const std::pair<uint16_t, std::vector<uint16_t>> skips[] = {{0x3D3D, {0x1100, 0x1200, 0x3000, 0x3E3D}},
                                                                {0x4000, {0x4600, 0x4700, 0x4610}}, {0x4100, {0x4165, 0x4111, 0x4150}}};
    for (const auto& [container, ids] : skips)
        for (uint16_t id : ids)
            EXPECT_EQ(verdict(readChunkFile(decoyIn(container, id), prepared)), id == ids.back() ? "v1 f0 t0 i9" : "v3 f0 t0 i9") << id;
}

TEST(Reader3ds, EveryIdReadIsDumpedScanningStepsIncluded)
{
    Bytes viewport = wrap(0x7011, {1, 2});
    for (int i = 0; i < 5; ++i)
        viewport = join({viewport, wrap(i % 2 ? 0x7020 : 0x7012, {0, 0, 0, 0})});
    viewport = wrap(0x7001, viewport);
    const std::string start = "MAIN3DS 0x4D4D;EDIT3DS 0x3D3D;", unknown = kUnknown + ";";
    const std::string mesh = "EDIT_OBJECT 0x4000;OBJ_TRIMESH 0x4100;TRI_VERTEXL 0x4110;TRI_FACEL1 0x4120;";
    const std::string view = "EDIT_VIEW1 0x7001;EDIT_VIEW_P2 0x7011;", keyframer = "KEYF3DS 0xB000;" + unknown + unknown + view;
    const std::string entries = "EDIT_VIEW_P1 0x7012;EDIT_VIEW_P3 0x7020;EDIT_VIEW_P1 0x7012;EDIT_VIEW_P3 0x7020;";
    const struct { const char* what; Bytes file; std::string dump; int reads; } cases[] = {
        {"an unknown 10-byte chunk in five steps, the id after the faces", mainFile(join({wrap(0x1234, {0, 0, 0, 0}), triangle("t")})),
            start + unknown + unknown + unknown + unknown + unknown + mesh + unknown, 1},
        {"not the faces' other sub-chunks", mainFile(objectChunk("t", join({vertexListChunk(kTriangle), wrap(0x4120,
            join({{1, 0, 0, 0, 1, 0, 2, 0, 0, 0}, wrap(0x4150, {1, 0, 0, 0}), faceMaterial("wood")})), texCoordListChunk({{1, 1}})}))),
            start + mesh + "TRI_SMOOTH 0x4150;OBJECT_UV 0x4140;", 1},
        {"viewports stop after the fourth entry, for the life of the file object",
            wrap(0x4D4D, join({wrap(0x3D3D, viewport), wrap(0xB000, join({wrap(0xB002, {0x00, 0x70}), wrap(0xB008, {}), viewport}))})),
            start + view + entries + keyframer + start + view + keyframer, 2},
    };
    for (const auto& c : cases) {
        Chunk3dsFile file;
        std::string dump;
        for (int i = 0; i < c.reads; ++i)
            for (const std::string& line : readChunkFile(c.file, {}, &file).dump)
                dump += line + ";";
        EXPECT_EQ(dump, c.dump) << c.what;
    }
}

// Every cut of a good file, as it is (its main chunk then reaches past the cut) and with the
// main and editor chunks made to end at the cut, so that the cut is met deeper inside. A cut is
// harmless only where the reader never reaches it: an id that is not whole, or a cut the counter
// stops the editor before (right after the material block, up to the 2 bytes it overcounts).
TEST(Reader3ds, EveryCutOfAGoodFileIsRefusedWhereTheReaderMeetsIt)
{
    const Bytes skin = wrap(0xAFFF, join({textChunk(0xA000, "skin"), wrap(0xA200, textChunk(0xA300, "skin.bmp"))}));
    const Bytes body = objectChunk("body", join({vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}),
                                                 textChunk(0x4130, "skin"), texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})}));
    const Bytes whole = wrap(0x4D4D, join({wrap(0x3D3D, join({skin, body})),
                                          wrap(0xB000, wrap(0x7001, join({textChunk(0x7011, "vp"), textChunk(0x7012, "front")})))}));
    ASSERT_EQ(verdict(readChunkFile(whole)), "v3 f1 t3 i0 [skin:] [:skin.bmp]");
    const size_t editorEnd = 12 + skin.size() + body.size(), materialEnd = 12 + skin.size();
    for (size_t length = 0; length < whole.size(); ++length) {
        ChunkBuilder cut;
        cut.bytes(Bytes(whole.begin(), whole.begin() + long(length)));
        EXPECT_EQ(verdict(readChunkFile(cut.data())), length < 2 ? "v0 f0 t0 i-1" : kDamaged) << length;
        if (length < 12 || length >= editorEnd)
            continue;
        cut.patch32(2, uint32_t(length));
        cut.patch32(8, uint32_t(length - 6));
        std::string expected = length < 14 ? "v0 f0 t0 i-1" : kDamaged;
        if (length >= materialEnd && length <= materialEnd + 2)
            expected = "v0 f0 t0 i-1 [skin:] [:skin.bmp]";
        EXPECT_EQ(verdict(readChunkFile(cut.data())), expected) << "ending at " << length;
    }
}

// A good file stays good whatever an unknown chunk first in one of its containers holds: a
// handled id planted there, with a length no chunk there can have, is the data it is.
TEST(Reader3ds, HandledIdsInsideUnknownChunksAreTheirData)
{
    auto fileWith = [](const std::string& container, const Bytes& unknown) {
        const auto in = [&](const char* here) { return container == here ? unknown : Bytes{}; };
        const Bytes mesh = join({in("mesh"), vertexListChunk(kTriangle), faceListChunk({{0, 1, 2}}), textChunk(0x4130, "skin"),
                                 texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})});
        return wrap(0x4D4D, join({in("main"), wrap(0x3D3D, join({in("editor"), material("skin", "skin.bmp"),
                                                                 wrap(0x4000, join({text("body"), in("object"), wrap(0x4100, mesh)}))}))}));
    };
    const std::string clean = verdict(readChunkFile(fileWith("", {})));
    ASSERT_EQ(clean, "v3 f1 t3 i0 tex [skin:skin.bmp]");
    const std::pair<const char*, uint16_t> plants[] = {{"main", 0x3D3D}, {"main", 0xB000}, {"editor", 0x4000}, {"editor", 0xAFFF},
        {"editor", 0x1100}, {"object", 0x4100}, {"object", 0x4600}, {"mesh", 0x4110}, {"mesh", 0x4120}, {"mesh", 0x4140}, {"mesh", 0x4160}};
    for (const auto& [container, id] : plants)
        for (size_t at = 0; at < 4; ++at)   // where the scan lands on it, and where it does not
            for (uint32_t length : {0u, 5u, 200u, 0xFFFFFFFFu}) {
                const Bytes data = ChunkBuilder().bytes(Bytes(at, 0)).u16(id).u32(length).u16(0xFFFF).bytes(Bytes(8 - at, 0)).data();
                EXPECT_EQ(verdict(readChunkFile(fileWith(container, wrap(0x1234, data)))), clean)
                    << container << " " << id << " at " << at << ", length " << length;
            }
}

TEST(Reader3ds, CallerMistakesAreRefused)
{
    Chunk3dsFile file;
    g_meshRecords.assign(1, MeshRecord{});
    clearRecordedErrorBoxes();
    EXPECT_EQ(file.Read(), 0) << "no file handle";
    EXPECT_EQ(recordedErrorBoxes(), Lines(2, "NULL Error:"));
    g_meshRecords.clear();
    writeFile("input.3ds", mainFile({}));
    ASSERT_TRUE(file.openForReading("input.3ds"));
    EXPECT_EQ(file.Read(), 0) << "no record to read into";
}

}  // namespace
