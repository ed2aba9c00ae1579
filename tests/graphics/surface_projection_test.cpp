// Box, cylinder, sphere and view projections, by their properties on generated meshes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "graphics/surface_projection.h"

namespace {

const float kPi = 3.14159265f;

std::vector<PlanePoint> project(const SurfaceProjection& how, const std::vector<D3DXVECTOR3>& positions,
                                const std::vector<uint16_t>& corners = {})
{
    std::vector<PlanePoint> out;
    projectSurface(how, positions, corners.data(), uint32_t(corners.size() / 3), out);
    EXPECT_EQ(positions.size(), out.size());
    return out;
}

void expectPoint(const PlanePoint& expected, const PlanePoint& actual, float tolerance = 0)
{
    EXPECT_NEAR(expected.s, actual.s, tolerance);
    EXPECT_NEAR(expected.t, actual.t, tolerance);
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
    for (size_t face = 0; face < 100; ++face) {
        D3DXVECTOR3 normal;
        const D3DXVECTOR3 a = positions[3 * face], b = positions[3 * face + 1], c = positions[3 * face + 2];
        const D3DXVECTOR3 ab = b - a, ac = c - a;
        D3DXVec3Cross(&normal, &ab, &ac);
        const float size[3] = {std::fabs(normal.x), std::fabs(normal.y), std::fabs(normal.z)};
        const Axis faced = Axis(std::max_element(size, size + 3) - size);
        for (size_t k = 3 * face; k < 3 * face + 3; ++k)
            expectPoint(planePointAlong(positions[k], faced), points[k]);
    }
    // The corner at the origin has 90 degrees of a triangle facing z and 30 of one facing x:
    // it takes the xy plane; the far corners take their own triangle's plane.
    const std::vector<D3DXVECTOR3> bent = {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 1, 1.732f}, {0, 1, 0}};
    const std::vector<PlanePoint> bentPoints = project({ProjectionKind::Box}, bent, {0, 2, 1, 0, 3, 4});
    expectPoint(planePointAlong(bent[0], Axis::Z), bentPoints[0]);
    expectPoint(planePointAlong(bent[3], Axis::X), bentPoints[3]);
    expectPoint(planePointAlong(bent[1], Axis::Z), bentPoints[1]);
}

TEST(SurfaceProjection, CylinderAndSphereGoRoundTheirAxisWithTheSeamBehindAndThePolesAtTheEnds)
{
    const struct {
        Axis axis;
        D3DXVECTOR3 along, front, side;   // side: any third direction square to both
    } axes[] = {
        {Axis::X, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {Axis::Y, {0, 1, 0}, {0, 0, -1}, {1, 0, 0}},
        {Axis::Z, {0, 0, 1}, {0, -1, 0}, {1, 0, 0}},
    };
    const int kSteps = 12;
    for (const auto& a : axes) {
        SCOPED_TRACE(int(a.axis));
        // Two rings, radius 1 at height -1 and radius 2 at +1, starting in front; then the poles.
        // All about the centre of their bounds, away from the origin.
        const D3DXVECTOR3 centre(3, -2, 5);
        std::vector<D3DXVECTOR3> positions;
        for (int ring = 0; ring < 2; ++ring)
            for (int k = 0; k < kSteps; ++k) {
                const float angle = 2 * kPi * k / kSteps, radius = 1.0f + ring;
                positions.push_back(centre + a.front * (radius * std::cos(angle)) + a.side * (radius * std::sin(angle)) +
                                    a.along * (ring ? 1.0f : -1.0f));
            }
        positions.push_back(centre + a.along * 2.0f);
        positions.push_back(centre + a.along * -2.0f);
        const std::vector<PlanePoint> cylinder = project({ProjectionKind::Cylinder, a.axis}, positions);
        const std::vector<PlanePoint> sphere = project({ProjectionKind::Sphere, a.axis}, positions);
        EXPECT_FLOAT_EQ(0.5f, cylinder[0].s);
        const float turn = cylinder[1].s - cylinder[0].s;   // one step, either way round
        EXPECT_NEAR(1.0f / kSteps, std::fabs(turn), 1e-5f);
        for (int k = 0; k < kSteps; ++k) {
            const float s = cylinder[k].s;
            // Even steps round the circle from 0.5 in front; behind lies the seam, 0 or 1.
            EXPECT_NEAR(0.0f, gapAround(0.5f + k * turn, s), 1e-5f) << k;
            EXPECT_TRUE(s >= 0 && s <= 1) << s;
            EXPECT_NEAR(0.0f, gapAround(s, cylinder[kSteps + k].s), 1e-5f) << k;   // any radius and height
            EXPECT_NEAR(0.0f, gapAround(s, sphere[k].s), 1e-5f) << k;
            EXPECT_FLOAT_EQ(-1.0f, cylinder[k].t);
            EXPECT_FLOAT_EQ(1.0f, cylinder[kSteps + k].t);
            EXPECT_NEAR(0.25f, sphere[k].t, 1e-5f);   // 45 degrees below the equator
            EXPECT_NEAR(1 - std::atan(2.0f) / kPi, sphere[kSteps + k].t, 1e-5f);
        }
        expectPoint({0.5f, 1.0f}, sphere[2 * kSteps], 1e-6f);
        expectPoint({0.5f, 0.0f}, sphere[2 * kSteps + 1], 1e-6f);
    }
}

TEST(SurfaceProjection, ViewAlongAnAxisIsThatAxisPlanarProjection)
{
    const std::vector<D3DXVECTOR3> positions = {{1, 2, 3}, {-4, 0.5f, 7}, {0, -3, -1}};
    const struct {
        D3DXVECTOR3 right, up;
        Axis along;
    } views[] = {{{1, 0, 0}, {0, 1, 0}, Axis::Z}, {{0, 0, 1}, {0, 1, 0}, Axis::X}, {{1, 0, 0}, {0, 0, 1}, Axis::Y}};
    for (const auto& v : views) {
        SurfaceProjection how{ProjectionKind::View};
        how.viewRight = v.right;
        how.viewUp = v.up;
        const std::vector<PlanePoint> points = project(how, positions);
        for (size_t k = 0; k < positions.size(); ++k)
            expectPoint(planePointAlong(positions[k], v.along), points[k]);
    }
}
