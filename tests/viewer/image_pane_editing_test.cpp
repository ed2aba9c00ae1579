#include "app/globals_win.h"
#include "tests/support/window_capture_win.h"
#include "tests/support/pane_host_win.h"
#include "toolkit/element_tree_win.h"
#include "viewer/apply_request.h"
#include "viewer/point_edit_state.h"
#include "viewer/viewer_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class ImagePaneEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProcessGlobals(GetModuleHandleA(nullptr));
        writeTestBitmap("edit.bmp", 128, 128, rgb(128, 128, 128), rgb(250, 10, 10));
    }
    void TearDown() override { ResetProcessGlobals(GetModuleHandleA(nullptr)); }
};

// Positions of every point, read through the group like the editor does.
std::vector<ImagePoint> pointsOf(ImageGroup& group)
{
    std::vector<ImagePoint> out;
    group.resetPointIterator();
    for (int32_t i = 0; i < group.pointCount(); ++i)
        out.push_back(group.nextPoint());
    return out;
}

TEST_F(ImagePaneEditing, AddingPointsTellsTheParentTheirIndices)
{
    PaneHost host;
    for (int k = 0; k < 3; ++k)
        host.group->addPoint(pointAt(float(k), 0));
    EXPECT_EQ((std::vector<WPARAM>{0, 1, 2}), host.notifications);
    EXPECT_EQ("Point" + handleDecimal(host.window().hwnd), g_elementTree.groupNameText());
    host.window().points.setMaxPoints(3);
    host.group->addPoint(pointAt(9, 9));
    EXPECT_EQ(3u, host.notifications.size());
    EXPECT_EQ(3, host.group->pointCount());
}

TEST_F(ImagePaneEditing, ClickSelectsTheNearestPointAndPaintsItGreen)
{
    PaneHost host;
    host.showBitmap("edit.bmp");
    host.group->addPoint(pointAt(50, 50));   // window (50, 80)
    host.group->addPoint(pointAt(56, 50));
    host.press(54, 80);
    host.release(54, 80);
    const std::vector<ImagePoint> points = pointsOf(*host.group);
    EXPECT_EQ(0, points[0].selected);
    EXPECT_EQ(1, points[1].selected);
    EXPECT_EQ(1, points[1].keepSelected);
    const Capture c = captureClient(host.pane());
    EXPECT_EQ(rgb(0, 255, 0), c.at(56 + 3, 80));
    EXPECT_EQ(rgb(0, 0, 0), c.at(50 - 3, 80));
    // A plain click on empty space clears the selection.
    host.press(200, 200);
    host.release(200, 200);
    EXPECT_EQ(0, pointsOf(*host.group)[1].selected);
}

TEST_F(ImagePaneEditing, DragMovesTheSelectionAtZoomOneAndTwo)
{
    for (int zoomSteps : {0, 2}) {
        PaneHost host;
        host.showBitmap("edit.bmp");
        for (int step = 0; step < zoomSteps; ++step)
            host.command(40046);
        const float zoom = host.window().zoom;
        host.group->addPoint(pointAt(40, 40));
        host.group->addPoint(pointAt(90, 90));
        const int wx = int(40 * zoom), wy = int(40 * zoom) + 30;
        host.moveTo(wx, wy);
        host.press(wx, wy);
        host.moveTo(wx + 6, wy);
        host.moveTo(wx + 10, wy - 4);
        host.release(wx + 10, wy - 4);
        const std::vector<ImagePoint> points = pointsOf(*host.group);
        EXPECT_FLOAT_EQ(40 + 10 / zoom, points[0].x) << "zoom " << zoom;
        EXPECT_FLOAT_EQ(40 - 4 / zoom, points[0].y);
        EXPECT_FLOAT_EQ(90, points[1].x);
        EXPECT_EQ(0, points[0].motionPending);
        // The square is where the point went.
        const Capture c = captureClient(host.pane());
        EXPECT_EQ(rgb(0, 255, 0), c.at(wx + 10 + 3, wy - 4));
    }
}

TEST_F(ImagePaneEditing, CtrlTogglesAndShiftExtends)
{
    PaneHost host;
    host.showBitmap("edit.bmp");
    host.group->addPoint(pointAt(20, 20));   // window (20, 50)
    host.group->addPoint(pointAt(60, 20));   // window (60, 50)
    host.press(20, 50);
    host.release(20, 50);
    host.key(VK_SHIFT, true);
    host.press(60, 50);
    host.release(60, 50);
    host.key(VK_SHIFT, false);
    EXPECT_EQ(1, pointsOf(*host.group)[0].selected);
    EXPECT_EQ(1, pointsOf(*host.group)[1].selected);
    host.key(VK_CONTROL, true);
    host.press(20, 50);
    host.release(20, 50);
    EXPECT_EQ(0, pointsOf(*host.group)[0].selected);
    EXPECT_EQ(1, pointsOf(*host.group)[1].selected);
    host.press(20, 50);
    host.release(20, 50);
    host.key(VK_CONTROL, false);
    EXPECT_EQ(1, pointsOf(*host.group)[0].selected);
    EXPECT_FALSE(ctrlDown);
}

TEST_F(ImagePaneEditing, BandSelectsAndDeselectsAsItMoves)
{
    PaneHost host;
    host.showBitmap("edit.bmp");
    host.group->addPoint(pointAt(20, 20));   // window (20, 50)
    host.group->addPoint(pointAt(60, 20));   // window (60, 50)
    host.press(5, 35);
    host.moveTo(40, 70);
    EXPECT_EQ(1, pointsOf(*host.group)[0].selected);
    EXPECT_EQ(0, pointsOf(*host.group)[1].selected);
    host.moveTo(80, 70);
    EXPECT_EQ(1, pointsOf(*host.group)[1].selected);
    host.moveTo(10, 40);
    EXPECT_EQ(0, pointsOf(*host.group)[0].selected + pointsOf(*host.group)[1].selected);
    host.moveTo(40, 70);
    host.release(40, 70);
    EXPECT_FALSE(g_editState.bandActive);
    EXPECT_EQ(1, pointsOf(*host.group)[0].keepSelected);
}

TEST_F(ImagePaneEditing, ToolbarModesRotateAndScaleAboutTheCentroid)
{
    PaneHost host;
    host.showBitmap("edit.bmp");
    host.group->addPoint(pointAt(40, 40));
    host.group->addPoint(pointAt(80, 40));
    host.group->selectAll();
    host.command(40057);   // rotate
    EXPECT_EQ(MotionRotate, g_editState.editMode);
    host.key(VK_SHIFT, true);   // keep the selection while pressing on a point
    host.moveTo(40, 70);
    host.press(40, 70);
    for (int k = 1; k <= 5; ++k)
        host.moveTo(40, 70 + 2 * k);   // 10 pixels down in all: one radian
    host.release(40, 80);
    std::vector<ImagePoint> points = pointsOf(*host.group);
    EXPECT_NEAR(60 - 20 * std::cos(1.0), points[0].x, 1e-3);
    EXPECT_NEAR(40 - 20 * std::sin(1.0), points[0].y, 1e-3);
    EXPECT_NEAR(60 + 20 * std::cos(1.0), points[1].x, 1e-3);

    host.command(40056);   // scale
    EXPECT_EQ(MotionScale, g_editState.editMode);
    const float spreadBefore = points[1].x - points[0].x;
    const int px = int(points[0].x), py = int(points[0].y) + 30;
    host.moveTo(px, py);
    host.press(px, py);
    host.moveTo(px + 10, py);
    host.release(px + 10, py);
    points = pointsOf(*host.group);
    EXPECT_NEAR(spreadBefore * 1.2, points[1].x - points[0].x, 1e-3);
    host.key(VK_SHIFT, false);

    host.command(40055);
    EXPECT_EQ(MotionMove, g_editState.editMode);
}

int g_applyCalls = 0;
int g_pendingSeenByApply = 0;
ImageGroup* g_applyGroup = nullptr;

void countApply()
{
    ++g_applyCalls;
    for (const ImagePoint& p : pointsOf(*g_applyGroup))
        g_pendingSeenByApply += p.motionPending;
}

TEST_F(ImagePaneEditing, ApplyRequestReachesTheHandlerTwiceDuringTheFollowingPaint)
{
    PaneHost host;
    host.showBitmap("edit.bmp");
    g_applyGroup = host.group;
    g_applyCalls = 0;
    g_pendingSeenByApply = 0;
    setApplyPointsHandler(countApply);
    host.group->addPoint(pointAt(10, 10));
    host.group->setMotion(0, 5, 0, MotionMove);   // only a paint applies this
    host.command(40054);
    EXPECT_EQ(2, g_applyCalls);
    EXPECT_EQ(0, g_pendingSeenByApply);   // the handler ran inside the paint
    EXPECT_FLOAT_EQ(15, pointsOf(*host.group)[0].x);
    EXPECT_FALSE(g_editState.applyRequested);

    // Release with automatic update off leaves the mesh alone; with it on, applies.
    host.press(10, 40);
    host.release(10, 40);
    EXPECT_EQ(2, g_applyCalls);
    g_autoUpdateMesh = true;
    host.press(10, 40);
    host.release(10, 40);
    EXPECT_EQ(4, g_applyCalls);
}

}  // namespace
