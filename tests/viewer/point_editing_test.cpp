#include "viewer/point_editor.h"
#include "viewer/point_motion.h"
#include "viewer/point_picking.h"

#include <gtest/gtest.h>

#include "tests/support/image_points.h"

#include <cmath>

namespace {

struct Pane {
    PointList points;
    PointEditState state;
    PaneView view;

    void press(int mx, int my, EditKeys keys = {}) { pressButton(points, state, view, keys, mx, my); }
    // Moves the mouse and applies the pending motions as the following paint does.
    void move(int mx, int my, bool down = true)
    {
        moveMouse(points, state, view, down, mx, my);
        for (int32_t i = 0; i < points.pointCount(); ++i)
            if (points.at(i).motionPending)
                applyPendingMotion(points.at(i), view.zoom, state.pivot);
    }
    void release(bool autoUpdate = false) { releaseButton(points, state, autoUpdate); }
    int selectedCount() const
    {
        int n = 0;
        for (int32_t i = 0; i < points.pointCount(); ++i)
            n += points.at(i).selected;
        return n;
    }
};

TEST(PointPicking, NearestInsideTheStrictHitBoxWinsAndTheFirstOfEquals)
{
    PointList points;
    points.addPoint(pointAt(112, 100));  // (12, 0) away: outside the box though within 20
    points.addPoint(pointAt(105, 100));  // 5 away
    points.addPoint(pointAt(100, 105));  // 5 away, later in the list
    EXPECT_EQ(1, pickPoint(points, {100, 100}, 1.0f));
    points.addPoint(pointAt(101, 101));  // nearer still
    EXPECT_EQ(3, pickPoint(points, {100, 100}, 1.0f));

    PointList diagonal;
    diagonal.addPoint(pointAt(109, 109));  // about 12.7 away, inside the box
    EXPECT_EQ(0, pickPoint(diagonal, {100, 100}, 1.0f));

    PointList edge;
    edge.addPoint(pointAt(110, 100));  // exactly 10 to the right: the bounds are strict
    edge.addPoint(pointAt(100, 90));
    EXPECT_EQ(-1, pickPoint(edge, {100, 100}, 1.0f));
    EXPECT_EQ(-1, pickPoint(PointList(), {0, 0}, 1.0f));
}

TEST(PointPicking, HitBoxIsInZoomedPixels)
{
    PointList points;
    points.addPoint(pointAt(50, 50));  // at zoom 2 it sits at (100, 100)
    EXPECT_EQ(0, pickPoint(points, {108, 92}, 2.0f));
    EXPECT_EQ(-1, pickPoint(points, {58, 50}, 2.0f));
}

TEST(PointEditor, PlainClickSelectsOnlyThePickedPoint)
{
    Pane pane;
    pane.points.addPoint(pointAt(10, 10));
    pane.points.addPoint(pointAt(100, 100));
    pane.points.selectAll();
    pane.points.keepSelection();
    pane.press(12, 9);
    EXPECT_EQ(1, pane.points.at(0).selected);
    EXPECT_EQ(0, pane.points.at(1).selected);
    EXPECT_EQ(0, pane.points.at(1).keepSelected);
    EXPECT_FALSE(pane.state.bandActive);
    EXPECT_FLOAT_EQ(10.0f, pane.state.pivot.x);
}

TEST(PointEditor, ClickUsesTheScrollOffsets)
{
    Pane pane;
    pane.points.addPoint(pointAt(200, 150));
    pane.view.scrollX = 150;
    pane.view.scrollY = -30;
    pane.press(50, 180);
    EXPECT_EQ(1, pane.points.at(0).selected);
}

TEST(PointEditor, ShiftBandKeepsTheEarlierSelection)
{
    Pane pane;
    pane.points.addPoint(pointAt(20, 20));
    pane.points.addPoint(pointAt(60, 20));
    pane.press(20, 20);
    pane.release();  // point 0 is now kept
    pane.press(100, 100, {true, false});
    pane.move(50, 10);
    EXPECT_EQ(2, pane.selectedCount());
    pane.move(110, 110);
    EXPECT_EQ(1, pane.points.at(0).selected);
    EXPECT_EQ(0, pane.points.at(1).selected);
}

TEST(PointEditor, MovingWithoutTheButtonDoesNothing)
{
    Pane pane;
    pane.points.addPoint(pointAt(50, 50));
    pane.points.selectAll();
    EXPECT_FALSE(moveMouse(pane.points, pane.state, pane.view, false, 70, 70));
    EXPECT_EQ(0, pane.points.at(0).motionPending);
    EXPECT_FLOAT_EQ(70.0f, pane.state.lastMouse.x);
}

void expectRotatedByOneRadian(const Pane& pane, FloatPair before0, FloatPair before1)
{
    const FloatPair pivot{(before0.x + before1.x) / 2, (before0.y + before1.y) / 2};
    const double c = std::cos(1.0), s = std::sin(1.0);
    const double px = before0.x - pivot.x, py = before0.y - pivot.y;
    EXPECT_NEAR(pivot.x + px * c - py * s, pane.points.at(0).x, 1e-3);
    EXPECT_NEAR(pivot.y + px * s + py * c, pane.points.at(0).y, 1e-3);
}

TEST(PointEditor, RotateByTenPixelsDownTurnsOneRadianInOneOrManySteps)
{
    for (int steps : {1, 10}) {
        Pane pane;
        pane.state.editMode = MotionRotate;
        pane.points.addPoint(pointAt(100, 100));
        pane.points.addPoint(pointAt(140, 100));
        pane.points.selectAll();
        pane.press(300, 300, {true, false});  // keep the selection, start no pick
        pane.state.bandActive = false;        // a drag, not a band
        pane.state.lastMouse = {300, 300};
        for (int k = 1; k <= steps; ++k)
            pane.move(300 + 3 * k, 300 + 10 * k / steps);  // dx is ignored
        expectRotatedByOneRadian(pane, {100, 100}, {140, 100});
    }
}

TEST(PointEditor, ScaleStepsCompound)
{
    Pane one;
    one.state.editMode = MotionScale;
    one.points.addPoint(pointAt(100, 100));
    one.points.addPoint(pointAt(140, 120));
    one.points.selectAll();
    one.press(130, 110, {true, false});
    one.state.bandActive = false;
    one.state.lastMouse = {0, 0};
    one.move(10, 0);
    EXPECT_NEAR(48.0, one.points.at(1).x - one.points.at(0).x, 1e-4);  // 40 * 1.2
    EXPECT_NEAR(20.0, one.points.at(1).y - one.points.at(0).y, 1e-4);

    Pane ten = Pane();
    ten.state.editMode = MotionScale;
    ten.points.addPoint(pointAt(100, 100));
    ten.points.addPoint(pointAt(140, 120));
    ten.points.selectAll();
    ten.press(130, 110, {true, false});
    ten.state.bandActive = false;
    ten.state.lastMouse = {0, 0};
    for (int k = 1; k <= 10; ++k)
        ten.move(k, 0);
    EXPECT_NEAR(40.0 * std::pow(1.02, 10), ten.points.at(1).x - ten.points.at(0).x, 1e-3);
    EXPECT_NEAR(240.0, ten.points.at(0).x + ten.points.at(1).x, 1e-3);  // the centroid stays at 120
}

TEST(PointEditor, UnknownMotionKindLeavesThePoint)
{
    ImagePoint p = pointAt(10, 20);
    p.motionDx = 5;
    p.motionDy = 5;
    p.motionKind = 7;
    p.motionPending = 1;
    applyPendingMotion(p, 1.0f, {0, 0});
    EXPECT_EQ(10.0f, p.x);
    EXPECT_EQ(20.0f, p.y);
    EXPECT_EQ(0, p.motionPending);
}

TEST(PointEditor, ReleaseKeepsTheSelectionAndRequestsApplyOnlyWithAutoUpdate)
{
    Pane pane;
    pane.points.addPoint(pointAt(10, 10));
    pane.press(10, 10);
    pane.release(false);
    EXPECT_EQ(1, pane.points.at(0).keepSelected);
    EXPECT_FALSE(pane.state.applyRequested);
    pane.press(10, 10);
    pane.release(true);
    EXPECT_TRUE(pane.state.applyRequested);
}

}  // namespace
