// One image window in a real host window: what it paints, and how the mouse, key and toolbar
// messages reach the point editing.
#include "app/globals_win.h"
#include "tests/support/pane_host_win.h"
#include "tests/support/window_capture_win.h"
#include "toolkit/element_tree_win.h"
#include "viewer/apply_request.h"
#include "viewer/point_edit_state.h"
#include "viewer/viewer_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const uint32_t kFill = rgb(128, 128, 128);
const uint32_t kCorner = rgb(250, 10, 10);
const uint32_t kGreen = rgb(0, 255, 0);
const uint32_t kBlack = rgb(0, 0, 0);
const uint32_t kWhite = rgb(255, 255, 255);

class ImagePane : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProcessGlobals(GetModuleHandleA(nullptr));
        writeTestBitmap("tile.bmp", 64, 32, kFill, kCorner);
    }
    void TearDown() override { ResetProcessGlobals(GetModuleHandleA(nullptr)); }
};

// Corner-block pixels in the 4x4 block (scaled by `zoom`) whose top-left is (x, y).
int cornerPixels(const Capture& c, int x, int y, int zoom = 1)
{
    return c.count(kCorner, x, y, x + 4 * zoom, y + 4 * zoom);
}

// The four sides of a point's square at window position (x, y) in one colour, its middle not.
void expectSquare(const Capture& c, int x, int y, uint32_t colour)
{
    for (const POINT side : {POINT{x - 3, y}, POINT{x + 3, y}, POINT{x, y - 3}, POINT{x, y + 3}})
        EXPECT_EQ(colour, c.at(side.x, side.y)) << x << "," << y;
    EXPECT_NE(colour, c.at(x, y));
}

TEST_F(ImagePane, TilesFollowTheRepeatCountsAndPointsAreSquaresOverTheFirstTile)
{
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.group->addPoint(ImagePoint{20, 10});
    host.group->addPoint(ImagePoint{40, 20});
    host.group->selectByIndex(host.window().points.at(1));
    host.window().repaint();
    Capture c = captureClient(host.pane());
    // 2 x 2 tiles; the view's vertical offset -30 puts the first row 30 pixels down.
    for (const POINT tile : {POINT{0, 30}, POINT{64, 30}, POINT{0, 62}, POINT{64, 62}})
        EXPECT_EQ(16, cornerPixels(c, tile.x, tile.y));
    EXPECT_EQ(0, cornerPixels(c, 128, 30) + cornerPixels(c, 0, 94));
    EXPECT_NE(kFill, c.at(200, 50));   // beyond the tiles: the window's hatch
    expectSquare(c, 20, 40, kBlack);
    expectSquare(c, 40, 50, kGreen);
    EXPECT_EQ(kFill, c.at(64 + 20 - 3, 40));   // nothing over the other tiles
    EXPECT_EQ(kFill, c.at(20 - 3, 40 + 32));

    g_repeatHorizontal = 3;
    g_repeatVertical = 1;
    host.window().repaint();
    c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 128, 30));
    EXPECT_EQ(0, cornerPixels(c, 192, 30) + cornerPixels(c, 0, 62));
    // Any repeat count paints at once: only the tiles in view are drawn.
    g_repeatHorizontal = g_repeatVertical = 2000000000;
    host.window().repaint();
    EXPECT_EQ(16, cornerPixels(captureClient(host.pane()), 320, 30 + 7 * 32));
}

TEST_F(ImagePane, EdgesTakeTheLineColourOnceThePointsAreReadyAndTheRubberBandIsDottedWhite)
{
    PaneHost host(300, 200);
    host.showBitmap("tile.bmp");
    for (const POINT p : {POINT{10, 10}, POINT{50, 10}, POINT{10, 25}})
        host.group->addPoint(ImagePoint{float(p.x), float(p.y)});
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
        EXPECT_EQ(test.colour, c.at(30, 40)) << test.setting;   // on edge (0, 1)
        EXPECT_EQ(test.colour, c.at(10, 48)) << test.setting;   // on edge (0, 2)
    }
    g_pointsReady = false;
    host.window().repaint();
    EXPECT_EQ(kFill, captureClient(host.pane()).at(30, 40));

    host.press(20, 60);   // beside the points: a rubber band, dotted white until the release
    host.moveTo(100, 120);
    const Capture c = captureClient(host.pane());
    const int white = c.count(kWhite, 20, 60, 100, 61);   // the top side
    EXPECT_GT(white, 20);
    EXPECT_LT(white, 70);   // dotted: the bitmap shows through the gaps
    EXPECT_GT(c.count(kWhite, 100, 60, 101, 120), 15);   // right side, at the mouse
    host.release(100, 120);
    EXPECT_EQ(0, captureClient(host.pane()).count(kWhite, 20, 60, 100, 61));
}

TEST_F(ImagePane, ScrollingAndZoomMoveTilesAndPointsTogether)
{
    writeTestBitmap("big.bmp", 256, 128, kFill, kCorner);
    PaneHost host(300, 200);
    host.showBitmap("big.bmp");
    host.group->addPoint(ImagePoint{50, 10});
    SendMessageA(host.pane(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    SendMessageA(host.pane(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(15, host.window().scrollX);    // 300 / 20
    EXPECT_EQ(-20, host.window().scrollY);   // -30 + 200 / 20
    Capture c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 256 - 15, 20));
    expectSquare(c, 35, 30, kBlack);
    // Grown past the tiled image, the pane hides both bars: the view goes back to the start,
    // and the points stay on the first tile.
    SetWindowPos(host.host, nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(host.pane(), nullptr, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    host.window().repaint();
    c = captureClient(host.pane());
    EXPECT_EQ(16, cornerPixels(c, 0, 30));
    expectSquare(c, 50, 40, kBlack);

    host.command(40046);
    host.command(40046);
    EXPECT_FLOAT_EQ(2.0f, host.window().zoom);   // steps of a half, back to the first tile
    EXPECT_EQ(0, host.window().scrollX);
    EXPECT_EQ(-30, host.window().scrollY);
    c = captureClient(host.pane());
    EXPECT_EQ(64, cornerPixels(c, 0, 30, 2));
    expectSquare(c, 100, 50, kBlack);   // (50, 10) * 2, shifted by the view
    for (int step = 0; step < 4; ++step)
        host.command(40047);
    EXPECT_FLOAT_EQ(0.5f, host.window().zoom);   // zooming out stops at a half
    EXPECT_EQ(4, cornerPixels(captureClient(host.pane()), 128, 30));
}

// The real horizontal bar's thumb dragged from its left end to its right end, with the mouse
// messages the bar's own tracking takes; where the bars lie.
TEST_F(ImagePane, BarsLieAtTheEdgesAndADraggedThumbReachesAnEndBeyondSixteenBits)
{
    writeTestBitmap("wide.bmp", 2048, 16, kFill, kCorner);
    g_repeatHorizontal = 3;
    PaneHost host(300, 200);
    host.showBitmap("wide.bmp");
    while (host.window().zoom < 8.0f)
        host.command(40046);
    const int end = host.window().horizontalBar.maxscroll;
    ASSERT_EQ(end, 3 * 2048 * 8 + 30 - 300 + 20);
    // The bars lie along the bottom and right edges, each short of the other.
    for (const ImageScrollBar* b : {&host.window().horizontalBar, &host.window().verticalBar}) {
        RECT r;
        GetWindowRect(b->hwnd, &r);
        MapWindowPoints(nullptr, host.pane(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(b->horizontal ? "0 185 285 200" : "285 0 300 185",
                  std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
                      std::to_string(r.bottom));
    }
    const HWND bar = host.window().horizontalBar.hwnd;
    RECT client;
    GetClientRect(bar, &client);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL), y = client.bottom / 2;
    PostMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right - arrow - 1, y));
    PostMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(client.right - arrow - 1, y));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow + 2, y));
    EXPECT_EQ(end, host.window().scrollX);
    EXPECT_EQ(end, GetScrollPos(bar, SB_CTL));
}

int g_pendingSeenByApply = -1;
ImageWindow* g_applyWindow = nullptr;

// The apply handler: counts the points whose motion still waits when it runs.
void countPending()
{
    g_pendingSeenByApply = 0;
    g_applyWindow->points.forEachPoint([](const ImagePoint& p) { g_pendingSeenByApply += p.motionPending; });
}

TEST_F(ImagePane, MouseKeyAndToolbarMessagesSelectAndDragThePointsAtTheWindowsZoom)
{
    PaneHost host;
    host.showBitmap("tile.bmp");
    for (int k = 0; k < 3; ++k)   // the parent hears of each point added
        host.group->addPoint(ImagePoint{float(20 + 40 * k), 20});
    EXPECT_EQ((std::vector<WPARAM>{0, 1, 2}), host.notifications);
    EXPECT_EQ("Point" + handleDecimal(host.window().hwnd), g_elementTree.groupNameText());
    // A click at (x, 50) with `key` held; the selection flags after it.
    const auto clickWith = [&](int x, WPARAM key) {
        host.key(key, true);
        host.click(x, 50);
        host.key(key, false);
        std::string selected;
        host.window().points.forEachPoint([&](const ImagePoint& p) { selected += char('0' + p.selected); });
        return selected;
    };
    host.click(24, 50);   // the nearest point, kept after the release and painted green
    EXPECT_EQ(1, host.window().points.at(0).keepSelected);
    EXPECT_EQ(kGreen, captureClient(host.pane()).at(20 + 3, 50));
    clickWith(60, VK_SHIFT);
    EXPECT_EQ("110", clickWith(60, VK_SHIFT));     // Shift extends and never deselects
    EXPECT_EQ("010", clickWith(20, VK_CONTROL));   // Ctrl toggles
    EXPECT_FALSE(ctrlDown || shiftDown);

    const struct {
        int command, mode;
    } modes[] = {{40057, MotionRotate}, {40056, MotionScale}, {40055, MotionMove}};   // the toolbar's
    for (const auto& m : modes) {
        host.command(m.command);
        EXPECT_EQ(m.mode, g_editState.editMode) << m.command;
    }
    host.command(40046);
    host.command(40046);   // zoom 2: the second point sits at window (120, 70)
    host.moveTo(120, 70);
    host.drag(120, 70, 130, 66);
    EXPECT_FLOAT_EQ(65.0f, host.window().points.at(1).x);
    EXPECT_FLOAT_EQ(18.0f, host.window().points.at(1).y);
    EXPECT_EQ(kGreen, captureClient(host.pane()).at(130 + 3, 66));

    // Apply runs in the paint its button asks for, after that paint has moved the points.
    g_applyWindow = &host.window();
    setApplyPointsHandler(countPending);
    host.group->setMotion(0, 5, 0, MotionMove);
    host.command(40054);
    EXPECT_EQ(0, g_pendingSeenByApply);
    EXPECT_FALSE(g_editState.applyRequested);
    g_autoUpdateMesh = true;   // then a release asks for one too
    g_pendingSeenByApply = -1;
    host.click(130, 66);
    EXPECT_EQ(0, g_pendingSeenByApply);
}

// Arrow keys nudge the selection by a texel, by ten with Shift; with Snap to Texels a drag
// lands on whole texels. Each nudge and drag is one undo step of its own name.
TEST_F(ImagePane, ArrowsNudgeTheSelectionAndSnappedDragsLandOnTexelsOneUndoStepEach)
{
    PaneHost host;
    host.showBitmap("tile.bmp");
    host.group->addPoint(ImagePoint{20.5f, 20.25f});
    host.group->addPoint(ImagePoint{60, 20});
    ImageWindow& window = host.window();
    host.click(20, 50);
    const struct {
        WPARAM key;
        bool shift;
        float dx, dy;
    } nudges[] = {{VK_RIGHT, false, 1, 0}, {VK_LEFT, true, -10, 0}, {VK_DOWN, false, 0, 1}, {VK_UP, true, 0, -10}};
    for (const auto& n : nudges) {
        const ImagePoint before = window.points.at(0);
        host.key(VK_SHIFT, n.shift);
        host.key(n.key, true);
        host.key(n.key, false);
        host.key(VK_SHIFT, false);
        EXPECT_EQ(before.x + n.dx, window.points.at(0).x) << n.key;
        EXPECT_EQ(before.y + n.dy, window.points.at(0).y) << n.key;
    }
    for (bool snap : {false, true}) {
        g_snapToTexels = snap;
        const ImagePoint p = window.points.at(0);
        host.drag(int(p.x), int(p.y) + 30, int(p.x) + 3, int(p.y) + 32);
        const ImagePoint q = window.points.at(0);
        EXPECT_EQ(snap, std::round(q.x) == q.x && std::round(q.y) == q.y) << snap;
    }
    std::vector<std::string> steps;
    for (; window.history.canUndo(); window.history.undo(window.points))
        steps.push_back(window.history.undoLabel());
    EXPECT_EQ((std::vector<std::string>{"Move", "Move", "Nudge", "Nudge", "Nudge", "Nudge"}), steps);
    EXPECT_EQ(20.5f, window.points.at(0).x);
}

}  // namespace
