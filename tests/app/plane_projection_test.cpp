#include "app/plane_projection.h"

#include <gtest/gtest.h>

namespace {

// The editor's projection of whole meshes is checked through its dialog; here the corners.
TEST(PlaneProjection, UnknownPlanesGiveNothingAndAnAxisWithoutExtentGivesZero)
{
    const std::vector<Vertex3ds> flat = {{3, 10, 0}, {5, 11, 0}, {9, 14, 0}};
    for (int32_t unknown : {int32_t(PlaneNone), 1032, 1036}) {
        std::vector<PlanePoint> points(3);
        EXPECT_FALSE(planeCoordinates(flat, unknown, points));
        EXPECT_TRUE(points.empty());
        EXPECT_EQ(nullptr, planeName(unknown));
    }
    // Seen edge on, every z is 0: t has no extent and stays finite, mirrored or not.
    std::vector<PlanePoint> points;
    ASSERT_TRUE(planeCoordinates(flat, PlaneXZ, points));
    mirrorPlaneCoordinates(points, true, true);
    normalisePlaneCoordinates(points);
    const float expectedS[] = {1, 4.0f / 6, 0};
    for (size_t k = 0; k < points.size(); ++k) {
        EXPECT_FLOAT_EQ(expectedS[k], points[k].s) << k;
        EXPECT_EQ(0.0f, points[k].t) << k;
    }
    std::vector<PlanePoint> none;
    ASSERT_TRUE(planeCoordinates({}, PlaneYZ, none));
    mirrorPlaneCoordinates(none, true, true);
    normalisePlaneCoordinates(none);
    EXPECT_TRUE(none.empty());
}

} // namespace
