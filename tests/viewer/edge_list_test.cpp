#include "viewer/edge_list.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

TEST(EdgeList, SamePairIsStoredOnceAndReversedPairIsAnother)
{
    EdgeList edges;
    edges.addEdge(3, 5);
    edges.addEdge(3, 5);
    EXPECT_EQ(1, edges.edgeCount());
    edges.addEdge(5, 3);
    EXPECT_EQ(2, edges.edgeCount());
    edges.addEdge(3, 6);
    edges.addEdge(-1, 5);
    edges.resetEdgeIterator();
    const EdgePair expected[] = {{3, 5}, {5, 3}, {3, 6}, {-1, 5}};
    for (const EdgePair& e : expected) {
        const EdgePair got = edges.nextEdge();
        EXPECT_EQ(e.a, got.a);
        EXPECT_EQ(e.b, got.b);
    }
}

TEST(EdgeList, ClearEdgesEmptiesAndForgetsPairs)
{
    EdgeList edges;
    edges.addEdge(1, 2);
    edges.clearEdges();
    EXPECT_EQ(0, edges.edgeCount());
    edges.addEdge(1, 2);
    EXPECT_EQ(1, edges.edgeCount());
}

TEST(EdgeList, ManyTrianglesAddInLinearTime)
{
    // 100,000 triangles with shared sides: a linear scan per edge would not finish here.
    EdgeList edges;
    for (int32_t t = 0; t < 100000; ++t) {
        edges.addEdge(t, t + 1);
        edges.addEdge(t, t + 2);
        edges.addEdge(t + 1, t + 2);
    }
    EXPECT_EQ(200001, edges.edgeCount());  // each (t+1, t+2) returns as the next triangle's (t, t+1)
}

TEST(EdgeList, KeepsExactlyTheDistinctPairsInFirstSeenOrder)
{
    // Random pairs from a small range (many repeats) and the extremes, against a plain set.
    std::mt19937 random(99);
    const int32_t extremes[] = {INT32_MIN, -1, 0, INT32_MAX};
    EdgeList edges;
    std::set<std::pair<int32_t, int32_t>> seen;
    std::vector<std::pair<int32_t, int32_t>> expected;
    for (int i = 0; i < 40000; ++i) {
        int32_t a = int32_t(random() % 81) - 40, b = int32_t(random() % 81) - 40;
        if (i % 97 == 0)
            a = extremes[random() % 4], b = extremes[random() % 4];
        edges.addEdge(a, b);
        if (i % 9973 == 0)
            edges.releaseLookup();   // pairs added later must still find the earlier ones
        if (seen.insert({a, b}).second)
            expected.push_back({a, b});
    }
    ASSERT_EQ(int32_t(expected.size()), edges.edgeCount());
    for (size_t k = 0; k < expected.size(); ++k)
        ASSERT_TRUE(expected[k].first == edges.pairs()[k].a && expected[k].second == edges.pairs()[k].b) << k;
}

}  // namespace
