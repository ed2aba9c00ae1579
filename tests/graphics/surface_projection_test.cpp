// Box, cylinder and sphere projections, by their properties on generated meshes (the view's
// is shown through the editor).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "graphics/surface_projection.h"

namespace {

std::vector<PlanePoint> project(const SurfaceProjection& how, const std::vector<D3DXVECTOR3>& positions,
                                const std::vector<uint16_t>& corners = {})
{
    std::vector<PlanePoint> out;
    projectSurface(how, positions, corners.data(), uint32_t(corners.size() / 3), out);
    EXPECT_EQ(positions.size(), out.size());
    return out;
}

void expectPoint(const PlanePoint& expected, const PlanePoint& actual)
{
    EXPECT_NEAR(expected.s, actual.s, 1e-5f);
    EXPECT_NEAR(expected.t, actual.t, 1e-5f);
}

// How far apart two values of s lie round the circle, where 0 and 1 meet at the seam.
float gapAround(float a, float b)
{
    const float gap = std::fabs(std::fmod(a - b + 2.0f, 1.0f));
    return std::min(gap, 1 - gap);
}

} // namespace

TEST(SurfaceProjection, BoxPutsEachTriangleOnThePlaneItFacesMostAndASharedCornerOnItsNormals)
{
    std::mt19937 random(14);
    std::uniform_real_distribution<float> coordinate(-5, 5);
    std::vector<D3DXVECTOR3> positions;
    std::vector<uint16_t> corners;
    for (uint16_t k = 0; k < 300; ++k) {
        positions.push_back({coordinate(random), coordinate(random), coordinate(random)});
        corners.push_back(k);
    }
    const std::vector<PlanePoint> points = project({ProjectionKind::Box}, positions, corners);
    for (size_t k = 0; k < positions.size(); ++k) {
        const D3DXVECTOR3* corner = &positions[k - k % 3];
        const D3DXVECTOR3 ab = corner[1] - corner[0], ac = corner[2] - corner[0];
        D3DXVECTOR3 normal;
        D3DXVec3Cross(&normal, &ab, &ac);
        const float size[3] = {std::fabs(normal.x), std::fabs(normal.y), std::fabs(normal.z)};
        expectPoint(planePointAlong(positions[k], Axis(std::max_element(size, size + 3) - size)), points[k]);
    }
    // The corner at the origin has 90 degrees of a triangle facing z and 30 of one facing x:
    // it takes the xy plane; the far corners take their own triangle's plane.
    const std::vector<D3DXVECTOR3> bent = {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 1, 1.732f}, {0, 1, 0}};
    const std::vector<PlanePoint> bentPoints = project({ProjectionKind::Box}, bent, {0, 2, 1, 0, 3, 4});
    for (const auto& [k, axis] : {std::pair{0, Axis::Z}, {1, Axis::Z}, {3, Axis::X}})
        expectPoint(planePointAlong(bent[k], axis), bentPoints[k]);
}

TEST(SurfaceProjection, CylinderAndSphereGoRoundTheirAxisWithTheSeamBehindAndThePolesAtTheEnds)
{
    const struct {
        Axis axis;
        D3DXVECTOR3 along, front, side;   // side: any third direction square to both
    } axes[] = {{Axis::X, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {Axis::Y, {0, 1, 0}, {0, 0, -1}, {1, 0, 0}},
                {Axis::Z, {0, 0, 1}, {0, -1, 0}, {1, 0, 0}}};
    const int kSteps = 12;
    for (const auto& a : axes) {
        // Rings of radius 1 at height -1 and of radius 2 at +1, starting in front, then the
        // poles, all about the centre of their bounds, away from the origin.
        const D3DXVECTOR3 centre(3, -2, 5);
        std::vector<D3DXVECTOR3> positions;
        for (int k = 0; k < 2 * kSteps; ++k) {
            const float angle = 2 * 3.14159265f * k / kSteps, radius = k < kSteps ? 1.0f : 2.0f;
            positions.push_back(centre + a.front * (radius * std::cos(angle)) + a.side * (radius * std::sin(angle)) +
                                a.along * (k < kSteps ? -1.0f : 1.0f));
        }
        positions.push_back(centre + a.along * 2.0f);
        positions.push_back(centre + a.along * -2.0f);
        const std::vector<PlanePoint> cylinder = project({ProjectionKind::Cylinder, a.axis}, positions);
        const std::vector<PlanePoint> sphere = project({ProjectionKind::Sphere, a.axis}, positions);
        EXPECT_FLOAT_EQ(0.5f, cylinder[0].s);
        const float turn = cylinder[1].s - cylinder[0].s;   // one step, either way round
        EXPECT_NEAR(1.0f / kSteps, std::fabs(turn), 1e-5f);
        for (int k = 0; k < 2 * kSteps; ++k) {
            // Even steps round from 0.5 in front, whatever the radius and height, to the seam
            // behind, 0 or 1; t is the height, on the sphere the angle from the lower pole.
            const float s = cylinder[k].s;
            EXPECT_NEAR(0.0f, gapAround(0.5f + k * turn, s), 1e-5f) << k;
            EXPECT_TRUE(s >= 0 && s <= 1) << s;
            EXPECT_NEAR(0.0f, gapAround(s, sphere[k].s), 1e-5f) << k;
            EXPECT_FLOAT_EQ(k < kSteps ? -1.0f : 1.0f, cylinder[k].t);
            EXPECT_NEAR(k < kSteps ? 0.25f : 1 - std::atan(2.0f) / 3.14159265f, sphere[k].t, 1e-5f);
        }
        expectPoint({0.5f, 1.0f}, sphere[2 * kSteps]);
        expectPoint({0.5f, 0.0f}, sphere[2 * kSteps + 1]);
    }
}
