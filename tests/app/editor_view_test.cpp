// The 3D view of the real editor, checked by the pixels of its back buffer: markers at the
// selected vertices, the drawing modes, the strip limit and the arcball.
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
        writeBmp("red.bmp", 64, 32, [](int, int) { return 0xFF0000u; });
        writeXFile("square_red.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
        ASSERT_TRUE(editor().openFile("square_red.x").empty());
        editor().resetView();
        editor().viewCommand(40044);   // triangle lists
    }

    void selectOnly(int k)
    {
        const ImagePoint point = editor().points()[size_t(k)];
        const POINT at = editor().paneClientPosition(point.x, point.y);
        editor().paneMouse(WM_MOUSEMOVE, at);
        editor().paneMouse(WM_LBUTTONDOWN, at, MK_LBUTTON);
        editor().paneMouse(WM_LBUTTONUP, at);
    }

    void selectNone()
    {
        // A plain click far from every point clears the selection.
        const POINT away = editor().paneClientPosition(200, 200);
        editor().paneMouse(WM_LBUTTONDOWN, away, MK_LBUTTON);
        editor().paneMouse(WM_LBUTTONUP, away);
    }
};

// Where two frames differ: the mean position and the count.
struct Difference {
    int count = 0;
    double x = 0, y = 0;
};

Difference differenceOf(const Capture& a, const Capture& b)
{
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
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

TEST_F(EditorView, NoSelectionDrawsOnlyTheMeshAndASelectedPointAddsItsMarker)
{
    selectNone();
    const Capture bare = editor().frame();
    ASSERT_GT(countNotBlue(bare), 0);

    // Vertex 0 is the square's lower left corner (-1, -1).
    selectOnly(0);
    ASSERT_TRUE(editor().points()[0].selected);
    const Capture marked = editor().frame();
    const Difference one = differenceOf(bare, marked);
    EXPECT_GT(one.count, 0);
    EXPECT_LT(one.count, bare.width * bare.height / 50);
    EXPECT_LT(one.x, bare.width / 2.0);
    EXPECT_GT(one.y, bare.height / 2.0);

    selectNone();
    EXPECT_EQ(differingPixels(bare, editor().frame()), 0);
}

TEST_F(EditorView, EverySelectedVertexGetsAMarkerThatFollowsTheArcball)
{
    selectNone();
    const Capture bare = editor().frame();
    editor().menuCommand(40058);   // Select All
    const Capture all = editor().frame();
    const int w = bare.width, h = bare.height;
    // A marker in each quarter of the view: the four corners of the square.
    const int quarters[4][4] = {{0, 0, w / 2, h / 2}, {w / 2, 0, w, h / 2},
                                {0, h / 2, w / 2, h}, {w / 2, h / 2, w, h}};
    for (const auto& q : quarters) {
        int differing = 0;
        for (int y = q[1]; y < q[3]; ++y)
            for (int x = q[0]; x < q[2]; ++x)
                differing += bare.at(x, y) != all.at(x, y) ? 1 : 0;
        EXPECT_GT(differing, 0) << q[0] << "," << q[1];
    }
    const Difference before = differenceOf(bare, all);

    // Move the mesh down with the right button (the view is taller than wide, so every
    // marker stays in sight): the markers go along.
    const POINT from = {w / 2, h / 2};
    editor().viewDrag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, from, {from.x, from.y + 50});
    const Capture movedAll = editor().frame();
    selectNone();
    const Capture movedBare = editor().frame();
    const Difference after = differenceOf(movedBare, movedAll);
    const POINT meshBefore = centreOfNotBlue(bare), meshAfter = centreOfNotBlue(movedBare);
    EXPECT_GT(meshAfter.y, meshBefore.y + 10);
    EXPECT_NEAR(after.count, before.count, before.count / 10);
    EXPECT_NEAR(after.y - before.y, double(meshAfter.y - meshBefore.y), 4.0);
    EXPECT_NEAR(after.x, before.x, 4.0);
}

TEST_F(EditorView, MarkersDrawTheSamePictureAsOneByOne)
{
    // A 12 x 12 grid of vertices, so that 144 markers overlap their neighbours, in every
    // drawing mode.
    TestMesh grid;
    const int side = 12;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            grid.vertices.push_back({-1 + 2.0f * x / (side - 1), -1 + 2.0f * y / (side - 1), 0.1f * (x % 3),
                                     float(x) / side, float(y) / side});
    for (uint32_t y = 0; y + 1 < side; ++y)
        for (uint32_t x = 0; x + 1 < side; ++x) {
            const uint32_t a = y * side + x, b = a + 1, c = a + side, d = c + 1;
            grid.corners.insert(grid.corners.end(), {a, c, b, b, c, d});
        }
    grid.textures = {"red.bmp"};
    writeXFile("grid.x", grid);
    ASSERT_TRUE(editor().openFile("grid.x").empty());
    editor().resetView();
    const Capture bare = editor().frame();
    editor().menuCommand(40058);   // Select All
    for (UINT mode : {40044u, 40040u, 40039u}) {   // lists, strips, one strip
        editor().viewCommand(mode);
        const Capture together = editor().frame();
        EXPECT_GT(differingPixels(bare, together), bare.width * bare.height / 40) << mode;
        EXPECT_EQ(differingPixels(together, editor().frameWithMarkersOneByOne()), 0) << mode;
    }
    editor().viewCommand(40044);
}

TEST_F(EditorView, ListsStripsAndSingleStripsDrawTheSamePicture)
{
    const Capture lists = editor().frame();
    editor().viewCommand(40040);   // Ctrl+M
    const Capture strips = editor().frame();
    editor().viewCommand(40039);   // Ctrl+O
    const Capture single = editor().frame();
    ASSERT_GT(countNotBlue(lists), 0);
    EXPECT_EQ(differingPixels(lists, strips), 0);
    EXPECT_EQ(differingPixels(lists, single), 0);

    // The three label states change nothing visible.
    for (UINT command : {40038u, 40043u, 40042u}) {
        editor().viewCommand(command);
        EXPECT_EQ(differingPixels(single, editor().frame()), 0) << command;
    }
}

TEST_F(EditorView, DynamicMemoryAnd32ByteSwitchesRebuildAndKeepThePicture)
{
    const Capture before = editor().frame();
    const DWORD options = editor().meshOptions();
    editor().viewCommand(40037);   // Ctrl+D
    EXPECT_NE(editor().meshOptions(), options);
    EXPECT_EQ(differingPixels(before, editor().frame()), 0);
    editor().viewCommand(40037);
    EXPECT_EQ(editor().meshOptions(), options);

    editor().viewCommand(40041);   // Ctrl+F: reloads the mesh file
    EXPECT_FALSE(editor().force32ByteVertices());
    EXPECT_EQ(differingPixels(before, editor().frame()), 0);
    editor().viewCommand(40041);
    EXPECT_TRUE(editor().force32ByteVertices());
    EXPECT_EQ(differingPixels(before, editor().frame()), 0);
    EXPECT_EQ(editor().pane().pointCount(), 4);
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
    ASSERT_TRUE(editor().openFile("two_subsets.x").empty());
    ASSERT_EQ(editor().subsetCount(), 2u);

    const DWORD limit = editor().primitiveLimit();
    editor().setPrimitiveLimit(1);
    const Capture lists = editor().frame();
    editor().viewCommand(40039);
    const Capture single = editor().frame();
    editor().setPrimitiveLimit(limit);
    const Capture singleWithinLimit = editor().frame();
    editor().viewCommand(40044);

    auto notBlueIn = [](const Capture& c, int x0, int x1) {
        int n = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = x0; x < x1; ++x)
                n += isClearBlue(c.at(x, y)) ? 0 : 1;
        return n;
    };
    const int w = lists.width;
    EXPECT_GT(notBlueIn(lists, 0, w / 2), 0);
    EXPECT_GT(notBlueIn(lists, w / 2, w), 0);
    EXPECT_GT(notBlueIn(single, 0, w / 2), 0);
    EXPECT_EQ(notBlueIn(single, w / 2 + 5, w), 0);
    EXPECT_EQ(differingPixels(lists, singleWithinLimit), 0);
}

TEST_F(EditorView, ArcballTurnsWithTheLeftButtonAndMovesWithTheOthers)
{
    const Capture rest = editor().frame();
    const int w = rest.width, h = rest.height;
    const POINT centre = {w / 2, h / 2};

    // Right button: the mesh follows the mouse across the view.
    editor().viewDrag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, centre, {centre.x - 30, centre.y + 20});
    const Capture moved = editor().frame();
    EXPECT_LT(centreOfNotBlue(moved).x, centreOfNotBlue(rest).x - 10);
    EXPECT_GT(centreOfNotBlue(moved).y, centreOfNotBlue(rest).y + 5);
    EXPECT_NEAR(countNotBlue(moved), countNotBlue(rest), countNotBlue(rest) / 20);

    // Middle button: dragging down brings the mesh nearer.
    editor().resetView();
    editor().viewDrag(WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, centre, {centre.x, centre.y + 30});
    EXPECT_GT(countNotBlue(editor().frame()), countNotBlue(rest) * 11 / 10);

    // Left button: a sideways drag turns the square about the vertical axis, so it narrows.
    editor().resetView();
    editor().viewDrag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, {centre.x - w / 4, centre.y},
                      {centre.x + w / 4, centre.y});
    const Capture turned = editor().frame();
    EXPECT_LT(countNotBlue(turned), countNotBlue(rest) * 9 / 10);
    EXPECT_GT(countNotBlue(turned), 0);
    editor().resetView();
}

} // namespace
