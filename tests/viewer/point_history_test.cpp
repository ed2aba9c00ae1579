#include "viewer/point_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>


namespace {

using Positions = std::vector<std::pair<uint32_t, uint32_t>>;   // bit patterns of x and y

Positions positionsOf(const PointList& list)
{
    Positions out;
    list.forEachPoint([&](const ImagePoint& p) {
        uint32_t x, y;
        std::memcpy(&x, &p.x, 4);
        std::memcpy(&y, &p.y, 4);
        out.push_back({x, y});
    });
    return out;
}

PointList listOf(int n)
{
    PointList list;
    list.setMaxPoints(n);
    for (int i = 0; i < n; ++i)
        list.addPoint(ImagePoint{float(i) * 0.37f, float(i % 97) * 1.3f});
    return list;
}

// Moves a random subset of points by random amounts, some to -0 or by values that round.
void scramble(PointList& list, std::mt19937& random)
{
    std::uniform_int_distribution<int> pick(0, list.pointCount() - 1);
    std::uniform_real_distribution<float> amount(-50.0f, 50.0f);
    const int moves = 1 + pick(random) % 40;
    for (int m = 0; m < moves; ++m) {
        ImagePoint& p = list.at(pick(random));
        p.x = m % 7 == 0 ? -0.0f : p.x + amount(random) * 1e-7f * p.x + amount(random);
        p.y = p.y * 1.0000001f + amount(random);
    }
}

}  // namespace

// Property: after any mix of steps, undoing them all gives the first positions bit for bit,
// redoing them all the last ones, and a step in the middle drops only the redo steps.
TEST(PointHistory, UndoAndRedoRestoreEveryStateExactly)
{
    std::mt19937 random(13);
    PointList list = listOf(500);
    PointHistory history;
    std::vector<Positions> states{positionsOf(list)};
    for (int s = 0; s < 30; ++s) {
        ASSERT_TRUE(history.record(list, s % 2 ? "Move" : "Flip", [&] { scramble(list, random); }));
        states.push_back(positionsOf(list));
    }
    for (int s = 30; s > 0; --s) {
        EXPECT_EQ(s % 2 ? "Flip" : "Move", history.undoLabel()) << s;
        ASSERT_TRUE(history.undo(list));
        ASSERT_EQ(states[size_t(s - 1)], positionsOf(list)) << s;
    }
    EXPECT_FALSE(history.undo(list));
    for (int s = 1; s <= 30; ++s) {
        ASSERT_TRUE(history.redo(list));
        ASSERT_EQ(states[size_t(s)], positionsOf(list)) << s;
    }
    EXPECT_FALSE(history.redo(list));

    for (int s = 0; s < 5; ++s)
        history.undo(list);
    EXPECT_EQ("Move", history.redoLabel());
    history.record(list, "Turn", [&] { scramble(list, random); });
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(26u, history.stepCount());
}

TEST(PointHistory, OnlyABitwiseMoveIsAStepAndALengthChangeClearsTheHistory)
{
    PointList list = listOf(10);
    PointHistory history;
    history.record(list, "Move", [&] { list.at(3).x += 1.0f; });
    EXPECT_FALSE(history.record(list, "Move", [] {}));
    EXPECT_EQ("Move", history.undoLabel());
    // -0 is another position than +0 (point 0 starts at +0), and comes back as it was.
    EXPECT_TRUE(history.record(list, "Flip", [&] { list.at(0).x = -0.0f; }));
    ASSERT_TRUE(history.undo(list));
    EXPECT_FALSE(std::signbit(list.at(0).x));
    // A command that leaves a different number of points makes the old steps meaningless.
    EXPECT_FALSE(history.record(list, "Projection", [&] { list.removeFirstPoint(); }));
    EXPECT_FALSE(history.canUndo());
    history.record(list, "Move", [&] { list.at(0).y = 7.0f; });
    list.removeFirstPoint();
    EXPECT_FALSE(history.undo(list));
    EXPECT_FALSE(history.canUndo());
}

// A step keeps only the points it moved; a long history of moves of every point of a large
// mesh stays within the bound by dropping its oldest steps, and the newest still undo.
TEST(PointHistory, StoresChangedPointsOnlyAndStaysWithinItsBound)
{
    PointList list = listOf(60000);
    PointHistory history;
    history.record(list, "Move", [&] { list.at(59999).x += 1.0f; });
    EXPECT_LT(history.bytes(), 1000u);

    PointHistory bounded(16u << 20);
    for (int s = 0; s < 100; ++s) {
        bounded.record(list, "Move", [&] { list.forEachPoint([](ImagePoint& p) { p.x += 1.0f; }); });
        ASSERT_LE(bounded.bytes(), bounded.byteLimit());
    }
    EXPECT_GT(bounded.stepCount(), 10u);
    EXPECT_LT(bounded.stepCount(), 100u);
    const float x = list.at(100).x;
    ASSERT_TRUE(bounded.undo(list));
    EXPECT_EQ(x - 1.0f, list.at(100).x);
}
