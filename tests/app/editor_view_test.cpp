// The 3D view of the real editor, checked by the pixels of its back buffer: markers at the
// selected vertices, the drawing modes and switches, the strip limit and the arcball.
#include <gtest/gtest.h>

#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "viewer/image_group_win.h"

namespace {

class EditorView : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeXFile("cube.x", cubeMesh(""));   // the marker
        writeBitmap("red.bmp", 0xFF0000);
        writeXFile("square_red.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
        ASSERT_EQ(std::vector<std::string>{}, editor().openFile("square_red.x"));
        editor().resetView();
        editor().viewCommand(40044);   // triangle lists
    }
    void TearDown() override { editor().viewCommand(40044); }

    // A plain click at image (x, y) of the pane: selects the point there or clears the selection.
    static void click(float x, float y)
    {
        editor().paneMouse(WM_MOUSEMOVE, x, y);
        editor().paneMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        editor().paneMouse(WM_LBUTTONUP, x, y);
    }
};

// Where two frames differ: the count and the mean position.
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

TEST_F(EditorView, EverySelectedVertexGetsAMarkerThatFollowsTheArcball)
{
    click(200, 200);
    const Capture bare = editor().frame();
    const int w = bare.width, h = bare.height;
    click(editor().points()[0].x, editor().points()[0].y);   // the lower left corner (-1, -1)
    const Difference one = differenceOf(bare, editor().frame());
    EXPECT_GT(one.count, 0);
    EXPECT_LT(one.count, w * h / 50);
    EXPECT_LT(one.x, w / 2.0);
    EXPECT_GT(one.y, h / 2.0);
    click(200, 200);
    EXPECT_EQ(0, differingPixels(bare, editor().frame()));

    editor().menuCommand(40058);   // Select All: a marker in each quarter of the view
    const Capture all = editor().frame();
    for (const POINT q : {POINT{0, 0}, POINT{w / 2, 0}, POINT{0, h / 2}, POINT{w / 2, h / 2}})
        EXPECT_GT(differenceOf(bare, all, q.x, q.y, q.x + w / 2, q.y + h / 2).count, 0) << q.x << "," << q.y;
    // Moved down with the right button (the view is taller than wide: every marker stays in
    // sight), the markers go along.
    editor().viewDrag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, {w / 2, h / 2}, {w / 2, h / 2 + 50});
    const Capture movedAll = editor().frame();
    click(200, 200);
    const Capture movedBare = editor().frame();
    const Difference before = differenceOf(bare, all), after = differenceOf(movedBare, movedAll);
    const int meshShift = centreOfNotBlue(movedBare).y - centreOfNotBlue(bare).y;
    EXPECT_GT(meshShift, 10);
    EXPECT_NEAR(before.count, after.count, before.count / 10);
    EXPECT_NEAR(meshShift, after.y - before.y, 4.0);
    EXPECT_NEAR(before.x, after.x, 4.0);
}

TEST_F(EditorView, MarkersDrawTheSamePictureAsOneByOneInEveryMode)
{
    // A 12 x 12 grid of vertices, so that 144 markers overlap their neighbours.
    TestMesh grid;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            grid.vertices.push_back({-1 + 2.0f * x / 11, -1 + 2.0f * y / 11, 0.1f * (x % 3), x / 12.0f, y / 12.0f});
    for (uint32_t y = 0; y < 11; ++y)
        for (uint32_t x = 0; x < 11; ++x) {
            const uint32_t a = y * 12 + x, b = a + 1, c = a + 12, d = c + 1;
            grid.corners.insert(grid.corners.end(), {a, c, b, b, c, d});
        }
    grid.textures = {"red.bmp"};
    writeXFile("grid.x", grid);
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("grid.x"));
    editor().resetView();
    const Capture bare = editor().frame();
    editor().menuCommand(40058);
    for (UINT mode : {40044u, 40040u, 40039u}) {   // lists, strips, one strip
        editor().viewCommand(mode);
        const Capture together = editor().frame();
        EXPECT_GT(differingPixels(bare, together), bare.width * bare.height / 40) << mode;
        EXPECT_EQ(0, differingPixels(together, editor().frameWithMarkersOneByOne())) << mode;
    }
}

TEST_F(EditorView, DrawingModesLabelsAndMeshSwitchesKeepThePicture)
{
    const Capture lists = editor().frame();
    ASSERT_GT(countNotBlue(lists), 0);
    const DWORD options = editor().meshOptions();
    bool dynamic = false, narrow = false;
    // Strips, one strip, the three label states, dynamic memory on and off (Ctrl+D), and
    // 32-byte vertices off and on (Ctrl+F, each reloading the mesh file).
    for (UINT command : {40040u, 40039u, 40038u, 40043u, 40042u, 40037u, 40037u, 40041u, 40041u}) {
        editor().viewCommand(command);
        EXPECT_EQ(0, differingPixels(lists, editor().frame())) << command;
        dynamic ^= command == 40037;
        narrow ^= command == 40041;
        EXPECT_EQ(dynamic, editor().meshOptions() != options) << command;
        EXPECT_EQ(narrow, !editor().force32ByteVertices()) << command;
    }
    EXPECT_EQ(4, editor().pane().pointCount());
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
    ASSERT_EQ(std::vector<std::string>{}, editor().openFile("two_subsets.x"));
    const DWORD limit = editor().primitiveLimit();
    editor().primitiveLimit() = 1;
    const Capture lists = editor().frame();
    editor().viewCommand(40039);
    const Capture single = editor().frame();
    editor().primitiveLimit() = limit;
    EXPECT_EQ(0, differingPixels(lists, editor().frame()));
    const int w = lists.width, h = lists.height;
    const auto notBlueIn = [h](const Capture& c, int x0, int x1) { return (x1 - x0) * h - c.count(0x0000FF, x0, 0, x1, h); };
    EXPECT_GT(notBlueIn(lists, 0, w / 2), 0);
    EXPECT_GT(notBlueIn(lists, w / 2, w), 0);
    EXPECT_GT(notBlueIn(single, 0, w / 2), 0);
    EXPECT_EQ(0, notBlueIn(single, w / 2 + 5, w));
}

TEST_F(EditorView, ArcballTurnsWithTheLeftButtonAndMovesWithTheOthers)
{
    const Capture rest = editor().frame();
    const int w = rest.width, h = rest.height, covered = countNotBlue(rest);
    const POINT centre = {w / 2, h / 2};
    editor().viewDrag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, centre, {centre.x - 30, centre.y + 20});
    const Capture moved = editor().frame();   // the mesh follows the mouse
    EXPECT_LT(centreOfNotBlue(moved).x, centreOfNotBlue(rest).x - 10);
    EXPECT_GT(centreOfNotBlue(moved).y, centreOfNotBlue(rest).y + 5);
    EXPECT_NEAR(covered, countNotBlue(moved), covered / 20);
    editor().resetView();   // dragging down with the middle button brings the mesh nearer
    editor().viewDrag(WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, centre, {centre.x, centre.y + 30});
    EXPECT_GT(countNotBlue(editor().frame()), covered * 11 / 10);
    editor().resetView();   // a sideways drag turns the square about the vertical axis: narrower
    editor().viewDrag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, {centre.x - w / 4, centre.y}, {centre.x + w / 4, centre.y});
    const int turned = countNotBlue(editor().frame());
    EXPECT_LT(turned, covered * 9 / 10);
    EXPECT_GT(turned, 0);
    editor().resetView();
}

} // namespace
