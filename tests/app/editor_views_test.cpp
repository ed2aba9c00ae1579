// The editor's views of the texture: Project..., checked through its real dialog.
#include <gtest/gtest.h>

#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
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
    const std::vector<EditorHost::UV> uv = editor().meshCoordinates();
    ASSERT_EQ(8u, points.size());
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(cube.vertices[k].x > 0 ? kWidth : 0.0f, points[k].x) << k;
        EXPECT_EQ(cube.vertices[k].y > 0 ? kHeight : 0.0f, points[k].y) << k;
        EXPECT_FLOAT_EQ(points[k].x / kWidth, uv[k].u) << k;   // applied to the mesh
    }
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

} // namespace
