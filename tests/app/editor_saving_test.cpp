// Saving through the real editor: a save that cannot happen leaves the file on disk as it was
// and says why; a mesh that X or 3DS cannot hold as it is gets no file at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/atomic_file.h"
#include "base/file_handle_win.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "viewer/image_group_win.h"
#include "imagefile/image_bitmap_win.h"

namespace {

const char kWriteFailed[] = "Error: the file could not be written (is the disk full?). The file "
                            "on disk was left as it was.";
const char kCannotReplace[] = "Error: the file could not be replaced (is it read-only, or open "
                              "in another program?). The file on disk was left as it was.";
const std::string kEarlier = "the user's earlier file";

using Boxes = std::vector<std::string>;

bool savesLeftSomethingBehind()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("~mapwell*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

void openTexturedSquare()
{
    writeBmp("red.bmp", 64, 32, [](int, int) { return 0xFF0000u; });
    writeXFile("square.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
    ASSERT_EQ(editor().openFile("square.x"), Boxes{});
}

// Saves `name` over kEarlier and expects exactly `box`, kEarlier still there and no leftovers.
void expectRefused(const char* name, const std::string& box, const std::string& why)
{
    EXPECT_EQ(editor().saveAs(name), Boxes{box}) << name << ": " << why;
    EXPECT_EQ(readFileText(name), kEarlier) << name << ": " << why;
    EXPECT_FALSE(savesLeftSomethingBehind()) << name << ": " << why;
}

TEST(EditorSaving, AFailedSaveLeavesTheEarlierFileAndSaysWhy)
{
    openTexturedSquare();
    struct Format {
        const char* name;
        const char* writeFailure;   // 3DS has its writer's own word for it
    };
    for (const Format format : {Format{"mesh.x", kWriteFailed},
                                Format{"mesh.3ds", "Error Writing a char"}}) {
        const std::string probe = std::string("probe") + strchr(format.name, '.');
        ASSERT_EQ(editor().saveAs(probe), Boxes{});
        const std::vector<uint8_t> saved = readFileBytes(probe);
        writeFile(format.name, kEarlier);

        const size_t step = std::max<size_t>(1, saved.size() / 16);
        for (size_t byte = 0; byte < saved.size(); byte += step) {
            failSavesAfterBytes(byte);
            expectRefused(format.name, format.writeFailure, "at byte " + std::to_string(byte));
        }
        failSavesAfterBytes(saved.size() - 1);
        expectRefused(format.name, format.writeFailure, "failing at the last byte");
        stopFailingSaves();

        SetFileAttributesA(format.name, FILE_ATTRIBUTE_READONLY);
        expectRefused(format.name, kCannotReplace, "read-only");
        SetFileAttributesA(format.name, FILE_ATTRIBUTE_NORMAL);
        {
            FileHandle held(CreateFileA(format.name, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.valid());
            expectRefused(format.name, kCannotReplace, "open in another program");
        }
        EXPECT_EQ(editor().saveAs(format.name), Boxes{});
        EXPECT_EQ(readFileBytes(format.name), saved);
    }
}


// A flat grid of `faces` triangles (at most 2 · 128 · 256), textured with red.bmp.
TestMesh gridMesh(uint32_t faces)
{
    const uint32_t across = 129, down = 257;
    TestMesh grid;
    for (uint32_t j = 0; j < down; ++j)
        for (uint32_t i = 0; i < across; ++i)
            grid.vertices.push_back({float(i), float(j), 0, float(i) / 128, float(j) / 256 - 1});
    for (uint32_t j = 0; j + 1 < down; ++j)
        for (uint32_t i = 0; i + 1 < across; ++i) {
            const uint32_t a = j * across + i, b = a + 1, c = a + across, d = c + 1;
            for (uint32_t corner : {a, c, b, b, c, d})
                grid.corners.push_back(corner);
        }
    grid.corners.resize(3 * faces);
    grid.textures = {"red.bmp"};
    return grid;
}

TEST(EditorSaving, ThreedsSavesOnlyMeshesItsSixteenBitCountsHold)
{
    writeBmp("red.bmp", 64, 32, [](int, int) { return 0xFF0000u; });
    for (uint32_t faces : {65535u, 65536u}) {
        writeXFile("grid.x", gridMesh(faces));
        ASSERT_EQ(editor().openFile("grid.x"), Boxes{});
        DeleteFileA("grid.3ds");
        const Boxes boxes = editor().saveAs("grid.3ds");
        if (faces > 65535) {
            EXPECT_EQ(boxes, Boxes{"Error: a 3DS file holds at most 65535 vertices and 65535 "
                                   "faces; this mesh has 33153 vertices and 65536 faces. "
                                   "Nothing was saved."});
            EXPECT_FALSE(fileExists("grid.3ds"));
            continue;
        }
        EXPECT_EQ(boxes, Boxes{});
        g_meshRecords.assign(1, MeshRecord{});
        ASSERT_TRUE(g_chunk3dsFile.openForReading("grid.3ds"));
        EXPECT_EQ(g_chunk3dsFile.Read(), 1);
        g_chunk3dsFile.closeReading();
        EXPECT_EQ(g_meshRecords.front().faceCount(), faces);
        EXPECT_EQ(g_meshRecords.front().vertexCount(), 33153u);
        g_meshRecords.clear();
    }
}

TEST(EditorSaving, AnXSaveThatCannotTakeThePointsWritesNothing)
{
    openTexturedSquare();
    ImageBitmap& bitmap = *editor().pane().windowBitmap();
    MeshData& mesh = editor().meshData();
    struct Case {
        const char* why;
        std::function<void()> make, undo;
        Boxes boxes;
    };
    ComRef<ID3DXMesh> edited = mesh.sysMemMesh.share();
    const Case cases[] = {
        {"a bitmap with no size", [&] { bitmap.setWidth(0); }, [&] { bitmap.setWidth(64); },
         {"Error: the bitmap has no size, so the points cannot become texture coordinates; "
          "nothing was saved."}},
        {"a mesh of another layout",
         [&] {
             edited->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ | D3DFVF_NORMAL,
                                  editor().device(), mesh.sysMemMesh.put());
         },
         [&] { mesh.sysMemMesh = edited.share(); },
         {"Error: the mesh's vertices have no texture coordinates to take the points; nothing "
          "was saved."}},
    };
    for (const Case& c : cases) {
        DeleteFileA("stale.x");
        c.make();
        EXPECT_EQ(editor().saveAs("stale.x"), c.boxes) << c.why;
        c.undo();
        EXPECT_FALSE(fileExists("stale.x")) << c.why;
    }
    EXPECT_EQ(editor().saveAs("stale.x"), Boxes{});
    EXPECT_TRUE(fileExists("stale.x"));
}

}  // namespace
