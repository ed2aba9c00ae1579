#include "app/globals_win.h"
#include "tests/support/window_capture_win.h"
#include "tests/support/pane_host_win.h"
#include "viewer/viewer_settings.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kFill = rgb(128, 128, 128);
const uint32_t kCorner = rgb(250, 10, 10);
const uint32_t kGreen = rgb(0, 255, 0);
const uint32_t kBlack = rgb(0, 0, 0);
const uint32_t kWhite = rgb(255, 255, 255);

class ImagePanePaint : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessGlobals(GetModuleHandleA(nullptr)); }
    void TearDown() override { ResetProcessGlobals(GetModuleHandleA(nullptr)); }
};

// Number of corner-block pixels in the 4x4 block (scaled by `zoom`) whose top-left is (x, y).
int cornerPixels(const Capture& c, int x, int y, int zoom = 1)
{
    return c.count(kCorner, x, y, x + 4 * zoom, y + 4 * zoom);
}

// The four sides of a point's square, at window position (wx, wy), in one colour.
void expectSquare(const Capture& c, int wx, int wy, uint32_t colour)
{
    EXPECT_EQ(colour, c.at(wx - 3, wy)) << "left side of " << wx << "," << wy;
    EXPECT_EQ(colour, c.at(wx + 3, wy)) << "right side";
    EXPECT_EQ(colour, c.at(wx, wy - 3)) << "top side";
    EXPECT_EQ(colour, c.at(wx, wy + 3)) << "bottom side";
    EXPECT_NE(colour, c.at(wx, wy)) << "the square is an outline";
}

TEST_F(ImagePanePaint, TilesAreDrawnAtTheirPlaces)
{
    writeTestBitmap("tile.bmp", 64, 32, kFill, kCorner);
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.window().repaint();
    Capture c = captureClient(host.pane());
    // 2 x 2 tiles, the view's vertical offset -30 puts the first row 30 pixels down.
    EXPECT_EQ(16, cornerPixels(c, 0, 30));
    EXPECT_EQ(16, cornerPixels(c, 64, 30));
    EXPECT_EQ(16, cornerPixels(c, 0, 62));
    EXPECT_EQ(16, cornerPixels(c, 64, 62));
    EXPECT_EQ(kFill, c.at(100, 50));
    EXPECT_EQ(0, cornerPixels(c, 128, 30));
    EXPECT_EQ(0, cornerPixels(c, 0, 94));
    EXPECT_NE(kFill, c.at(200, 50));   // beyond the tiles: the window's hatch background

    g_repeatHorizontal = 3;
    g_repeatVertical = 1;
    host.window().repaint();
    c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 128, 30));
    EXPECT_EQ(0, cornerPixels(c, 192, 30));
    EXPECT_EQ(0, cornerPixels(c, 0, 62));

    // Any repeat count paints at once: only the tiles in view are drawn.
    g_repeatHorizontal = 2000000000;
    g_repeatVertical = 2000000000;
    host.window().repaint();
    c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 320, 30 + 7 * 32));
}

TEST_F(ImagePanePaint, PointsAreSquaresOverTheFirstTileAndSelectedOnesGreen)
{
    writeTestBitmap("tile.bmp", 64, 32, kFill, kCorner);
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.group->addPoint(pointAt(20, 10));
    host.group->addPoint(pointAt(40, 20));
    ImagePoint second;
    second.index = 1;
    host.group->selectByIndex(second);
    host.window().repaint();
    const Capture c = captureClient(host.pane());
    expectSquare(c, 20, 40, kBlack);
    expectSquare(c, 40, 50, kGreen);
    // Nothing of them over the other tiles.
    EXPECT_EQ(kFill, c.at(64 + 20 - 3, 40));
    EXPECT_EQ(kFill, c.at(20 - 3, 40 + 32));
}

TEST_F(ImagePanePaint, EdgesAreDrawnInTheLineColour)
{
    writeTestBitmap("tile.bmp", 64, 32, kFill, kCorner);
    PaneHost host(300, 200);
    host.showBitmap("tile.bmp");
    host.group->addPoint(pointAt(10, 10));
    host.group->addPoint(pointAt(50, 10));
    host.group->addPoint(pointAt(10, 25));
    host.group->addEdge(0, 1);
    host.group->addEdge(0, 2);
    host.group->addEdge(1, 9);   // names no point: skipped
    const struct {
        int setting;
        uint32_t colour;
    } cases[] = {{0, kBlack}, {1, rgb(255, 0, 0)}, {2, kGreen}, {3, rgb(0, 0, 255)}, {4, kBlack}, {-1, kBlack}};
    for (const auto& test : cases) {
        g_lineColorIndex = test.setting;
        host.window().repaint();
        const Capture c = captureClient(host.pane());
        EXPECT_EQ(test.colour, c.at(30, 40)) << "setting " << test.setting;   // middle of edge (0, 1)
        EXPECT_EQ(test.colour, c.at(10, 48)) << "setting " << test.setting;   // on edge (0, 2)
    }
    g_pointsReady = false;
    host.window().repaint();
    EXPECT_EQ(kFill, captureClient(host.pane()).at(30, 40));
}

TEST_F(ImagePanePaint, RubberBandIsDottedWhite)
{
    writeTestBitmap("tile.bmp", 128, 128, kFill, kCorner);
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.group->addPoint(pointAt(100, 100));
    host.press(20, 60);
    host.moveTo(100, 120);
    const Capture c = captureClient(host.pane());
    const int white = c.count(kWhite, 20, 60, 100, 61);   // the band's top side
    EXPECT_GT(white, 20);
    EXPECT_LT(white, 70);   // dotted: the bitmap shows through the gaps
    EXPECT_GT(c.count(kFill, 20, 60, 100, 61), 10);
    EXPECT_GT(c.count(kWhite, 100, 60, 101, 120), 15);   // right side, at the mouse
    host.release(100, 120);
    EXPECT_EQ(0, captureClient(host.pane()).count(kWhite, 20, 60, 100, 61));
}

TEST_F(ImagePanePaint, ScrollingMovesTilesAndPointsTogether)
{
    writeTestBitmap("big.bmp", 256, 128, kFill, kCorner);
    PaneHost host(300, 200);
    host.showBitmap("big.bmp");
    host.group->addPoint(pointAt(50, 10));
    EXPECT_EQ(262, host.window().horizontalBar.maxscroll);   // 2*256+30 - 300, + 20
    SendMessageA(host.pane(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(15, host.window().scrollX);   // 300 / 20
    SendMessageA(host.pane(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(-20, host.window().scrollY);   // -30 + 200 / 20
    const Capture c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 256 - 15, 20));
    expectSquare(c, 35, 30, kBlack);
    SendMessageA(host.pane(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1000), 0);
    EXPECT_EQ(262, host.window().scrollX);   // clamped to the range

    // Grown past the tiled image, the pane hides both bars: the view goes back to the start,
    // and the points stay on the first tile.
    SetWindowPos(host.host, nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(host.pane(), nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    host.window().repaint();
    const Capture grown = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(grown, 0, 30));
    expectSquare(grown, 50, 40, kBlack);
}

// The real horizontal bar's thumb dragged from its left end to its right end, with the mouse
// messages the bar's own tracking takes.
void dragThumbAcross(HWND bar)
{
    RECT client;
    GetClientRect(bar, &client);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL), y = client.bottom / 2;
    PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right - arrow - 1, y));
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(client.right - arrow - 1, y));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow + 2, y));
}

TEST_F(ImagePanePaint, ThumbDragReachesTheEndOfARangeBeyondSixteenBits)
{
    writeTestBitmap("wide.bmp", 2048, 16, kFill, kCorner);
    g_repeatHorizontal = 3;
    PaneHost host(300, 200);
    host.showBitmap("wide.bmp");
    while (host.window().zoom < 8.0f)
        host.command(40046);
    const int end = host.window().horizontalBar.maxscroll;
    ASSERT_EQ(end, 3 * 2048 * 8 + 30 - 300 + 20);
    dragThumbAcross(host.window().horizontalBar.hwnd);
    EXPECT_EQ(end, host.window().scrollX);
    EXPECT_EQ(end, GetScrollPos(host.window().horizontalBar.hwnd, SB_CTL));
}

TEST_F(ImagePanePaint, ZoomStepsByHalfAndReturnsToTheFirstTile)
{
    writeTestBitmap("tile.bmp", 64, 32, kFill, kCorner);
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.group->addPoint(pointAt(20, 10));
    SendMessageA(host.pane(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    host.command(40046);
    EXPECT_FLOAT_EQ(1.5f, host.window().zoom);
    host.command(40046);
    EXPECT_FLOAT_EQ(2.0f, host.window().zoom);
    EXPECT_EQ(0, host.window().scrollX);
    EXPECT_EQ(-30, host.window().scrollY);
    EXPECT_EQ(-30, host.window().verticalBar.position);
    Capture c = captureClient(host.pane());
    EXPECT_EQ(64, cornerPixels(c, 0, 30, 2));
    EXPECT_EQ(64, cornerPixels(c, 128, 30, 2));
    EXPECT_EQ(64, cornerPixels(c, 0, 94, 2));
    expectSquare(c, 40, 50, kBlack);   // (20, 10) * 2, shifted by the view

    for (int step = 0; step < 4; ++step)
        host.command(40047);
    EXPECT_FLOAT_EQ(0.5f, host.window().zoom);   // zooming out stops at 0.5
    c = captureClient(host.pane());
    EXPECT_EQ(4, cornerPixels(c, 0, 30, 1) );
    EXPECT_EQ(4, cornerPixels(c, 32, 30, 1));
}

}  // namespace
