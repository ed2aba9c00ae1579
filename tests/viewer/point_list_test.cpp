#include "viewer/edge_list.h"
#include "viewer/point_list.h"

#include <gtest/gtest.h>


#include <random>
#include <set>
#include <vector>

namespace {

std::vector<int32_t> indices(const PointList& list)
{
    std::vector<int32_t> out;
    list.forEachPoint([&](const ImagePoint& p) { out.push_back(p.index); });
    return out;
}

void fill(PointList& list, int n)
{
    for (int i = 0; i < n; ++i)
        list.addPoint(ImagePoint{float(i), 0});
}

TEST(PointList, AddsNumberPointsInOrderUpToTheLimitAndTellTheParent)
{
    PointList list;
    EXPECT_EQ(70000, list.maxPoints());
    std::vector<std::pair<int32_t, int32_t>> notified;   // index, count the parent sees
    list.setAddNotifier([&](int32_t index) { notified.push_back({index, list.pointCount()}); });
    ImagePoint given = ImagePoint{3.5f, 4.5f};
    given.index = 99;   // replaced by the list's counter
    list.addPoint(given);
    fill(list, 3);
    EXPECT_EQ((std::vector<int32_t>{0, 1, 2, 3}), indices(list));
    EXPECT_EQ(3.5f, list.at(0).x);
    EXPECT_EQ((std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 2}, {2, 3}, {3, 4}}), notified);
    list.setMaxPoints(2);   // keeps the last added
    EXPECT_EQ((std::vector<int32_t>{2, 3}), indices(list));
    EXPECT_FALSE(list.addPoint(ImagePoint{0, 0}));
    EXPECT_EQ(2, list.pointCount());
    EXPECT_EQ(4u, notified.size());
    list.resetPointIterator();
    list.currentPointRef().selected = 1;   // the reference is the stored record
    list.resetPointIterator();
    EXPECT_EQ(1, list.nextPoint().selected);
}

TEST(PointList, RemovingLowersTheCounterSoIndicesRepeatAndIndexOperationsReachEveryCopy)
{
    PointList empty;
    empty.setPointCounter(5);
    empty.removeFirstPoint();
    empty.removeAllPoints();
    EXPECT_EQ(5, empty.pointCounter());
    // Counters below zero, across the top of the small-index range and far past it.
    for (int32_t start : {-3, 0, (1 << 18) - 2, 300000}) {
        SCOPED_TRACE(start);
        PointList list;
        list.setPointCounter(start);
        fill(list, 3);   // start, start + 1, start + 2
        list.removeFirstPoint();
        fill(list, 1);   // start + 2 again
        EXPECT_EQ((std::vector<int32_t>{start + 1, start + 2, start + 2}), indices(list));
        list.selectByIndex(list.at(1));
        list.setMotion(start + 2, 2.0f, 3.0f, MotionMove);
        for (int32_t i = 0; i < 3; ++i)
            EXPECT_EQ(i > 0 ? 2 : 0, list.at(i).selected + list.at(i).motionPending) << i;
        list.deselectAll();
        list.at(1).selected = 1;
        list.setMotionOfSelected(4.5f, -1.5f, MotionScale);   // both records of start + 2
        EXPECT_EQ(4, list.at(2).motionDx);
        EXPECT_EQ(-1, list.at(2).motionDy);
        EXPECT_EQ(MotionScale, list.at(2).motionKind);
        list.removeFirstPoint();
        list.removeFirstPoint();
        list.setMotion(start + 2, 5.0f, 0.0f, MotionMove);
        EXPECT_EQ(5, list.at(0).motionDx);
        list.removeAllPoints();
        EXPECT_EQ(start, list.pointCounter());
    }
}

TEST(PointList, SelectionFlagsAndMotionsTruncatedTowardZero)
{
    PointList list;
    for (float x : {5.0f, 1.0f, 5.0f})
        list.addPoint(ImagePoint{x, x});
    list.at(2).selected = 1;
    EXPECT_EQ(0, list.isSelectedAt(ImagePoint{5, 5}));   // the first match decides
    list.selectAll();
    EXPECT_EQ(1, list.isSelectedAt(ImagePoint{5, 5}));
    EXPECT_EQ(0, list.isSelectedAt(ImagePoint{5, 5.0001f}));
    list.deselectAt(ImagePoint{5, 5});   // every match
    EXPECT_EQ(0, list.at(0).selected + list.at(2).selected);
    list.keepSelection();   // only the selected record
    EXPECT_EQ(1, list.at(1).keepSelected);
    EXPECT_EQ(0, list.at(0).keepSelected + list.at(2).keepSelected);
    list.clearKeepSelected();
    EXPECT_EQ(0, list.at(1).keepSelected);

    const struct {
        float d;
        int32_t dx, dy;
    } cases[] = {{2.9f, 2, -2}, {-2.9f, -2, 2}, {1e12f, INT32_MAX, INT32_MIN}};
    for (const auto& c : cases) {
        list.setMotion(2, c.d, -c.d, MotionRotate);
        EXPECT_EQ(c.dx, list.at(2).motionDx) << c.d;
        EXPECT_EQ(c.dy, list.at(2).motionDy) << c.d;
        EXPECT_EQ(MotionRotate, list.at(2).motionKind);
    }
    list.setMotion(42, 1.0f, 1.0f, MotionMove);   // no such index
    EXPECT_EQ(0, list.at(0).motionPending + list.at(1).motionPending);
}

TEST(EdgeList, KeepsExactlyTheDistinctOrderedPairsInFirstSeenOrder)
{
    // Random pairs from a small range (many repeats, reversed pairs) and the extremes.
    std::mt19937 random(99);
    const int32_t extremes[] = {INT32_MIN, -1, 0, INT32_MAX};
    EdgeList edges;
    edges.addEdge(1, 2);
    edges.clearEdges();   // forgets the pair too
    std::set<std::pair<int32_t, int32_t>> seen;
    std::vector<std::pair<int32_t, int32_t>> expected, got;
    for (int i = 0; i < 40000; ++i) {
        int32_t a = int32_t(random() % 81) - 40, b = int32_t(random() % 81) - 40;
        if (i % 97 == 0)
            a = extremes[random() % 4], b = extremes[random() % 4];
        if (i == 5)
            a = 1, b = 2;
        edges.addEdge(a, b);
        if (i % 9973 == 0)
            edges.releaseLookup();   // pairs added later must still find the earlier ones
        if (seen.insert({a, b}).second)
            expected.push_back({a, b});
    }
    edges.resetEdgeIterator();
    for (int32_t k = 0; k < edges.edgeCount(); ++k) {
        const EdgePair e = edges.nextEdge();
        got.push_back({e.a, e.b});
    }
    EXPECT_TRUE(expected == got);
}

}  // namespace
