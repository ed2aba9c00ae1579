// The road of an edit in the real editor: open an X file, project coordinates, drag points,
// apply, save and open again.
#include <gtest/gtest.h>

#include <set>

#include "app/globals_win.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/window_capture_win.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

const int kBitmapWidth = 64;
const int kBitmapHeight = 32;

void writeRedBitmap(const std::string& name)
{
    writeBmp(name, kBitmapWidth, kBitmapHeight, [](int, int) { return 0xFF0000u; });
}

// Left half red, right half green.
void writeHalvesBitmap(const std::string& name)
{
    writeBmp(name, kBitmapWidth, kBitmapHeight,
             [](int x, int) { return x < kBitmapWidth / 2 ? 0xFF0000u : 0x00FF00u; });
}

uint32_t centrePixel(const Capture& frame)
{
    return frame.at(frame.width / 2, frame.height / 2);
}

TEST(EditorRoad, TexturedXFileFillsThePaneAndDrawsTheTexturedMesh)
{
    writeRedBitmap("red.bmp");
    const TestMesh mesh = squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f);
    writeXFile("square_red.x", mesh);
    EditorHost& host = editor();
    EXPECT_TRUE(host.openFile("square_red.x").empty());

    ASSERT_STREQ(g_textureFileName.get(), "red.bmp");
    const std::vector<ImagePoint> points = host.points();
    ASSERT_EQ(points.size(), mesh.vertices.size());
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_FLOAT_EQ(points[k].x, kBitmapWidth * mesh.vertices[k].u) << k;
        EXPECT_FLOAT_EQ(points[k].y, kBitmapHeight * (1 + mesh.vertices[k].v)) << k;
        EXPECT_EQ(points[k].index, int32_t(k));
    }
    // (0,1), (0,2), (1,2) and (0,3), (2,3); the shared (0,2) once.
    EXPECT_EQ(host.pane().edgeCount(), 5);
    EXPECT_TRUE(g_pointsReady);

    const Capture frame = host.frame();
    ASSERT_GT(frame.width, 0);
    EXPECT_TRUE(isReddish(centrePixel(frame))) << std::hex << centrePixel(frame);
    EXPECT_TRUE(isClearBlue(frame.at(2, 2)));
}

TEST(EditorRoad, UntexturedXFileEmptiesThePaneAndStillDrawsTheMesh)
{
    writeRedBitmap("red.bmp");
    writeXFile("square_red.x", squareMesh("red.bmp", 0, 1, -1, 0));
    writeXFile("square_plain.x", squareMesh("", 0, 1, -1, 0));
    EditorHost& host = editor();
    host.openFile("square_red.x");
    ASSERT_EQ(host.pane().pointCount(), 4);

    EXPECT_TRUE(host.openFile("square_plain.x").empty());
    EXPECT_EQ(host.pane().pointCount(), 0);
    EXPECT_EQ(host.pane().edgeCount(), 0);
    EXPECT_EQ(g_textureFileName.get(), nullptr);
    ASSERT_EQ(host.subsetCount(), 1u);
    EXPECT_EQ(host.subsetTexture(0), nullptr);
    const uint32_t centre = centrePixel(host.frame());
    EXPECT_TRUE(isGrey(centre)) << std::hex << centre;
}

// Runs Map Texture Coordinates: clicks the given boxes of the Plane Select dialog, then OK.
std::vector<DialogAnswerer::Box> mapTextureCoordinates(EditorHost& host, std::vector<int> clicks,
                                                       int button = IDOK)
{
    DialogAnswerer answerer;
    answerer.runOnNext([clicks, button](HWND dialog) {
        for (int id : clicks)
            SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, button, BM_CLICK, 0, 0);
    });
    host.menuCommand(40052);
    return answerer.seen();
}

class EditorProjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeRedBitmap("red.bmp");
        cube = cubeMesh("red.bmp");
        writeXFile("box.x", cube);
        ASSERT_TRUE(editor().openFile("box.x").empty());
        ASSERT_EQ(editor().pane().pointCount(), 8);
    }

    // Every point on a bitmap corner, x = W where `sAxis` of the vertex is +1 (or -1 when
    // mirrored), y = H where `tAxis` is +1.
    void expectCorners(int sAxis, int tAxis, bool mirrorS, bool mirrorT)
    {
        const std::vector<ImagePoint> points = editor().points();
        ASSERT_EQ(points.size(), 8u);
        for (size_t k = 0; k < 8; ++k) {
            const float position[3] = {cube.vertices[k].x, cube.vertices[k].y, cube.vertices[k].z};
            const bool sHigh = (position[sAxis] > 0) != mirrorS;
            const bool tHigh = (position[tAxis] > 0) != mirrorT;
            EXPECT_EQ(points[k].x, sHigh ? float(kBitmapWidth) : 0.0f) << k;
            EXPECT_EQ(points[k].y, tHigh ? float(kBitmapHeight) : 0.0f) << k;
        }
    }

    // The apply command reached the mesh: its coordinates are the points over the bitmap.
    void expectMeshHoldsPoints()
    {
        const std::vector<ImagePoint> points = editor().points();
        const std::vector<EditorHost::UV> uv = editor().meshCoordinates();
        ASSERT_EQ(uv.size(), points.size());
        for (size_t k = 0; k < uv.size(); ++k) {
            EXPECT_FLOAT_EQ(uv[k].u, points[k].x / kBitmapWidth) << k;
            EXPECT_FLOAT_EQ(uv[k].v, points[k].y / kBitmapHeight) << k;
        }
    }

    TestMesh cube;
};

TEST_F(EditorProjection, OkWithoutChangesProjectsOntoTheXyPlane)
{
    const auto seen = mapTextureCoordinates(editor(), {});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "Plane Select");
    EXPECT_EQ(seen[1].text, "xy");
    EXPECT_EQ(seen[1].caption, "caption");
    EXPECT_EQ(g_planeChoice, 1033);
    expectCorners(0, 1, false, false);
    // Each face gives (a, b), (a, c), (b, c); an ordered pair is stored once.
    std::set<std::pair<uint32_t, uint32_t>> pairs;
    for (size_t f = 0; f < cube.corners.size(); f += 3) {
        const uint32_t a = cube.corners[f], b = cube.corners[f + 1], c = cube.corners[f + 2];
        pairs.insert({a, b});
        pairs.insert({a, c});
        pairs.insert({b, c});
    }
    EXPECT_EQ(editor().pane().edgeCount(), int32_t(pairs.size()));
    expectMeshHoldsPoints();
}

TEST_F(EditorProjection, EachPlaneWithAndWithoutMirrors)
{
    struct Case {
        int box;
        const char* name;
        int sAxis, tAxis;
        bool mirrorU, mirrorV;
    };
    const Case cases[] = {
        {1034, "yz", 2, 1, false, false}, {1035, "xz", 0, 2, false, false},
        {1033, "xy", 0, 1, true, false},  {1034, "yz", 2, 1, false, true},
        {1035, "xz", 0, 2, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> clicks = {c.box == 1033 ? 1034 : c.box};
        if (c.box == 1033)
            clicks.push_back(1033);   // away and back: the boxes act as one radio group
        if (c.mirrorU)
            clicks.push_back(1036);
        if (c.mirrorV)
            clicks.push_back(1037);
        const auto seen = mapTextureCoordinates(editor(), clicks);
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].text, c.name);
        EXPECT_EQ(g_reverseU, c.mirrorU);
        EXPECT_EQ(g_reverseV, c.mirrorV);
        expectCorners(c.sAxis, c.tAxis, c.mirrorU, c.mirrorV);
        expectMeshHoldsPoints();
    }
}

TEST_F(EditorProjection, CancelProjectsNothingButAppliesThePaneToTheMesh)
{
    // Move a point without applying: pane and mesh now differ.
    const ImagePoint first = editor().points()[0];
    editor().dragPoint(first.x, first.y, 7, 3);
    ASSERT_NE(editor().points()[0].x, first.x);
    const std::vector<ImagePoint> before = editor().points();

    const auto seen = mapTextureCoordinates(editor(), {1035}, IDCANCEL);
    ASSERT_EQ(seen.size(), 1u);   // the dialog only: no plane box
    EXPECT_EQ(g_planeChoice, 0);
    const std::vector<ImagePoint> after = editor().points();
    ASSERT_EQ(after.size(), before.size());
    for (size_t k = 0; k < after.size(); ++k) {
        EXPECT_EQ(after[k].x, before[k].x);
        EXPECT_EQ(after[k].y, before[k].y);
    }
    expectMeshHoldsPoints();
}

TEST_F(EditorProjection, UncheckingThePlaneKeepsItsChoice)
{
    const auto seen = mapTextureCoordinates(editor(), {1035, 1035});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].text, "xz");
}

class EditorWriteBack : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_autoUpdateMesh = false;
        writeHalvesBitmap("halves.bmp");
        // All four corners on the red half.
        writeXFile("square_halves.x", squareMesh("halves.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
        ASSERT_TRUE(editor().openFile("square_halves.x").empty());
        ASSERT_EQ(editor().pane().pointCount(), 4);
        editor().menuCommand(40058);   // Select All
    }
    void TearDown() override { g_autoUpdateMesh = false; }

    // Drags the selection by half the bitmap's width.
    void dragSelectionRight(int pixels)
    {
        const ImagePoint first = editor().points()[0];
        editor().dragPoint(first.x, first.y, pixels, 0);
    }
};

TEST_F(EditorWriteBack, ApplyWritesThePointsAndTheNextFrameShowsThem)
{
    EXPECT_TRUE(isReddish(centrePixel(editor().frame())));
    const std::vector<EditorHost::UV> loaded = editor().meshCoordinates();
    dragSelectionRight(kBitmapWidth / 2);

    const std::vector<ImagePoint> moved = editor().points();
    for (size_t k = 0; k < moved.size(); ++k)
        EXPECT_FLOAT_EQ(moved[k].x, kBitmapWidth * loaded[k].u + kBitmapWidth / 2) << k;
    // Automatic update is off: the mesh and the picture wait for the apply command.
    const std::vector<EditorHost::UV> waiting = editor().meshCoordinates();
    for (size_t k = 0; k < waiting.size(); ++k)
        EXPECT_EQ(waiting[k].u, loaded[k].u) << k;
    EXPECT_TRUE(isReddish(centrePixel(editor().frame())));

    editor().pressApply();
    const std::vector<EditorHost::UV> applied = editor().meshCoordinates();
    for (size_t k = 0; k < applied.size(); ++k) {
        EXPECT_FLOAT_EQ(applied[k].u, moved[k].x / kBitmapWidth) << k;
        EXPECT_FLOAT_EQ(applied[k].v, moved[k].y / kBitmapHeight) << k;
    }
    const uint32_t centre = centrePixel(editor().frame());
    EXPECT_TRUE(isGreenish(centre)) << std::hex << centre;
}

TEST_F(EditorWriteBack, AutomaticUpdateAppliesAtTheButtonRelease)
{
    g_autoUpdateMesh = true;
    dragSelectionRight(kBitmapWidth / 2);
    const std::vector<ImagePoint> moved = editor().points();
    const std::vector<EditorHost::UV> applied = editor().meshCoordinates();
    ASSERT_EQ(applied.size(), moved.size());
    for (size_t k = 0; k < applied.size(); ++k)
        EXPECT_FLOAT_EQ(applied[k].u, moved[k].x / kBitmapWidth) << k;
    EXPECT_TRUE(isGreenish(centrePixel(editor().frame())));
}

TEST(EditorSaving, SavedXFileReopensWithEveryPointInPlace)
{
    writeHalvesBitmap("halves.bmp");
    writeXFile("square_halves.x", squareMesh("halves.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
    EditorHost& host = editor();
    ASSERT_TRUE(host.openFile("square_halves.x").empty());
    const ImagePoint corner = host.points()[2];
    host.dragPoint(corner.x, corner.y, 9, -5);
    const std::vector<ImagePoint> edited = host.points();
    ASSERT_NE(edited[2].x, corner.x);

    DeleteFileA("saved.x");
    EXPECT_TRUE(host.saveAs("saved.x").empty());
    ASSERT_TRUE(fileExists("saved.x"));
    const std::string header = readFileText("saved.x").substr(0, 16);
    EXPECT_EQ(header.substr(0, 4), "xof ");
    EXPECT_EQ(header.substr(8, 3), "bin");
    // The saved coordinates are the pane's points, v one bitmap height up.
    const std::vector<EditorHost::UV> saved = host.meshCoordinates();
    for (size_t k = 0; k < saved.size(); ++k)
        EXPECT_FLOAT_EQ(saved[k].v, edited[k].y / kBitmapHeight - 1.0f) << k;

    ASSERT_TRUE(host.openFile("saved.x").empty());
    const std::vector<ImagePoint> reopened = host.points();
    ASSERT_EQ(reopened.size(), edited.size());
    for (size_t k = 0; k < reopened.size(); ++k) {
        EXPECT_NEAR(reopened[k].x, edited[k].x, 1e-3) << k;
        EXPECT_NEAR(reopened[k].y, edited[k].y, 1e-3) << k;
    }
}

TEST(EditorSaving, NameEndingInNeitherXNor3dsWritesNothing)
{
    writeRedBitmap("red.bmp");
    writeXFile("square_red.x", squareMesh("red.bmp", 0, 1, -1, 0));
    EditorHost& host = editor();
    ASSERT_TRUE(host.openFile("square_red.x").empty());
    DeleteFileA("saved.obj");
    DeleteFileA("saved.xyz");
    host.saveAs("saved.obj");
    host.saveAs("saved.xyz");
    EXPECT_FALSE(fileExists("saved.obj"));
    EXPECT_FALSE(fileExists("saved.xyz"));
}

} // namespace

namespace {

TEST(EditorBitmap, OpenBitmapTexturesEverySubsetAndCloseBitmapEmptiesOnlyThePane)
{
    writeRedBitmap("red.bmp");
    writeXFile("square_red.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
    writeHalvesBitmap("halves.bmp");
    TestMesh twoSubsets = squareMesh("", 0.6f, 0.9f, 0.1f, 0.4f);
    twoSubsets.faceMaterials = {0, 1};
    twoSubsets.textures = {"", ""};
    writeXFile("square_two.x", twoSubsets);
    EditorHost& host = editor();
    ASSERT_TRUE(host.openFile("square_red.x").empty());
    ASSERT_TRUE(host.openFile("square_two.x").empty());
    const Capture grey = host.frame();
    EXPECT_TRUE(isGrey(centrePixel(grey)));

    {
        DialogAnswerer answerer;
        answerer.typeFileName(pathInCurrentFolder("halves.bmp"));
        host.menuCommand(40045);
        EXPECT_TRUE(answerer.boxTexts().empty());
    }
    ASSERT_NE(g_textureFileName.get(), nullptr);
    EXPECT_NE(std::string(g_textureFileName.get()).find("halves.bmp"), std::string::npos);
    ASSERT_EQ(host.subsetCount(), 2u);
    EXPECT_NE(host.subsetTexture(0), nullptr);
    EXPECT_NE(host.subsetTexture(1), nullptr);
    EXPECT_EQ(host.pane().windowBitmap()->getWidth(), kBitmapWidth);
    // u from 0.6 to 0.9: the green half, on both subsets.
    const Capture textured = host.frame();
    EXPECT_TRUE(isGreenish(textured.at(textured.width / 2 - 20, textured.height / 2 + 20)));
    EXPECT_TRUE(isGreenish(textured.at(textured.width / 2 + 20, textured.height / 2 - 20)));

    ASSERT_TRUE(host.openFile("square_red.x").empty());
    ASSERT_EQ(host.pane().pointCount(), 4);
    // The second row of tiles starts 30 + 32 rows down (the vertical bar stands at -30).
    EXPECT_TRUE(isReddish(captureClient(host.pane().windowHandle()).at(20, 75)));
    host.menuCommand(40049);   // Close Bitmap
    EXPECT_EQ(host.pane().windowBitmap()->getShownBitmap(), nullptr);
    EXPECT_FALSE(isReddish(captureClient(host.pane().windowHandle()).at(20, 75)));
    EXPECT_EQ(host.pane().pointCount(), 0);
    EXPECT_EQ(host.pane().edgeCount(), 0);
    EXPECT_EQ(g_textureFileName.get(), nullptr);
    // The mesh keeps the texture it was given.
    EXPECT_TRUE(isReddish(centrePixel(host.frame())));
}

} // namespace
