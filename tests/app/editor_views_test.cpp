// The editor's views of the texture: the checker in the pane and on the mesh, and the stretch
// tint of the pane's triangles (Project... is with the projections).
#include <gtest/gtest.h>

#include "tests/app/editor_host_win.h"
#include "tests/app/test_media.h"
#include "viewer/checker_pattern.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"

namespace {

// Pixels of the pane below its toolbar that `is` picks.
template <typename Pick> int paneCountWhere(Pick is)
{
    const Capture pane = captureClient(editor().paneWindow());
    int count = 0;
    for (int y = 30; y < pane.height; ++y)
        for (int x = 0; x < pane.width; ++x)
            count += is(pane.at(x, y), int(pane.at(x, y) >> 16) - int(pane.at(x, y) & 0xFF));
    return count;
}
int paneCount(uint32_t colour)
{
    return paneCountWhere([colour](uint32_t pixel, int) { return pixel == colour; });
}

// How far apart the darkest and the lightest red values lie in the middle of the 3D view.
int shadesInTheMiddle()
{
    const Capture frame = editor().frame();
    int darkest = 255, lightest = 0;
    for (int y = frame.height / 2 - 30; y < frame.height / 2 + 30; ++y)
        for (int x = frame.width / 2 - 30; x < frame.width / 2 + 30; ++x) {
            darkest = std::min(darkest, int(frame.at(x, y) >> 16));
            lightest = std::max(lightest, int(frame.at(x, y) >> 16));
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
    // With no bitmap size (none opened yet), Project lays the points on the checker, and the
    // mesh takes them from it.
    ImageBitmap& bitmap = *editor().pane().windowBitmap();
    const int width = bitmap.getWidth();
    bitmap.setWidth(0);
    EXPECT_EQ(std::vector<std::string>{"Project:Projection"}, editor().answerDialog(40150, {}));
    bitmap.setWidth(width);
    EXPECT_EQ("0,0 0,256 256,256 256,0", pointsText());   // the corners of one checker tile
    EXPECT_EQ(pointsText(), meshPointsText(kCheckerSide, kCheckerSide));

    writeXFile("square_wide.x", squareMesh("red.bmp", 0.1f, 0.9f, -0.9f, -0.1f));
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("square_wide.x"));
    const int red = paneCount(0xFF0000);
    EXPECT_EQ(0, paneCount(kCheckerLight));
    EXPECT_LT(shadesInTheMiddle(), 10);
    editor().menuCommand(40151);
    EXPECT_EQ(UINT(MF_CHECKED), GetMenuState(GetMenu(editor().mainWindow()), 40151, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0, paneCount(0xFF0000));
    EXPECT_GT(paneCount(kCheckerLight), red / 3);
    EXPECT_GT(shadesInTheMiddle(), 40);
    editor().menuCommand(40151);
    EXPECT_EQ(red, paneCount(0xFF0000));
    EXPECT_EQ(Hue::Red, centreHue(editor().frame()));
}

TEST(EditorStretch, OfTwoEqualTrianglesTheOneWithTwiceTheTextureIsRedAndTheOtherBlue)
{
    writeBitmap("grey.bmp", 0x808080);
    TestMesh two;
    two.vertices = {{0, 0, 0, 0.05f, -0.95f}, {1, 0, 0, 0.35f, -0.95f}, {0, 1, 0, 0.05f, -0.55f},
                    {2, 0, 0, 0.45f, -0.95f}, {3, 0, 0, 0.95f, -0.95f}, {2, 1, 0, 0.45f, -0.47f}};
    two.corners = {0, 1, 2, 3, 4, 5};
    two.textures = {"grey.bmp"};
    writeXFile("two.x", two);
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("two.x"));
    // Tinted grey keeps some green; the blue around the tiles has none.
    const auto reddish = [](uint32_t pixel, int redOverBlue) { return redOverBlue > 40 && (pixel & 0xFF00) > 0x2000; };
    const auto bluish = [](uint32_t pixel, int redOverBlue) { return redOverBlue < -40 && (pixel & 0xFF00) > 0x2000; };
    EXPECT_EQ(0, paneCountWhere(reddish) + paneCountWhere(bluish));
    editor().menuCommand(40152);
    EXPECT_GT(paneCountWhere(bluish), 60);                           // about 120 pixels less its edges
    EXPECT_GT(paneCountWhere(reddish), paneCountWhere(bluish) * 3 / 2);   // the one twice its size
    editor().menuCommand(40152);
    EXPECT_EQ(0, paneCountWhere(reddish) + paneCountWhere(bluish));
}

} // namespace
