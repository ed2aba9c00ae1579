// The 3D view of the real editor, checked by the pixels of its back buffer: markers at the
// selected vertices in every drawing mode, the arcball, the switches and the strip limit.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/app/editor_host_win.h"
#include "tests/app/test_media.h"

namespace {

const UINT kLists = 40044, kStrips = 40040, kSingleStrip = 40039;

class EditorView : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeXFile("cube.x", cubeMesh(""));   // the marker
        ASSERT_EQ(Boxes{}, editor().openFile("square_red.x"));
        editor().resetView();
        editor().viewCommand(kLists);
    }
    void TearDown() override
    {
        editor().viewCommand(kLists);
        editor().resetView();
    }
};

// Where two frames differ, within [x0, x1) x [y0, y1): the count and the mean position.
struct Difference {
    int count = 0;
    double x = 0, y = 0;
};

Difference differenceOf(const Capture& a, const Capture& b, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1)
{
    Difference d;
    for (int y = y0; y < (y1 < 0 ? a.height : y1); ++y)
        for (int x = x0; x < (x1 < 0 ? a.width : x1); ++x)
            if (a.at(x, y) != b.at(x, y)) {
                d.x += x;
                d.y += y;
                ++d.count;
            }
    if (d.count) {
        d.x /= d.count;
        d.y /= d.count;
    }
    return d;
}

TEST_F(EditorView, MarkersFollowTheArcballInEveryModeAndTheSwitchesKeepThePicture)
{
    EditorHost& host = editor();
    host.click(200, 200);
    const Capture bare = host.frame();
    const int w = bare.width, h = bare.height;
    // The marker of the lower left corner (-1, -1) is centred where the square's corner shows.
    int left = w, bottom = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (bare.at(x, y) != 0x0000FF) {
                left = std::min(left, x);
                bottom = std::max(bottom, y);
            }
    host.click(host.points()[0].x, host.points()[0].y);
    const Difference one = differenceOf(bare, host.frame());
    EXPECT_GT(one.count, 0);
    EXPECT_LT(one.count, w * h / 50);
    EXPECT_NEAR(left, one.x, 6.0);
    EXPECT_NEAR(bottom, one.y, 6.0);
    host.click(200, 200);
    EXPECT_TRUE(bare.pixels == host.frame().pixels);

    host.menuCommand(40058);   // Select All: a marker in each quarter of the view, alike in every mode
    const Capture all = host.frame();
    for (const POINT q : {POINT{0, 0}, POINT{w / 2, 0}, POINT{0, h / 2}, POINT{w / 2, h / 2}})
        EXPECT_GT(differenceOf(bare, all, q.x, q.y, q.x + w / 2, q.y + h / 2).count, 0) << q.x << "," << q.y;
    for (UINT mode : {kStrips, kSingleStrip}) {
        host.viewCommand(mode);
        EXPECT_TRUE(all.pixels == host.frame().pixels) << mode;
    }
    host.viewCommand(kLists);
    // Moved down with the right button (the view is taller than wide: every marker stays in
    // sight), the markers go along.
    host.viewDrag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, {w / 2, h / 2}, {w / 2, h / 2 + 50});
    const Capture movedAll = host.frame();
    host.click(200, 200);
    const Capture movedBare = host.frame();
    const Difference before = differenceOf(bare, all), after = differenceOf(movedBare, movedAll);
    const int meshShift = centreOfNotBlue(movedBare).y - centreOfNotBlue(bare).y;
    EXPECT_GT(meshShift, 10);
    EXPECT_NEAR(before.count, after.count, before.count / 10);
    EXPECT_NEAR(meshShift, after.y - before.y, 4.0);
    EXPECT_NEAR(before.x, after.x, 4.0);
    // A sideways drag with the left button turns the square about the vertical axis: narrower.
    host.resetView();
    host.viewDrag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, {w / 4, h / 2}, {3 * w / 4, h / 2});
    const Capture turned = host.frame();
    EXPECT_LT(countNotBlue(turned), countNotBlue(bare) * 9 / 10);
    EXPECT_GT(countNotBlue(turned), 0);
    // Strips, one strip, the three label states, dynamic memory on and off (Ctrl+D) and 32-byte
    // vertices off and on (Ctrl+F, each reloading the mesh file) keep the picture.
    const DWORD options = host.meshOptions();
    bool dynamic = false, narrow = false;
    for (UINT command : {kStrips, kSingleStrip, 40038u, 40043u, 40042u, 40037u, 40037u, 40041u, 40041u, kLists}) {
        host.viewCommand(command);
        EXPECT_TRUE(turned.pixels == host.frame().pixels) << command;
        dynamic ^= command == 40037;
        narrow ^= command == 40041;
        EXPECT_EQ(dynamic, host.meshOptions() != options) << command;
        EXPECT_EQ(narrow, !host.force32ByteVertices()) << command;
    }
}

TEST_F(EditorView, SingleStripTooLongForTheDeviceIsLeftOut)
{
    // Subset 0: one triangle on the left; subset 1: a square of two triangles on the right.
    TestMesh mesh;
    mesh.vertices = {{-1, -1, 0, 0, 0}, {-1, 1, 0, 0, 0},  {-0.2f, -1, 0, 0, 0},
                     {0.2f, -1, 0, 0, 0}, {0.2f, 1, 0, 0, 0}, {1, 1, 0, 0, 0}, {1, -1, 0, 0, 0}};
    mesh.corners = {0, 1, 2, 3, 4, 5, 3, 5, 6};
    mesh.faceMaterials = {0, 1, 1};
    mesh.textures = {"", ""};
    writeXFile("two_subsets.x", mesh);
    ASSERT_EQ(Boxes{}, editor().openFile("two_subsets.x"));
    const DWORD limit = editor().primitiveLimit();
    editor().primitiveLimit() = 1;
    const Capture lists = editor().frame();
    editor().viewCommand(kSingleStrip);
    const Capture single = editor().frame();
    editor().primitiveLimit() = limit;
    EXPECT_TRUE(lists.pixels == editor().frame().pixels);
    const int w = lists.width, h = lists.height;
    const auto notBlueIn = [h](const Capture& c, int x0, int x1) { return (x1 - x0) * h - c.count(0x0000FF, x0, 0, x1, h); };
    EXPECT_GT(notBlueIn(lists, 0, w / 2), 0);
    EXPECT_GT(notBlueIn(lists, w / 2, w), 0);
    EXPECT_GT(notBlueIn(single, 0, w / 2), 0);
    EXPECT_EQ(0, notBlueIn(single, w / 2 + 5, w));
}

} // namespace
