// 3DS files in the real editor: opening one with and without a texture, saving the mesh as
// 3DS and opening it again.
#include <gtest/gtest.h>

#include <cstdio>

#include "app/globals_win.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/chunk_builder.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

const int kWidth = 64;
const int kHeight = 32;

// A square facing the viewer with the given texture (or none) in its material.
MeshRecord squareRecord(const char* texture)
{
    MeshRecord record;
    record.vertices = {{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}};
    record.texCoords = {{0.25f, 0.75f}, {0.25f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.75f}};
    record.faces = {{0, 1, 2}, {0, 2, 3}};
    record.materialCount = 1;
    snprintf(record.materials[0].textureFileName, kRecordTextLength, "%s", texture);
    return record;
}

// Writes the record with the program's 3DS writer.
void write3ds(const std::string& name, const MeshRecord& record)
{
    g_meshRecords.clear();
    g_meshRecords.push_back(record);
    ASSERT_TRUE(g_chunk3dsFile.openForWriting(name.c_str()));
    g_chunk3dsFile.Write();
    g_chunk3dsFile.closeWriting();
    g_meshRecords.clear();
}

// Reads a 3DS file with the program's reader.
MeshRecord read3ds(const std::string& name)
{
    g_meshRecords.clear();
    g_meshRecords.emplace_back();
    MeshRecord record;
    if (g_chunk3dsFile.openForReading(name.c_str())) {
        g_chunk3dsFile.Read();
        g_chunk3dsFile.closeReading();
        record = g_meshRecords.front();
    }
    g_meshRecords.clear();
    return record;
}

class Editor3ds : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeBmp("red.bmp", kWidth, kHeight, [](int, int) { return 0xFF0000u; });
        g_autoUpdateMesh = false;
    }
};

TEST_F(Editor3ds, TexturedFileShowsItsBitmapPointsEdgesAndTheMesh)
{
    const MeshRecord square = squareRecord("red.bmp");
    write3ds("square.3DS", square);   // the ending counts in any case
    const auto boxes = editor().openFile("square.3DS");
    ASSERT_TRUE(boxes.empty()) << boxes[0];

    EXPECT_STREQ(g_textureFileName.get(), "red.bmp");
    const std::vector<ImagePoint> points = editor().points();
    ASSERT_EQ(points.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(points[k].x, kWidth * square.texCoords[k].u) << k;
        EXPECT_FLOAT_EQ(points[k].y, kHeight * square.texCoords[k].v) << k;
    }
    EXPECT_EQ(editor().pane().edgeCount(), 5);
    const Capture frame = editor().frame();
    EXPECT_TRUE(isReddish(frame.at(frame.width / 2, frame.height / 2)));
}

// The square as a 3DS file without any material: mesh, faces and texture coordinates only.
std::vector<uint8_t> squareWithoutMaterial()
{
    const MeshRecord square = squareRecord("");
    return mainFile(objectChunk("sq", join({vertexListChunk(square.vertices),
                                            faceListChunk(square.faces),
                                            texCoordListChunk(square.texCoords)})));
}

TEST_F(Editor3ds, FileNamingNoTextureEmptiesThePaneAndShowsTheMesh)
{
    write3ds("square.3ds", squareRecord("red.bmp"));
    ASSERT_TRUE(editor().openFile("square.3ds").empty());
    ASSERT_EQ(editor().pane().pointCount(), 4);

    writeFile("plain.3ds", squareWithoutMaterial());
    ASSERT_TRUE(editor().openFile("plain.3ds").empty());
    EXPECT_EQ(editor().pane().pointCount(), 0);
    EXPECT_EQ(editor().pane().edgeCount(), 0);
    EXPECT_EQ(g_textureFileName.get(), nullptr);
    const Capture frame = editor().frame();
    EXPECT_TRUE(isGrey(frame.at(frame.width / 2, frame.height / 2)));
}

TEST_F(Editor3ds, SavingWritesTheAppliedCoordinatesAndTheBitmapName)
{
    // The write-back starts with the first X file loaded (at start-up, "knot.x"); open one
    // so that this does not depend on what the media folder holds.
    writeXFile("square_red.x", squareMesh("red.bmp", 0, 1, -1, 0));
    ASSERT_TRUE(editor().openFile("square_red.x").empty());
    write3ds("square.3ds", squareRecord("red.bmp"));
    ASSERT_TRUE(editor().openFile("square.3ds").empty());
    editor().menuCommand(40058);
    const ImagePoint first = editor().points()[0];
    editor().dragPoint(first.x, first.y, 8, 4);
    editor().pressApply();
    const std::vector<ImagePoint> applied = editor().points();
    // A later drag that is not applied does not reach the file.
    editor().dragPoint(applied[0].x, applied[0].y, 5, 5);

    DeleteFileA("saved.3ds");
    EXPECT_TRUE(editor().saveAs("saved.3ds").empty());
    const MeshRecord saved = read3ds("saved.3ds");
    ASSERT_EQ(saved.vertexCount(), 4u);
    ASSERT_EQ(saved.texCoordCount(), 4u);
    ASSERT_EQ(saved.faceCount(), 2u);
    EXPECT_STREQ(lastTextureFileName(saved), "red.bmp");
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(saved.texCoords[k].u, applied[k].x / kWidth) << k;
        EXPECT_FLOAT_EQ(saved.texCoords[k].v, applied[k].y / kHeight) << k;
    }

    ASSERT_TRUE(editor().openFile("saved.3ds").empty());
    const std::vector<ImagePoint> reopened = editor().points();
    ASSERT_EQ(reopened.size(), 4u);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(reopened[k].x, applied[k].x, 1e-3) << k;
        EXPECT_NEAR(reopened[k].y, applied[k].y, 1e-3) << k;
    }
}

TEST_F(Editor3ds, EmptyFilesAndOtherFilesAreReportedAndTheEditorGoesOn)
{
    writeFile("empty.3ds", "");
    writeFile("notes.3ds", "these are notes, not chunks");
    for (const char* name : {"empty.3ds", "notes.3ds"}) {
        EXPECT_EQ(editor().openFile(name), std::vector<std::string>{"Error file is empty"}) << name;
        EXPECT_EQ(countNotBlue(editor().frame()), 0) << name;
    }
    write3ds("square.3ds", squareRecord("red.bmp"));
    ASSERT_TRUE(editor().openFile("square.3ds").empty());
    EXPECT_EQ(editor().pane().pointCount(), 4);
}

} // namespace
