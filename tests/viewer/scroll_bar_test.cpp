#include "viewer/image_scroll_bar_win.h"

#include <gtest/gtest.h>
#include "tests/support/test_window_win.h"
#include "viewer/viewer_settings.h"

namespace {

struct Range {
    int low, high;
    bool operator==(const Range& other) const { return low == other.low && high == other.high; }
};

Range rangeOf(const ImageScrollBar& bar) {
    Range range{};
    GetScrollRange(bar.hwnd, SB_CTL, &range.low, &range.high);
    return range;
}

RECT placeOf(HWND control) {
    RECT place = {};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void expectPlace(HWND control, int x, int y, int width, int height) {
    const RECT place = placeOf(control);
    EXPECT_EQ(place.left, x);
    EXPECT_EQ(place.top, y);
    EXPECT_EQ(place.right - place.left, width);
    EXPECT_EQ(place.bottom - place.top, height);
}

WPARAM request(int code, int thumb = 0) {
    return MAKEWPARAM(code, static_cast<WORD>(static_cast<int16_t>(thumb)));
}

// Both bars of one image window, created on a real 300 x 200 parent.
struct Bars : testing::Test {
    TestWindow parent{300, 200};
    ImageScrollBar across{ImageScrollBar::OrientationHorizontal};
    ImageScrollBar down{ImageScrollBar::OrientationVertical};

    void SetUp() override {
        across.create(ImageScrollBar::OrientationHorizontal, parent.handle(), nullptr);
        down.create(ImageScrollBar::OrientationVertical, parent.handle(), nullptr);
    }
};

TEST_F(Bars, CreateMakesVisibleBarsAlongTheBottomAndRightEdges) {
    ASSERT_NE(across.hwnd, nullptr);
    ASSERT_NE(down.hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(across.hwnd));
    EXPECT_TRUE(IsWindowVisible(down.hwnd));
    EXPECT_EQ(across.created, 1);
    EXPECT_EQ(across.horizontal, 1);
    EXPECT_EQ(down.horizontal, 0);
    expectPlace(across.hwnd, 0, 185, 285, 15);
    expectPlace(down.hwnd, 285, 0, 15, 185);
    EXPECT_EQ(GetDlgCtrlID(across.hwnd), 21);
    EXPECT_FALSE(GetWindowLongA(across.hwnd, GWL_STYLE) & SBS_VERT);
    EXPECT_TRUE(GetWindowLongA(down.hwnd, GWL_STYLE) & SBS_VERT);
    // Nothing sized yet: the range runs from the lower end to 0 + 20.
    EXPECT_EQ(rangeOf(across), (Range{0, 20}));
    EXPECT_EQ(rangeOf(down), (Range{-30, 20}));
    EXPECT_EQ(across.position, 0);
    EXPECT_EQ(down.position, 0);
}

TEST_F(Bars, CreatingAgainMovesTheSameBarToTheParentsNewEdge) {
    HWND first = across.hwnd;
    SetWindowPos(parent.handle(), nullptr, 0, 0, 400, 250, SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(parent.handle(), &client);
    across.create(ImageScrollBar::OrientationHorizontal, parent.handle(), nullptr);
    EXPECT_EQ(across.hwnd, first);
    expectPlace(across.hwnd, 0, client.bottom - 15, client.right - 15, 15);
    down.move(parent.handle());
    expectPlace(down.hwnd, client.right - 15, 0, 15, client.bottom - 15);
}

TEST_F(Bars, ImageLargerThanTheViewportSetsTheRangeOfTheTiledImage) {
    across.setWindowSize(300, 200);
    down.setWindowSize(300, 200);
    across.setImageSize(256, 128);
    down.setImageSize(256, 128);
    EXPECT_EQ(across.contentWidth, 542);
    EXPECT_EQ(across.maxscroll, 262);  // 542 - 300 = 242, plus 20
    EXPECT_EQ(rangeOf(across), (Range{0, 262}));
    EXPECT_EQ(down.contentHeight, 286);
    EXPECT_EQ(rangeOf(down), (Range{-30, 106}));  // 286 - 200 + 20
    EXPECT_TRUE(IsWindowVisible(across.hwnd));
    EXPECT_TRUE(IsWindowVisible(down.hwnd));
}

TEST_F(Bars, ImageSmallerThanTheViewportHidesTheBars) {
    across.setWindowSize(300, 200);
    down.setWindowSize(300, 200);
    EXPECT_EQ(down.position, -30) << "a vertical bar hidden by the viewport sits at its lower end";
    EXPECT_EQ(across.position, 0);
    down.setImageSize(50, 40);
    across.setImageSize(50, 40);
    EXPECT_FALSE(IsWindowVisible(across.hwnd));
    EXPECT_FALSE(IsWindowVisible(down.hwnd));
    EXPECT_EQ(across.visible, 0);
    EXPECT_EQ(across.maxscroll, 30);
    EXPECT_EQ(rangeOf(across), (Range{0, 30}));
    EXPECT_EQ(rangeOf(down), (Range{-30, 30}));
    EXPECT_EQ(down.position, 0) << "an image that fits puts even the vertical bar at 0";

    // The same image in a smaller viewport brings the bars back.
    across.setWindowSize(100, 80);
    down.setWindowSize(100, 80);
    EXPECT_TRUE(IsWindowVisible(across.hwnd));
    EXPECT_TRUE(IsWindowVisible(down.hwnd));
    EXPECT_EQ(rangeOf(across), (Range{0, 50}));  // 130 - 100 + 20
    EXPECT_EQ(rangeOf(down), (Range{-30, 50}));  // 110 - 80 + 20
}

TEST_F(Bars, ContentAtTheViewportSizeKeepsTheBarShown) {
    across.setWindowSize(130, 200);
    across.setImageSize(50, 40);  // 50·2 + 30 = 130: nothing to scroll, yet not negative
    EXPECT_TRUE(IsWindowVisible(across.hwnd));
    EXPECT_EQ(across.maxscroll, 20);
    across.setWindowSize(131, 200);
    EXPECT_FALSE(IsWindowVisible(across.hwnd));
    EXPECT_EQ(across.maxscroll, 30);
}

TEST_F(Bars, RepeatSettingsScaleTheContent) {
    g_repeatHorizontal = 3;
    g_repeatVertical = 1;
    across.setImageSize(100, 100);
    down.setImageSize(100, 100);
    resetViewerSettings();
    EXPECT_EQ(across.contentWidth, 330);
    EXPECT_EQ(down.contentHeight, 130);
}

TEST_F(Bars, ScrollRequestsMoveByLinesPagesAndThumbWithinTheRange) {
    down.setWindowSize(300, 100);
    down.setImageSize(256, 256);  // range -30 .. 442 + 20
    ASSERT_EQ(down.maxscroll, 462);
    down.resetPosition();
    EXPECT_EQ(down.scroll(request(SB_PAGEDOWN), 199), 49);
    EXPECT_EQ(down.scroll(request(SB_LINEDOWN), 199), 58);
    EXPECT_EQ(GetScrollPos(down.hwnd, SB_CTL), 58);
    EXPECT_EQ(down.scroll(request(SB_LINEUP), 199), 49);
    EXPECT_EQ(down.scroll(request(SB_PAGEUP), 199), 0);
    EXPECT_EQ(down.scroll(request(SB_PAGEUP), 199), -30) << "clamped to the lower end";
    EXPECT_EQ(down.scroll(request(SB_THUMBTRACK, -12), 199), -12);
    EXPECT_EQ(down.scroll(request(SB_THUMBPOSITION, 5000), 199), 462);
    EXPECT_EQ(GetScrollPos(down.hwnd, SB_CTL), 462);
    EXPECT_EQ(down.scroll(request(SB_ENDSCROLL, 7), 199), 462) << "other requests change nothing";
    EXPECT_EQ(down.position, 462);

    across.setWindowSize(300, 100);
    across.setImageSize(256, 256);
    EXPECT_EQ(across.scroll(request(SB_LINERIGHT), 300), 15);
    EXPECT_EQ(across.scroll(request(SB_PAGERIGHT), 300), 90);
    EXPECT_EQ(across.scroll(request(SB_THUMBTRACK, -12), 300), 0) << "nothing left of 0";
}

TEST_F(Bars, ResetPositionMovesTheThumbHome) {
    across.setWindowSize(100, 100);
    across.setImageSize(256, 256);
    across.scroll(request(SB_PAGERIGHT), 100);
    ASSERT_EQ(GetScrollPos(across.hwnd, SB_CTL), 25);
    across.resetPosition();
    EXPECT_EQ(across.position, 0);
    EXPECT_EQ(GetScrollPos(across.hwnd, SB_CTL), 0);
}

TEST(ScrollBar, DisabledBarIsNotCreated) {
    TestWindow parent(200, 200);
    ImageScrollBar bar(ImageScrollBar::OrientationHorizontal);
    bar.disabled = 1;
    bar.position = 40;
    bar.create(ImageScrollBar::OrientationHorizontal, parent.handle(), nullptr);
    EXPECT_EQ(bar.hwnd, nullptr);
    EXPECT_EQ(bar.created, 0);
    EXPECT_EQ(bar.position, 0);
    EXPECT_EQ(GetWindow(parent.handle(), GW_CHILD), nullptr);
}

TEST(ScrollBar, BarsSizedBeforeTheirWindowExistsKeepTheirArithmetic) {
    ImageScrollBar across(ImageScrollBar::OrientationHorizontal);
    ImageScrollBar down(ImageScrollBar::OrientationVertical);
    across.setWindowSize(300, 200);
    down.setWindowSize(300, 200);
    EXPECT_EQ(down.position, -30);
    across.setImageSize(256, 128);
    down.setImageSize(256, 128);
    EXPECT_EQ(across.maxscroll, 262);
    EXPECT_EQ(down.maxscroll, 106);
    EXPECT_EQ(across.visible, 1);
}

} // namespace
