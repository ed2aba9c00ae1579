// The editor's views of the texture: Project..., checked through its real dialog, and the
// checker in the pane and on the mesh.
#include <gtest/gtest.h>

#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "viewer/checker_pattern.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"

namespace {

const float kWidth = 64, kHeight = 32;   // of every bitmap the suite writes

// Project...: clicks the given controls, notes whether the axis is offered, then `button`.
std::vector<std::string> project(std::vector<int> clicks, bool* axisOffered = nullptr, int button = IDOK)
{
    return editor().answerDialog(40150, clicks, button, [axisOffered](HWND dialog) {
        if (axisOffered)
            *axisOffered = IsWindowEnabled(GetDlgItem(dialog, 1164)) && IsWindowEnabled(GetDlgItem(dialog, 1166));
    });
}

TEST(EditorProject, TheViewAtRestLaysTheCubeOnTheBitmapCornersAsOneUndoStep)
{
    writeBitmap("red.bmp", 0xFF0000);
    const TestMesh cube = cubeMesh("red.bmp");
    writeXFile("box.x", cube);
    editor().menuCommand(40051);   // Close File
    EXPECT_EQ(std::vector<std::string>{"Error:There is no mesh to project: open a mesh file first."}, project({}));
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("box.x"));
    editor().resetView();
    const std::vector<ImagePoint> before = editor().points();

    bool axisOffered = true;
    EXPECT_EQ(std::vector<std::string>{"Project:Projection"}, project({1161, 1163}, &axisOffered));
    EXPECT_FALSE(axisOffered);   // only the cylinder and the sphere have one
    const std::vector<ImagePoint> points = editor().points();
    ASSERT_EQ(8u, points.size());
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(cube.vertices[k].x > 0 ? kWidth : 0.0f, points[k].x) << k;
        EXPECT_EQ(cube.vertices[k].y > 0 ? kHeight : 0.0f, points[k].y) << k;
    }
    expectMeshHoldsPoints();
    EXPECT_EQ(24, editor().pane().edgeCount());

    // Cancel (with the axis offered for the cylinder) changes nothing; undo puts back the
    // points from before the projection.
    EXPECT_EQ(std::vector<std::string>{"Project:Projection"}, project({1161}, &axisOffered, IDCANCEL));
    EXPECT_TRUE(axisOffered);
    EXPECT_EQ(points[7].x, editor().points()[7].x);
    EXPECT_EQ("Project", editor().pane().activeWindow()->history.undoLabel());
    editor().menuCommand(40100);
    for (size_t k = 0; k < 8; ++k)
        EXPECT_EQ(before[k].x, editor().points()[k].x) << k;
}

// Pixels of the pane below its toolbar of exactly `colour`.
int paneCount(uint32_t colour)
{
    const Capture pane = captureClient(editor().paneWindow());
    return pane.count(colour, 0, 30, pane.width, pane.height);
}

// How far apart the darkest and the lightest red values lie in the middle of the 3D view.
int shadesInTheMiddle()
{
    const Capture frame = editor().frame();
    int darkest = 255, lightest = 0;
    for (int y = frame.height / 2 - 30; y < frame.height / 2 + 30; ++y)
        for (int x = frame.width / 2 - 30; x < frame.width / 2 + 30; ++x) {
            const int red = int(frame.at(x, y) >> 16);
            darkest = std::min(darkest, red);
            lightest = std::max(lightest, red);
        }
    return lightest - darkest;
}

TEST(EditorChecker, StandsInForAMissingTextureAndWhileCheckedForTheBitmap)
{
    writeXFile("square_plain.x", squareMesh("", 0.1f, 0.9f, -0.9f, -0.1f));
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("square_plain.x"));
    editor().resetView();
    EXPECT_GT(paneCount(kCheckerLight), 500);
    EXPECT_GT(paneCount(kCheckerDark), 500);
    EXPECT_GT(shadesInTheMiddle(), 40);   // light and dark squares on the mesh

    writeBitmap("red.bmp", 0xFF0000);
    writeXFile("square_red.x", squareMesh("red.bmp", 0.1f, 0.9f, -0.9f, -0.1f));
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("square_red.x"));
    const int red = paneCount(0xFF0000);
    EXPECT_GT(red, 500);
    EXPECT_EQ(0, paneCount(kCheckerLight));
    EXPECT_LT(shadesInTheMiddle(), 10);
    const UINT checker = 40151;
    editor().menuCommand(checker);
    EXPECT_EQ(UINT(MF_CHECKED), GetMenuState(GetMenu(editor().mainWindow()), checker, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0, paneCount(0xFF0000));
    EXPECT_GT(paneCount(kCheckerLight), red / 3);
    EXPECT_NE(Hue::Red, centreHue(editor().frame()));
    EXPECT_GT(shadesInTheMiddle(), 40);
    editor().menuCommand(checker);
    EXPECT_EQ(red, paneCount(0xFF0000));
    EXPECT_EQ(Hue::Red, centreHue(editor().frame()));
}

} // namespace
