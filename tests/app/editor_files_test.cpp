// Files through the real editor: saving X and 3DS, a save that cannot happen (the file on disk
// stays as it was and the editor says why), and broken, truncated or hostile files opened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "base/atomic_file.h"
#include "base/file_handle_win.h"
#include "imagefile/image_bitmap_win.h"
#include "resources/resource.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/chunk_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "viewer/image_group_win.h"

namespace {

// Reads a 3DS file with the program's reader.
MeshRecord read3ds(const std::string& name)
{
    g_meshRecords.assign(1, MeshRecord{});
    if (g_chunk3dsFile.openForReading(name.c_str())) {
        g_chunk3dsFile.Read();
        g_chunk3dsFile.closeReading();
    }
    const MeshRecord record = g_meshRecords.front();
    g_meshRecords.clear();
    return record;
}

void openTexturedSquare()
{
    writeBitmap("red.bmp", 0xFF0000);
    writeXFile("square.x", squareMesh("red.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
    ASSERT_EQ(Boxes{}, editor().openFile("square.x"));
}

// The pane's points in place after reopening `name`.
void expectReopened(const char* name, const std::vector<ImagePoint>& expected)
{
    ASSERT_EQ(Boxes{}, editor().openFile(name));
    expectSamePoints(expected, name);
}

TEST(EditorSaving, SaveAsAndSaveWriteThePointsInTheFormatOfTheNameCloseFileLeavesNothing)
{
    // X saves the pane's points, v one bitmap height up; 3DS (its ending in any case) the
    // coordinates of the last apply and the bitmap's name. A name ending in neither writes
    // nothing. Save writes the file opened last in its own format.
    for (const char* name : {"saved.x", "saved.3DS", "saved.obj"}) {
        SCOPED_TRACE(name);
        openTexturedSquare();
        editor().menuCommand(40058);
        editor().dragPoint(editor().points()[2].x, editor().points()[2].y, 8, 4);
        editor().pressApply();
        const std::vector<ImagePoint> applied = editor().points();
        editor().dragPoint(applied[0].x, applied[0].y, 5, 5);   // not applied
        const std::vector<ImagePoint> edited = editor().points();
        DeleteFileA(name);
        EXPECT_EQ(Boxes{}, editor().saveAs(name));
        if (name[6] == 'o') {
            EXPECT_FALSE(fileExists(name));
            continue;
        }
        const bool x = name[6] == 'x';
        if (x) {
            EXPECT_EQ("bin", readFileText(name).substr(8, 3));
        } else {
            const MeshRecord saved = read3ds(name);
            ASSERT_EQ(4u, saved.texCoordCount());
            EXPECT_EQ(2u, saved.faceCount());
            EXPECT_STREQ("red.bmp", lastTextureFileName(saved));
            for (size_t k = 0; k < 4; ++k)
                EXPECT_FLOAT_EQ(applied[k].y / 32, saved.texCoords[k].v) << k;
        }
        expectReopened(name, x ? edited : applied);
        editor().dragPoint(editor().points()[1].x, editor().points()[1].y, 6, 3);
        editor().pressApply();
        const std::vector<ImagePoint> moved = editor().points();
        DialogAnswerer answerer;
        editor().menuCommand(IDM_SAVE);
        EXPECT_EQ(Boxes{}, answerer.boxTexts());
        expectReopened(name, moved);
    }

    editor().menuCommand(IDM_CLOSE_FILE);
    EXPECT_EQ(0, editor().pane().pointCount() + editor().pane().edgeCount());
    EXPECT_EQ(0, countNotBlue(editor().frame()));
    DialogAnswerer answerer;
    editor().menuCommand(IDM_SAVE);
    EXPECT_EQ(Boxes{"There is no mesh to save: open a mesh file first."}, answerer.boxTexts());
}

const std::string kEarlier = "the user's earlier file";

// Saves `name` over kEarlier and expects exactly `box`, kEarlier still there and no leftovers.
void expectRefused(const char* name, const std::string& box, const std::string& why)
{
    EXPECT_EQ(Boxes{box}, editor().saveAs(name)) << name << ": " << why;
    EXPECT_EQ(kEarlier, readFileText(name)) << name << ": " << why;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("~mapwell*", &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search) << name << ": " << why;
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

TEST(EditorSaving, AFailedSaveLeavesTheEarlierFileAndSaysWhy)
{
    openTexturedSquare();
    const char kCannotReplace[] = "Error: the file could not be replaced (is it read-only, or open in another "
                                  "program?). The file on disk was left as it was.";
    // 3DS has its writer's own word for a failed write.
    const std::pair<const char*, const char*> formats[] = {
        {"mesh.x", "Error: the file could not be written (is the disk full?). The file on disk was left as it was."},
        {"mesh.3ds", "Error Writing a char"}};
    for (const auto& [name, writeFailure] : formats) {
        const std::string probe = std::string("probe") + strchr(name, '.');
        ASSERT_EQ(Boxes{}, editor().saveAs(probe));
        const std::vector<uint8_t> saved = readFileBytes(probe);
        writeFile(name, kEarlier);
        for (size_t byte : {size_t(0), saved.size() / 2, saved.size() - 1}) {
            failSavesAfterBytes(byte);
            expectRefused(name, writeFailure, "at byte " + std::to_string(byte));
        }
        stopFailingSaves();
        SetFileAttributesA(name, FILE_ATTRIBUTE_READONLY);
        expectRefused(name, kCannotReplace, "read-only");
        SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
        {
            FileHandle held(CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.valid());
            expectRefused(name, kCannotReplace, "open in another program");
        }
        EXPECT_EQ(Boxes{}, editor().saveAs(name));
        EXPECT_EQ(saved, readFileBytes(name));
    }
}

// A flat grid of `faces` triangles (at most 2 * 128 * 256) on 129 x 257 vertices.
TestMesh gridMesh(uint32_t faces)
{
    TestMesh grid;
    for (uint32_t j = 0; j < 257; ++j)
        for (uint32_t i = 0; i < 129; ++i)
            grid.vertices.push_back({float(i), float(j), 0, float(i) / 128, float(j) / 256 - 1});
    for (uint32_t j = 0; j < 256; ++j)
        for (uint32_t i = 0; i < 128; ++i) {
            const uint32_t a = j * 129 + i, b = a + 1, c = a + 129, d = c + 1;
            grid.corners.insert(grid.corners.end(), {a, c, b, b, c, d});
        }
    grid.corners.resize(3 * faces);
    grid.textures = {"red.bmp"};
    return grid;
}

TEST(EditorSaving, MeshesAFileCannotHoldAsTheyAreAreNotSaved)
{
    openTexturedSquare();
    ImageBitmap& bitmap = *editor().pane().windowBitmap();
    MeshData& mesh = editor().meshData();
    ComRef<ID3DXMesh> edited = mesh.sysMemMesh.share();
    const struct {
        std::function<void()> make, undo;
        const char* box;
    } cases[] = {
        {[&] { bitmap.setWidth(0); }, [&] { bitmap.setWidth(64); },
         "Error: the bitmap has no size, so the points cannot become texture coordinates; nothing was saved."},
        {[&] {
             edited->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ | D3DFVF_NORMAL, editor().device(),
                                  mesh.sysMemMesh.put());
         },
         [&] { mesh.sysMemMesh = edited.share(); },
         "Error: the mesh's vertices have no texture coordinates to take the points; nothing was saved."},
    };
    for (const auto& c : cases) {
        DeleteFileA("stale.x");
        c.make();
        EXPECT_EQ(Boxes{c.box}, editor().saveAs("stale.x"));
        c.undo();
        EXPECT_FALSE(fileExists("stale.x")) << c.box;
    }
    EXPECT_EQ(Boxes{}, editor().saveAs("stale.x"));
    EXPECT_TRUE(fileExists("stale.x"));

    // A 3DS file keeps its counts in 16 bits: 65535 faces are saved, 65536 are not.
    for (uint32_t faces : {65536u, 65535u}) {
        writeXFile("grid.x", gridMesh(faces));
        ASSERT_EQ(Boxes{}, editor().openFile("grid.x"));
        DeleteFileA("grid.3ds");
        const Boxes boxes = editor().saveAs("grid.3ds");
        if (faces > 65535) {
            EXPECT_EQ(Boxes{"Error: a 3DS file holds at most 65535 vertices and 65535 faces; this mesh has "
                            "33153 vertices and 65536 faces. Nothing was saved."}, boxes);
            EXPECT_FALSE(fileExists("grid.3ds"));
        } else {
            EXPECT_EQ(Boxes{}, boxes);
            EXPECT_EQ(faces, read3ds("grid.3ds").faceCount());
        }
    }
}

// The readers' faults are shown on the readers; here the editor after each kind of fault: one
// message, the earlier mesh kept after a damaged 3DS file, nothing drawn after an empty one or a
// broken X file, and an untextured mesh when its texture is missing.
TEST(EditorBadInput, EachBrokenFileGetsItsOneMessageAndTheEditorGoesOn)
{
    openTexturedSquare();
    ASSERT_EQ(Boxes{}, editor().saveAs("good.x"));
    std::vector<uint8_t> cut3ds = mainFile(objectChunk(
        "sq", join({vertexListChunk({{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}}), faceListChunk({{0, 1, 2}})})));
    cut3ds.resize(cut3ds.size() - 5);   // inside the face list
    writeFile("empty.3ds", "");
    writeFile("cut.3ds", cut3ds);
    writeFile("past.x", "xof 0303txt 0032\nMesh {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,70000;;\n}\n");
    writeFile("cut.x", readFileText("good.x").substr(0, 200));
    const struct {
        const char* file;
        const char* box;
        bool meshStays;   // false: nothing is drawn afterwards
    } cases[] = {{"empty.3ds", "Error file is empty", false}, {"cut.3ds", "Error: 3DS file is damaged", true},
                 {"past.x", "Error: Could not open file", false}, {"cut.x", "Error: Could not open file", false}};
    for (const auto& c : cases) {
        ASSERT_EQ(Boxes{}, editor().openFile("square.x"));
        const Capture before = editor().frame();
        const Boxes boxes = editor().openFile(c.file);
        // an X file cut short may get the X reader's own box as well
        EXPECT_EQ(c.box, boxes.empty() ? "" : boxes.back()) << c.file;
        EXPECT_TRUE(boxes.size() == 1 || c.file[strlen(c.file) - 1] == 'x') << c.file;
        EXPECT_EQ(c.meshStays, before.pixels == editor().frame().pixels) << c.file;
        EXPECT_EQ(c.meshStays ? countNotBlue(before) : 0, countNotBlue(editor().frame())) << c.file;
        EXPECT_TRUE(!c.meshStays || editor().pane().pointCount() == 4) << c.file;
    }
    writeXFile("lost_texture.x", squareMesh("missing.bmp", 0, 1, -1, 0));
    const Boxes boxes = editor().openFile("lost_texture.x");
    EXPECT_EQ("Could not open File", boxes.empty() ? "" : boxes.back());
    ASSERT_EQ(1u, editor().subsetCount());
    EXPECT_EQ(nullptr, editor().subsetTexture(0));
    EXPECT_EQ(Hue::Grey, centreHue(editor().frame()));
}

// The editor between Assimp's 3DS files and Assimp: run by assimp_interop.sh, which writes
// "assimp.3ds" with Assimp's exporter before and reads "mapwell.3ds" with `assimp info` after.
// Disabled in the suite's own run, where those files do not exist.
TEST(Editor3dsInterop, DISABLED_OpensAssimpsFileAndSavesOneForAssimp)
{
    const char* faces = getenv("MAPWELL_INTEROP_FACES");
    ASSERT_NE(nullptr, faces);
    EXPECT_EQ(Boxes{}, editor().openFile("assimp.3ds"));
    ASSERT_NE(nullptr, editor().meshData().sysMemMesh);
    EXPECT_EQ(DWORD(atoi(faces)), editor().meshData().sysMemMesh->GetNumFaces());
    EXPECT_GT(countNotBlue(editor().frame()), 0);
    DeleteFileA("mapwell.3ds");
    EXPECT_EQ(Boxes{}, editor().saveAs("mapwell.3ds"));
    EXPECT_TRUE(fileExists("mapwell.3ds"));
}

} // namespace
