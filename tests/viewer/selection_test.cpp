#include "viewer/selection_commands.h"
#include "viewer/selection_transform.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "viewer/point_edit_state.h"

namespace {

// Points at the given positions; the ones listed in `selected` are selected.
PointList listOf(const std::vector<FloatPair>& at, const std::vector<int>& selected)
{
    PointList list;
    for (const FloatPair& p : at)
        list.addPoint(ImagePoint{p.x, p.y});
    for (int k : selected)
        list.at(k).selected = 1;
    return list;
}

std::string selection(const PointList& list)
{
    std::string out;
    list.forEachPoint([&](const ImagePoint& p) { out += p.selected ? '1' : '0'; });
    return out;
}

// Every point within 1e-4 of `expected` (x, y in turn).
void expectAt(const PointList& list, const std::vector<FloatPair>& expected, const char* what)
{
    ASSERT_EQ(size_t(list.pointCount()), expected.size()) << what;
    for (int32_t k = 0; k < list.pointCount(); ++k) {
        EXPECT_NEAR(list.at(k).x, expected[size_t(k)].x, 1e-4) << what << " point " << k;
        EXPECT_NEAR(list.at(k).y, expected[size_t(k)].y, 1e-4) << what << " point " << k;
    }
}

}  // namespace

// Three selected points with the bounding box (10, 20)-(30, 30), centre (20, 25), and one
// unselected point that never moves. The pane's y runs down.
TEST(SelectionTransform, EachChangeWorksAboutTheSelectionsCentre)
{
    const std::vector<FloatPair> start{{10, 20}, {30, 20}, {30, 30}, {99, 99}};
    struct Case {
        const char* name;
        PointTransform transform;
        bool snap;
        std::vector<FloatPair> expected;
    };
    const Case cases[] = {
        {"flip horizontally", flipHorizontally(), false, {{30, 20}, {10, 20}, {10, 30}, {99, 99}}},
        {"flip vertically", flipVertically(), false, {{10, 30}, {30, 30}, {30, 20}, {99, 99}}},
        // Clockwise on screen: the left end goes to the top, the right end to the bottom.
        {"clockwise", quarterTurn(true), false, {{25, 15}, {25, 35}, {15, 35}, {99, 99}}},
        {"counter-clockwise", quarterTurn(false), false, {{15, 35}, {15, 15}, {25, 15}, {99, 99}}},
        {"typed 90 degrees", typedTransform(0, 0, 90, 100, 100), false, {{15, 35}, {15, 15}, {25, 15}, {99, 99}}},
        {"typed move and scale", typedTransform(1.5, -2, 0, 50, 200), false,
         {{16.5, 13}, {26.5, 13}, {26.5, 33}, {99, 99}}},
        {"typed move, snapped", typedTransform(0.4, 0.6, 0, 100, 100), true, {{10, 21}, {30, 21}, {30, 31}, {99, 99}}},
    };
    for (const Case& c : cases) {
        PointList list = listOf(start, {0, 1, 2});
        EXPECT_EQ(TransformResult::Done, transformSelection(list, c.transform, c.snap)) << c.name;
        expectAt(list, c.expected, c.name);
    }
}

TEST(SelectionTransform, NothingSelectedOrAResultOutOfRangeChangesNothing)
{
    PointList none = listOf({{1, 2}, {3, 4}}, {});
    EXPECT_EQ(TransformResult::NothingSelected, transformSelection(none, flipVertically(), false));
    EXPECT_EQ(TransformResult::NothingSelected, placeSelection(none, 5, 5, false));

    PointList far = listOf({{0, 0}, {3.0e38f, 1}, {5, 5}}, {0, 1});
    EXPECT_EQ(TransformResult::NotFinite, transformSelection(far, typedTransform(0, 0, 0, 300, 100), false));
    EXPECT_EQ(TransformResult::NotFinite, transformSelection(far, typedTransform(FLT_MAX, 0, 0, 100, 100), false));
    EXPECT_EQ(TransformResult::NotFinite, placeSelection(far, std::nan(""), 1, false));
    expectAt(far, {{0, 0}, {3.0e38f, 1}, {5, 5}}, "unchanged");

    PointList one = listOf({{1, 2}, {3, 4}}, {1});
    EXPECT_EQ(TransformResult::Done, placeSelection(one, 7.6, -2.2, true));
    expectAt(one, {{1, 2}, {8, -2}}, "placed");
}

// Two islands: 0-1-2 and 3-4; vertex 4 sits where vertex 2 does (a seam).
TEST(SelectionCommands, RingsIslandsSeamsAndInversion)
{
    EdgeList edges;
    edges.addEdge(0, 1);
    edges.addEdge(1, 2);
    edges.addEdge(3, 4);
    edges.addEdge(4, 99);   // an edge to no point is left out
    const std::vector<std::array<float, 3>> at{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {5, 5, 5}, {2, 0, -0.0f}};
    PointList list = listOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, {2});   // edges are followed both ways

    growSelection(list, edges, true);
    EXPECT_EQ("11100", selection(list));
    selectStacked(list, at);
    EXPECT_EQ("11101", selection(list));
    invertSelection(list);
    EXPECT_EQ("00010", selection(list));
    EXPECT_EQ(1, selectedCount(list));
    EXPECT_EQ(1, list.at(3).keepSelected);
    selectNone(list);
    EXPECT_EQ("00000", selection(list));
    EXPECT_EQ(0, list.at(3).keepSelected);
    list.at(0).selected = 1;
    growSelection(list, edges, false);
    EXPECT_EQ("11000", selection(list));
}
