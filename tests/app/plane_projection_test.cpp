#include "app/plane_projection.h"

#include <gtest/gtest.h>

namespace {

// The eight corners of a cube of side 2 centred at the origin.
std::vector<Vertex3ds> cubeOfSideTwo()
{
    std::vector<Vertex3ds> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back({i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f});
    return corners;
}

std::vector<PlanePoint> project(const std::vector<Vertex3ds>& positions, int32_t plane,
                                bool reverseU, bool reverseV)
{
    std::vector<PlanePoint> points;
    EXPECT_TRUE(planeCoordinates(positions, plane, points));
    mirrorPlaneCoordinates(points, reverseU, reverseV);
    normalisePlaneCoordinates(points);
    return points;
}

TEST(PlaneProjection, EachPlaneTakesItsTwoAxes)
{
    const std::vector<Vertex3ds> positions = {{1, 2, 3}, {-4, 5, -6}};
    std::vector<PlanePoint> points;
    ASSERT_TRUE(planeCoordinates(positions, PlaneXY, points));
    EXPECT_EQ(points[1].s, -4.0f);
    EXPECT_EQ(points[1].t, 5.0f);
    ASSERT_TRUE(planeCoordinates(positions, PlaneYZ, points));
    EXPECT_EQ(points[1].s, -6.0f);
    EXPECT_EQ(points[1].t, 5.0f);
    ASSERT_TRUE(planeCoordinates(positions, PlaneXZ, points));
    EXPECT_EQ(points[1].s, -4.0f);
    EXPECT_EQ(points[1].t, -6.0f);
    EXPECT_STREQ(planeName(PlaneXY), "xy");
    EXPECT_STREQ(planeName(PlaneYZ), "yz");
    EXPECT_STREQ(planeName(PlaneXZ), "xz");
}

TEST(PlaneProjection, UnknownPlaneGivesNothing)
{
    std::vector<PlanePoint> points(3);
    EXPECT_FALSE(planeCoordinates(cubeOfSideTwo(), PlaneNone, points));
    EXPECT_TRUE(points.empty());
    EXPECT_FALSE(planeCoordinates(cubeOfSideTwo(), 1036, points));
    EXPECT_EQ(planeName(1032), nullptr);
}

TEST(PlaneProjection, CubeCornersLandOnTheUnitSquareCorners)
{
    const std::vector<Vertex3ds> cube = cubeOfSideTwo();
    const std::vector<PlanePoint> points = project(cube, PlaneXY, false, false);
    ASSERT_EQ(points.size(), cube.size());
    for (size_t k = 0; k < cube.size(); ++k) {
        EXPECT_EQ(points[k].s, cube[k].x > 0 ? 1.0f : 0.0f) << k;
        EXPECT_EQ(points[k].t, cube[k].y > 0 ? 1.0f : 0.0f) << k;
    }
}

TEST(PlaneProjection, MirroringTurnsEachAxisRoundSeparately)
{
    // An off-centre mesh: the mirror must not depend on where the mesh sits.
    const std::vector<Vertex3ds> positions = {{3, 10, 0}, {5, 11, 0}, {9, 14, 0}};
    const std::vector<PlanePoint> plain = project(positions, PlaneXY, false, false);
    const std::vector<PlanePoint> mirroredU = project(positions, PlaneXY, true, false);
    const std::vector<PlanePoint> mirroredBoth = project(positions, PlaneXY, true, true);
    for (size_t k = 0; k < positions.size(); ++k) {
        EXPECT_FLOAT_EQ(mirroredU[k].s, 1.0f - plain[k].s) << k;
        EXPECT_FLOAT_EQ(mirroredU[k].t, plain[k].t) << k;
        EXPECT_FLOAT_EQ(mirroredBoth[k].t, 1.0f - plain[k].t) << k;
    }
    EXPECT_FLOAT_EQ(plain[1].s, 2.0f / 6.0f);
    EXPECT_FLOAT_EQ(plain[1].t, 0.25f);
}

TEST(PlaneProjection, FlatMeshSeenEdgeOnKeepsFinitePoints)
{
    // Every vertex has z = 0: on the xz plane t has no extent.
    const std::vector<Vertex3ds> positions = {{0, 0, 0}, {2, 1, 0}, {4, 3, 0}};
    const std::vector<PlanePoint> points = project(positions, PlaneXZ, false, true);
    for (const PlanePoint& p : points)
        EXPECT_EQ(p.t, 0.0f);
    EXPECT_FLOAT_EQ(points[1].s, 0.5f);
}

TEST(PlaneProjection, EmptyMeshGivesNoPoints)
{
    std::vector<PlanePoint> points = project({}, PlaneYZ, true, true);
    EXPECT_TRUE(points.empty());
}

} // namespace
