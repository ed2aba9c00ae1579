// The real editor in-process: start-up, opening meshes and bitmaps, projection, applying the
// pane to the mesh, the Options dialog and the 3D view, checked by the pixels of its frames.
#include <gtest/gtest.h>

#include <functional>

#include "app/globals_win.h"
#include "tests/app/editor_host_win.h"
#include "tests/app/test_media.h"
#include "tests/support/chunk_builder.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

const float kWidth = 64, kHeight = 32;   // of every bitmap the suite writes
const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

// The suite's editor starts before every test with "knot.x" in place (the sessions of the
// real program show it ending). The bitmaps and the square most tests open are written once,
// here.
class EditorStart : public ::testing::Environment {
    void SetUp() override
    {
        writeBitmap("red.bmp", kRed);
        writeBitmap("halves.bmp", kRed, kGreen);
        writeXFile("square_red.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
        writeBitmap("knotmap.bmp", kGreen);
        const TestMesh knot = squareMesh("knotmap.bmp", 0.1f, 0.6f, -0.7f, -0.2f);
        writeXFile("knot.x", knot);
        EditorHost& host = editor();
        char title[64] = "";
        GetWindowTextA(host.deviceWindow(), title, sizeof(title));
        EXPECT_STREQ("Quillfold: Optimizing Meshes in D3D", title);
        EXPECT_EQ(HCURSOR(GetClassLongPtrA(host.deviceWindow(), GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_SIZEALL));
        EXPECT_TRUE(host.presentParams().EnableAutoDepthStencil);
        EXPECT_TRUE(g_pointsReady && !g_autoUpdateMesh);
        EXPECT_TRUE(g_lineColorIndex == 0 && g_repeatHorizontal == 2 && g_repeatVertical == 2);
        // The start-up mesh fills the pane, but nothing is drawn until a file is opened.
        EXPECT_EQ(int32_t(knot.vertices.size()), host.pane().pointCount());
        EXPECT_EQ(0, countNotBlue(host.frame()));
        ASSERT_EQ(Boxes{}, host.openFile("knot.x"));
        EXPECT_EQ(Hue::Green, centreHue(host.frame()));
    }
};

const bool g_registered = (::testing::AddGlobalTestEnvironment(new EditorStart), true);

TEST(EditorOpen, MeshFilesFillThePaneWithTheirPointsAndEdgesOrEmptyItWithoutATexture)
{
    writeXFile("square_plain.x", squareMesh("", 0.25f, 0.75f, -0.75f, -0.25f));
    // A 3DS file without materials: reopening saved 3DS files is shown with the saving.
    writeFile("plain.3ds", mainFile(objectChunk("sq", join({vertexListChunk({{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}}),
                                                            faceListChunk({{0, 1, 2}}),
                                                            texCoordListChunk({{0, 0}, {0, 1}, {1, 1}})}))));
    // X files keep v one bitmap height up.
    const std::pair<const char*, bool> files[] = {{"square_red.x", true}, {"square_plain.x", false}, {"plain.3ds", false}};
    for (const auto& [file, textured] : files) {
        SCOPED_TRACE(file);
        ASSERT_EQ(Boxes{}, editor().openFile(file));
        EXPECT_EQ(textured ? "16,24 16,8 48,8 48,24" : "", pointsText());
        EXPECT_EQ(textured ? 5 : 0, editor().pane().edgeCount());   // the shared side once
        EXPECT_EQ(textured, g_textureFileName.get() && std::string(g_textureFileName.get()) == "red.bmp");
        const Capture frame = editor().frame();
        EXPECT_EQ(textured ? Hue::Red : Hue::Grey, centreHue(frame));
        EXPECT_EQ(0x0000FFu, frame.at(2, 2));
    }
}

TEST(EditorBitmap, OpenBitmapTexturesEverySubsetAndCloseBitmapEmptiesOnlyThePane)
{
    TestMesh twoSubsets = squareMesh("", 0.6f, 0.9f, 0.1f, 0.4f);
    twoSubsets.faceMaterials = {0, 1};
    twoSubsets.textures = {"", ""};
    writeXFile("square_two.x", twoSubsets);
    ASSERT_EQ(Boxes{}, editor().openFile("square_two.x"));
    EXPECT_EQ(Boxes{}, editor().openBitmap("halves.bmp"));
    EXPECT_NE(std::string::npos, std::string(g_textureFileName.get()).find("halves.bmp"));
    ASSERT_EQ(2u, editor().subsetCount());
    EXPECT_TRUE(editor().subsetTexture(0) && editor().subsetTexture(1));
    EXPECT_EQ(64, editor().pane().windowBitmap()->getWidth());
    const Capture textured = editor().frame();   // u from 0.6 to 0.9: green, on both triangles
    EXPECT_EQ(Hue::Green, hueOf(textured.at(textured.width / 2 - 20, textured.height / 2 + 20)));
    EXPECT_EQ(Hue::Green, hueOf(textured.at(textured.width / 2 + 20, textured.height / 2 - 20)));

    ASSERT_EQ(Boxes{}, editor().openFile("square_red.x"));
    // The second row of tiles starts 30 + 32 rows down (the vertical bar stands at -30).
    EXPECT_EQ(Hue::Red, hueOf(captureClient(editor().paneWindow()).at(20, 75)));
    editor().menuCommand(40049);   // Close Bitmap
    EXPECT_NE(Hue::Red, hueOf(captureClient(editor().paneWindow()).at(20, 75)));
    EXPECT_EQ(0, editor().pane().pointCount() + editor().pane().edgeCount());
    EXPECT_EQ(nullptr, g_textureFileName.get());
    EXPECT_EQ(Hue::Red, centreHue(editor().frame()));   // the mesh keeps its texture
}

// Plane Select (each plane, with and without mirrors) and Project... (its planar default) lay
// the cube on the bitmap's corners as one undo step each; Project offers an axis only for the
// cylinder and the sphere, and needs a mesh. Cancel projects nothing; Plane Select's applies
// the pane as it is to the mesh.
TEST(EditorProjection, PlaneSelectAndProjectPutTheCubeOnTheBitmapCorners)
{
    const UINT kPlaneSelect = 40052, kProject = 40150;
    bool axisOffered = true;
    const auto answer = [&](UINT command, std::vector<int> clicks, int button = IDOK) {
        return editor().answerDialog(command, clicks, button, [&](HWND dialog) {
            axisOffered = IsWindowEnabled(GetDlgItem(dialog, 1164)) && IsWindowEnabled(GetDlgItem(dialog, 1166));
        });
    };
    const TestMesh cube = cubeMesh("red.bmp");
    writeXFile("box.x", cube);
    editor().menuCommand(40051);   // Close File
    EXPECT_EQ(std::vector<std::string>{"Error:There is no mesh to project: open a mesh file first."}, answer(kProject, {}));
    ASSERT_EQ(Boxes{}, editor().openFile("box.x"));
    editor().resetView();
    const struct {
        UINT command;
        std::vector<int> clicks;   // 1033 xy, 1034 yz, 1035 xz, 1036 mirror u, 1037 mirror v
        const char* seen;          // Plane Select's box after the dialog, or Project's caption
        int s, t;                  // the axes across and down
        bool mirrorU, mirrorV;
    } cases[] = {
        {kPlaneSelect, {}, "caption:xy", 0, 1, false, false},
        {kPlaneSelect, {1034}, "caption:yz", 2, 1, false, false},
        {kPlaneSelect, {1035, 1036, 1037}, "caption:xz", 0, 2, true, true},
        {kPlaneSelect, {1034, 1033, 1036}, "caption:xy", 0, 1, true, false},
        {kPlaneSelect, {1034, 1037}, "caption:yz", 2, 1, false, true},
        {kPlaneSelect, {1035, 1035}, "caption:xz", 0, 2, false, false},
        {kProject, {1161, 1163}, "Project:Projection", 0, 1, false, false},
    };
    std::string before;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seen);
        before = pointsText();
        const std::vector<std::string> seen = answer(c.command, c.clicks);
        EXPECT_EQ(c.seen, seen.back());
        EXPECT_EQ(c.command == kPlaneSelect ? "Plane Select:" : c.seen, seen.front());
        const std::vector<ImagePoint> points = editor().points();
        ASSERT_EQ(8u, points.size());
        for (size_t k = 0; k < 8; ++k) {
            const float position[3] = {cube.vertices[k].x, cube.vertices[k].y, cube.vertices[k].z};
            EXPECT_EQ((position[c.s] > 0) != c.mirrorU ? kWidth : 0.0f, points[k].x) << k;
            EXPECT_EQ((position[c.t] > 0) != c.mirrorV ? kHeight : 0.0f, points[k].y) << k;
        }
        EXPECT_EQ(24, editor().pane().edgeCount());   // three ordered pairs per face, each once
        EXPECT_EQ(pointsText(), meshPointsText());
    }
    EXPECT_FALSE(axisOffered);
    EXPECT_EQ(std::vector<std::string>{"Project:Projection"}, answer(kProject, {1161}, IDCANCEL));
    EXPECT_TRUE(axisOffered);
    EXPECT_EQ("Project", editor().pane().activeWindow()->history.undoLabel());
    editor().menuCommand(40100);   // Undo
    EXPECT_EQ(before, pointsText());

    const ImagePoint first = editor().points()[0];
    editor().dragPoint(first.x, first.y, 7, 3);
    EXPECT_EQ(std::vector<std::string>{"Plane Select:"}, answer(kPlaneSelect, {1035}, IDCANCEL));
    EXPECT_EQ(0, g_planeChoice);
    EXPECT_EQ(first.x + 7, editor().points()[0].x);
    EXPECT_EQ(pointsText(), meshPointsText());
}

// Opens Options, reads what it shows (check box, repeats, colour and the colour list), runs
// `change` and ends it with `button`.
std::string runOptions(const std::function<void(HWND)>& change, int button = IDOK)
{
    std::string shown;
    editor().answerDialog(40053, {}, button, [&](HWND dialog) {
        char text[32];
        shown = SendDlgItemMessageA(dialog, 1038, BM_GETCHECK, 0, 0) == BST_CHECKED ? "auto" : "manual";
        for (int field : {1041, 1042}) {
            GetDlgItemTextA(dialog, field, text, sizeof(text));
            shown += std::string(" ") + text;
        }
        shown += " " + std::to_string(SendDlgItemMessageA(dialog, 1040, CB_GETCURSEL, 0, 0));
        for (int i = 0; i < int(SendDlgItemMessageA(dialog, 1040, CB_GETCOUNT, 0, 0)); ++i) {
            SendDlgItemMessageA(dialog, 1040, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            shown += std::string(" ") + text;
        }
        change(dialog);
    });
    return shown;
}

TEST(EditorOptions, ShowTheSettingsOkStoresAndRepaintsThePaneCancelKeeps)
{
    writeBitmap("olive.bmp", 0x808000);
    writeXFile("square_olive.x", squareMesh("olive.bmp", 0.2f, 0.8f, -0.8f, -0.2f));
    ASSERT_EQ(Boxes{}, editor().openFile("square_olive.x"));
    g_autoUpdateMesh = true;
    g_lineColorIndex = 2;
    g_repeatHorizontal = 4;
    g_repeatVertical = 5;
    EXPECT_EQ("auto 4 5 2 Black Red Green Blue", runOptions([](HWND) {}));
    EXPECT_TRUE(g_autoUpdateMesh && g_lineColorIndex == 2 && g_repeatHorizontal == 4 && g_repeatVertical == 5);
    // Numbers are read as atoi reads them; the pane is painted again with the red edges. A
    // typed colour selects none. Cancel keeps the values, but the check box acts at once.
    const auto set = [](HWND dialog, const char* across, const char* down) {
        SetDlgItemTextA(dialog, 1041, across);
        SetDlgItemTextA(dialog, 1042, down);
        SendDlgItemMessageA(dialog, 1040, CB_SETCURSEL, 1, 0);
    };
    runOptions([&](HWND dialog) { set(dialog, "  12xyz", "3"); });
    EXPECT_TRUE(g_repeatHorizontal == 12 && g_repeatVertical == 3 && g_lineColorIndex == 1);
    const Capture pane = captureClient(editor().paneWindow());
    EXPECT_GT(pane.count(kRed, 0, 30, pane.width, pane.height), 0);
    runOptions([](HWND dialog) {
        for (char c : std::string("Purple"))
            SendMessageA(GetWindow(GetDlgItem(dialog, 1040), GW_CHILD), WM_CHAR, WPARAM(c), 0);
    });
    EXPECT_EQ(-1, g_lineColorIndex);
    runOptions([&](HWND dialog) {
        SendDlgItemMessageA(dialog, 1038, BM_CLICK, 0, 0);
        set(dialog, "9", "9");
    }, IDCANCEL);
    EXPECT_TRUE(!g_autoUpdateMesh && g_repeatVertical == 3 && g_lineColorIndex == -1);
    resetViewerSettings();
}

} // namespace
