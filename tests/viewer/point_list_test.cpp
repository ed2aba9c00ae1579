#include "viewer/point_list.h"

#include <gtest/gtest.h>

#include "tests/support/image_points.h"

#include <vector>

namespace {

std::vector<int32_t> indices(PointList& list)
{
    std::vector<int32_t> out;
    list.resetPointIterator();
    for (int32_t i = 0; i < list.pointCount(); ++i)
        out.push_back(list.nextPoint().index);
    return out;
}

void fill(PointList& list, int n)
{
    for (int i = 0; i < n; ++i)
        list.addPoint(pointAt(float(i), float(2 * i)));
}

TEST(PointList, FreshRecordIsAllZero)
{
    ImagePoint p;
    EXPECT_EQ(0, p.keepSelected + p.selected + p.motionPending + p.showVerticalGuide + p.showHorizontalGuide);
    EXPECT_EQ(0, p.index + p.motionDx + p.motionDy + p.motionKind + p.markerHidden);
    EXPECT_EQ(0.0f, p.x + p.y + p.u + p.v);
}

TEST(PointList, RebuildGivesIndicesInOrderAndNotifiesEachAdd)
{
    PointList list;
    std::vector<std::pair<int32_t, int32_t>> notified;  // index, count seen by the parent
    list.setAddNotifier([&](int32_t index) { notified.push_back({index, list.pointCount()}); });
    fill(list, 5);
    list.removeAllPoints();
    notified.clear();
    fill(list, 4);
    EXPECT_EQ(4, list.pointCount());
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), indices(list));
    // The parent already sees the new record when it is told about it.
    ASSERT_EQ(4u, notified.size());
    for (int32_t k = 0; k < 4; ++k)
        EXPECT_EQ(std::make_pair(k, k + 1), notified[size_t(k)]);
    EXPECT_EQ(4, list.pointCounter());
}

TEST(PointList, RecordsAreStoredAndReturnedByValue)
{
    PointList list;
    ImagePoint p = pointAt(3.5f, 4.5f);
    p.u = 0.25f;
    p.v = 0.75f;
    p.index = 99;  // replaced by the list's counter
    list.addPoint(p);
    p.x = 100.0f;  // the caller's copy is not the stored one
    list.resetPointIterator();
    ImagePoint out = list.nextPoint();
    EXPECT_EQ(3.5f, out.x);
    EXPECT_EQ(0.25f, out.u);
    EXPECT_EQ(0.75f, out.v);
    EXPECT_EQ(0, out.index);
    out.selected = 1;
    list.resetPointIterator();
    EXPECT_EQ(0, list.nextPoint().selected);
    list.resetPointIterator();
    list.currentPointRef().selected = 1;  // the reference is the stored record
    list.resetPointIterator();
    EXPECT_EQ(1, list.nextPoint().selected);
}

TEST(PointList, AddPointAtLimitChangesNothing)
{
    PointList list;
    list.setMaxPoints(3);
    int notifications = 0;
    list.setAddNotifier([&](int32_t) { ++notifications; });
    fill(list, 3);
    EXPECT_EQ(3, notifications);
    EXPECT_FALSE(list.addPoint(pointAt(50, 50)));
    EXPECT_EQ(3, list.pointCount());
    EXPECT_EQ(3, list.pointCounter());
    EXPECT_EQ(3, notifications);
}

TEST(PointList, DefaultLimitIs70000AtAndPastIt)
{
    PointList list;
    EXPECT_EQ(70000, list.maxPoints());
    fill(list, 70000);
    EXPECT_EQ(70000, list.pointCount());
    EXPECT_FALSE(list.addPoint(pointAt(1, 1)));
    EXPECT_EQ(70000, list.pointCount());
    list.resetPointIterator();
    for (int i = 0; i < 69999; ++i)
        list.nextPoint();
    EXPECT_EQ(69999, list.nextPoint().index);
}

TEST(PointList, RemovalOnEmptyListDoesNothing)
{
    PointList list;
    list.setPointCounter(5);
    list.removeFirstPoint();
    list.removeAllPoints();
    EXPECT_EQ(0, list.pointCount());
    EXPECT_EQ(5, list.pointCounter());
}

TEST(PointList, RemoveFirstPointTakesTheFrontAndLowersTheCounter)
{
    PointList list;
    fill(list, 3);
    list.removeFirstPoint();
    EXPECT_EQ((std::vector<int32_t>{1, 2}), indices(list));
    EXPECT_EQ(2, list.pointCounter());
    // The counter went back, so the next point repeats an index that is still in the list.
    list.addPoint(pointAt(7, 7));
    EXPECT_EQ((std::vector<int32_t>{1, 2, 2}), indices(list));
    // Both records with index 2 take part in index operations.
    ImagePoint key;
    key.index = 2;
    list.selectByIndex(key);
    list.setMotion(2, 1.0f, 1.0f, MotionMove);
    EXPECT_EQ(0, list.at(0).selected);
    EXPECT_EQ(0, list.at(0).motionPending);
    EXPECT_EQ(1, list.at(1).selected);
    EXPECT_EQ(1, list.at(1).motionPending);
    EXPECT_EQ(1, list.at(2).selected);
    EXPECT_EQ(1, list.at(2).motionPending);
    list.removeFirstPoint();
    list.removeFirstPoint();
    EXPECT_EQ(7.0f, list.at(0).x);
    list.deselectAll();
    list.selectByIndex(key);
    EXPECT_EQ(1, list.at(0).selected);
}

TEST(PointList, SetMaxPointsKeepsTheLastAdded)
{
    PointList list;
    fill(list, 10);
    list.setMaxPoints(4);
    EXPECT_EQ(4, list.pointCount());
    EXPECT_EQ((std::vector<int32_t>{6, 7, 8, 9}), indices(list));
    EXPECT_EQ(4, list.maxPoints());
    EXPECT_FALSE(list.addPoint(pointAt(0, 0)));
}

TEST(PointList, SelectionFlagOperations)
{
    PointList list;
    fill(list, 4);
    list.selectAll();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(1, list.at(i).selected);
    list.deselectAll();
    ImagePoint key;
    key.index = 2;
    list.selectByIndex(key);
    list.keepSelection();
    EXPECT_EQ(1, list.at(2).keepSelected);
    EXPECT_EQ(0, list.at(1).keepSelected);
    list.at(1).keepSelected = 1;  // keepSelection leaves unselected records alone
    list.keepSelection();
    EXPECT_EQ(1, list.at(1).keepSelected);
    list.clearKeepSelected();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, list.at(i).keepSelected);
}

TEST(PointList, DeselectAtClearsEveryMatchAndIsSelectedAtReportsTheFirst)
{
    PointList list;
    list.addPoint(pointAt(5, 5));
    list.addPoint(pointAt(1, 1));
    list.addPoint(pointAt(5, 5));
    list.at(2).selected = 1;
    EXPECT_EQ(0, list.isSelectedAt(pointAt(5, 5)));  // the first match is unselected
    list.at(0).selected = 1;
    list.at(1).selected = 1;
    EXPECT_EQ(1, list.isSelectedAt(pointAt(5, 5)));
    EXPECT_EQ(0, list.isSelectedAt(pointAt(5, 5.0001f)));
    list.deselectAt(pointAt(5, 5));
    EXPECT_EQ(0, list.at(0).selected);
    EXPECT_EQ(1, list.at(1).selected);
    EXPECT_EQ(0, list.at(2).selected);
}

TEST(PointList, SetMotionTruncatesTowardZero)
{
    PointList list;
    fill(list, 10);
    list.setMotion(7, 2.9f, -2.9f, MotionMove);
    EXPECT_EQ(2, list.at(7).motionDx);
    EXPECT_EQ(-2, list.at(7).motionDy);
    EXPECT_EQ(1, list.at(7).motionPending);
    EXPECT_EQ(MotionMove, list.at(7).motionKind);
    EXPECT_EQ(0, list.at(6).motionPending);
    list.setMotion(3, 0.0f, 5.0f, MotionRotate);
    EXPECT_EQ(MotionRotate, list.at(3).motionKind);
    list.setMotion(3, 1e12f, -1e12f, MotionScale);  // saturates instead of overflowing
    EXPECT_EQ(INT32_MAX, list.at(3).motionDx);
    EXPECT_EQ(INT32_MIN, list.at(3).motionDy);
    list.setMotion(42, 1.0f, 1.0f, MotionMove);  // no such index: nothing happens
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(i == 3 || i == 7, list.at(i).motionPending != 0);
}

TEST(PointList, MotionOfSelectedReachesEveryRecordOfASelectedIndex)
{
    // Indices 1 2 2 3 (a removal at the front, then two adds) and, unshared, 0 1 2 3.
    PointList shared;
    fill(shared, 3);
    shared.removeFirstPoint();
    fill(shared, 2);
    PointList unshared;
    fill(unshared, 4);
    const struct {
        PointList& list;
        int expected[4];
    } cases[] = {{shared, {0, 1, 1, 1}}, {unshared, {0, 1, 0, 1}}};
    for (const auto& c : cases) {
        c.list.at(1).selected = 1;
        c.list.at(3).selected = 1;
        c.list.setMotionOfSelected(4.5f, -1.5f, MotionScale);
        for (int32_t i = 0; i < 4; ++i)
            EXPECT_EQ(c.expected[i], c.list.at(i).motionPending) << i;
        EXPECT_EQ(4, c.list.at(1).motionDx);
        EXPECT_EQ(-1, c.list.at(3).motionDy);
        EXPECT_EQ(MotionScale, c.list.at(3).motionKind);
    }
}

TEST(PointList, IndicesOfAnyRangeFindAllTheirRecords)
{
    // Counters set below zero, across the top of the small-index range and far past it.
    for (int32_t start : {-3, (1 << 18) - 2, 300000}) {
        SCOPED_TRACE(start);
        PointList list;
        list.setPointCounter(start);
        fill(list, 3);                     // start, start + 1, start + 2
        list.setPointCounter(start + 1);
        fill(list, 1);                     // start + 1 again
        list.setMotion(start + 1, 2.0f, 3.0f, MotionMove);
        list.selectByIndex(list.at(2));    // start + 2
        const int moved[] = {0, 1, 0, 1}, chosen[] = {0, 0, 1, 0};
        for (int32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(moved[i], list.at(i).motionPending) << i;
            EXPECT_EQ(chosen[i], list.at(i).selected) << i;
        }
        list.removeFirstPoint();
        list.removeFirstPoint();           // the older record of start + 1 goes
        list.setMotion(start + 1, 5.0f, 0.0f, MotionMove);
        EXPECT_EQ(5, list.at(1).motionDx);
        EXPECT_EQ(0, list.at(0).motionDx);   // start + 2: never moved
    }
}

TEST(PointList, ManyPointsStayFastThroughIndexOperations)
{
    // Quadratic work here would take minutes under the sanitizers; linear takes a moment.
    PointList list;
    fill(list, 70000);
    for (int round = 0; round < 20; ++round)
        for (int32_t i = 0; i < list.pointCount(); ++i)
            list.setMotion(i, 1.0f, 1.0f, MotionMove);
    list.removeAllPoints();
    EXPECT_EQ(0, list.pointCount());
    EXPECT_EQ(0, list.pointCounter());
}

}  // namespace
