#include "viewer/point_editor.h"
#include "viewer/point_motion.h"
#include "viewer/point_picking.h"
#include "viewer/square_marker.h"

#include <gtest/gtest.h>


#include <cmath>
#include <vector>

namespace {

TEST(SquareMarker, OutlineIsTheTwentyFourBorderPixelsOfASevenSquareClippedAtTheEdges)
{
    for (const int cx : {10, 1, 18, -3, 100000}) {
        std::vector<uint32_t> pixels(20 * 20, 0xFFFFFF);
        drawSquareOutline(PixelBuffer{pixels.data(), 20, 20}, cx, 10, 3, 0);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const int dx = std::abs(x - cx), dy = std::abs(y - 10);
                const bool border = std::max(dx, dy) == 3;
                EXPECT_EQ(border ? 0u : 0xFFFFFFu, pixels[size_t(y * 20 + x)]) << cx << ": " << x << "," << y;
            }
    }
}

TEST(PointPicking, NearestInsideTheStrictZoomedHitBoxWinsAndTheFirstOfEquals)
{
    const struct {
        std::vector<FloatPair> points;
        FloatPair click;
        float zoom;
        int32_t picked;
    } cases[] = {
        {{{112, 100}, {105, 100}, {100, 105}}, {100, 100}, 1, 1},   // (12, 0) is outside the box
        {{{105, 100}, {101, 101}}, {100, 100}, 1, 1},
        {{{109, 109}}, {100, 100}, 1, 0},                            // 12.7 away, inside the box
        {{{110, 100}, {100, 90}}, {100, 100}, 1, -1},                // the bounds are strict
        {{}, {0, 0}, 1, -1},
        {{{50, 50}}, {108, 92}, 2, 0},                               // at zoom 2 it sits at (100, 100)
        {{{50, 50}}, {58, 50}, 2, -1},
    };
    for (const auto& c : cases) {
        PointList points;
        for (FloatPair p : c.points)
            points.addPoint(ImagePoint{p.x, p.y});
        EXPECT_EQ(c.picked, pickPoint(points, c.click, c.zoom)) << c.click.x << "," << c.click.y;
    }
}

// The editing functions as an image window calls them: press, moves (each followed by the
// paint that applies the pending motions) and release.
struct Pane {
    PointList points;
    PointEditState state;
    PaneView view;

    Pane(std::vector<FloatPair> at)
    {
        for (FloatPair p : at)
            points.addPoint(ImagePoint{p.x, p.y});
    }
    void press(int mx, int my, EditKeys keys = {}) { pressButton(points, state, view, keys, mx, my); }
    bool move(int mx, int my, bool down = true)
    {
        const bool repaint = moveMouse(points, state, view, down, mx, my);
        points.forEachPoint([&](ImagePoint& p) {
            if (p.motionPending)
                applyPendingMotion(p, view.zoom, state.pivot);
        });
        return repaint;
    }
    // Starts a drag of the whole selection from (mx, my), without band or pick.
    void grabAll(int mode, int mx, int my)
    {
        state.editMode = mode;
        points.selectAll();
        press(-1000, -1000, {true, false});
        state.bandActive = false;
        state.lastMouse = {float(mx), float(my)};
    }
    std::vector<int> selected() const
    {
        std::vector<int> out;
        points.forEachPoint([&](const ImagePoint& p) { out.push_back(p.selected); });
        return out;
    }
};

TEST(PointEditor, ClicksSelectWithShiftExtendingCtrlTogglingAndScrollApplied)
{
    Pane pane({{10, 10}, {100, 100}});
    pane.points.selectAll();
    pane.points.keepSelection();
    pane.press(12, 9);   // a plain click selects only the picked point
    EXPECT_EQ((std::vector<int>{1, 0}), pane.selected());
    EXPECT_EQ(0, pane.points.at(1).keepSelected);
    EXPECT_FALSE(pane.state.bandActive);
    EXPECT_FLOAT_EQ(10.0f, pane.state.pivot.x);
    pane.press(100, 100, {true, false});
    EXPECT_EQ((std::vector<int>{1, 1}), pane.selected());
    pane.press(10, 10, {false, true});
    EXPECT_EQ((std::vector<int>{0, 1}), pane.selected());
    pane.press(10, 10, {false, true});
    EXPECT_EQ((std::vector<int>{1, 1}), pane.selected());
    pane.view.scrollX = 150;
    pane.view.scrollY = -30;
    pane.press(-50, 130);
    EXPECT_EQ((std::vector<int>{0, 1}), pane.selected());
}

TEST(PointEditor, BandSelectsWhatItCoversAndKeepsTheEarlierSelection)
{
    Pane pane({{20, 20}, {60, 20}, {200, 200}});
    pane.press(200, 200);
    releaseButton(pane.points, pane.state, false);   // point 2 is now kept
    pane.press(5, 5, {true, false});
    EXPECT_TRUE(pane.state.bandActive);
    EXPECT_TRUE(pane.move(40, 40, false));   // the band follows the mouse with or without the button
    EXPECT_EQ((std::vector<int>{1, 0, 1}), pane.selected());
    pane.move(80, 40);
    EXPECT_EQ((std::vector<int>{1, 1, 1}), pane.selected());
    pane.move(10, 10);
    EXPECT_EQ((std::vector<int>{0, 0, 1}), pane.selected());
    releaseButton(pane.points, pane.state, false);
    EXPECT_FALSE(pane.state.bandActive);
}

TEST(PointEditor, DragMovesRotatesAndScalesTheSelectionAboutItsCentroid)
{
    Pane still({{50, 50}});
    still.points.selectAll();
    EXPECT_FALSE(still.move(70, 70, false));   // no button: nothing moves
    EXPECT_EQ(50.0f, still.points.at(0).x);
    EXPECT_FLOAT_EQ(70.0f, still.state.lastMouse.x);

    for (int steps : {1, 10}) {
        SCOPED_TRACE(steps);
        Pane rotate({{100, 100}, {140, 100}});
        rotate.grabAll(MotionRotate, 300, 300);
        for (int k = 1; k <= steps; ++k)
            rotate.move(300 + 3 * k, 300 + 10 * k / steps);   // ten pixels down: one radian; dx is ignored
        EXPECT_NEAR(120 - 20 * std::cos(1.0), rotate.points.at(0).x, 1e-3);
        EXPECT_NEAR(100 - 20 * std::sin(1.0), rotate.points.at(0).y, 1e-3);

        Pane scale({{100, 100}, {140, 120}});
        scale.grabAll(MotionScale, 0, 0);
        for (int k = 1; k <= steps; ++k)
            scale.move(10 * k / steps, 0);   // 2% per pixel, compounding per step
        const double grown = 40.0 * std::pow(1.0 + 0.2 / steps, steps);
        EXPECT_NEAR(grown, scale.points.at(1).x - scale.points.at(0).x, 1e-3);
        EXPECT_NEAR(20.0, scale.points.at(1).y - scale.points.at(0).y, 1e-3);
        EXPECT_NEAR(240.0, scale.points.at(0).x + scale.points.at(1).x, 1e-3);   // the centroid stays
    }

    Pane zoomed({{40, 40}, {90, 90}});
    zoomed.view.zoom = 2.0f;
    zoomed.press(80, 80);
    zoomed.state.lastMouse = {80, 80};
    zoomed.move(90, 76);
    EXPECT_FLOAT_EQ(45.0f, zoomed.points.at(0).x);   // window pixels over the zoom
    EXPECT_FLOAT_EQ(38.0f, zoomed.points.at(0).y);
    EXPECT_FLOAT_EQ(90.0f, zoomed.points.at(1).x);
    EXPECT_EQ(0, zoomed.points.at(0).motionPending);

    ImagePoint unknown = ImagePoint{10, 20};
    unknown.motionDx = unknown.motionDy = 5;
    unknown.motionKind = 7;
    applyPendingMotion(unknown, 1.0f, {0, 0});
    EXPECT_EQ(10.0f, unknown.x);
    EXPECT_EQ(20.0f, unknown.y);
}

TEST(PointEditor, ReleaseKeepsTheSelectionAndRequestsApplyOnlyWithAutoUpdate)
{
    for (bool autoUpdate : {false, true}) {
        Pane pane({{10, 10}});
        pane.press(10, 10);
        releaseButton(pane.points, pane.state, autoUpdate);
        EXPECT_EQ(1, pane.points.at(0).keepSelected);
        EXPECT_EQ(autoUpdate, pane.state.applyRequested);
    }
}

}  // namespace
