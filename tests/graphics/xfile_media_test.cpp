// The generated media meshes: the knot tube and the marker cube are closed, wind clockwise seen
// from outside (so Direct3D's default culling keeps their outsides) and carry unit normals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "scripts/mediagen/cube_mesh.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

// Dot product of the triangle's (v1 - v0) x (v2 - v0) with the normal of v0.
float windingAgainstNormal(const MeshContent& mesh, size_t face)
{
    const uint32_t* t = &mesh.indices[3 * face];
    const float* p0 = &mesh.positions[3 * size_t(t[0])];
    const float* p1 = &mesh.positions[3 * size_t(t[1])];
    const float* p2 = &mesh.positions[3 * size_t(t[2])];
    float a[3], b[3];
    for (int k = 0; k < 3; ++k) {
        a[k] = p1[k] - p0[k];
        b[k] = p2[k] - p0[k];
    }
    float cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const float* n = &mesh.normals[3 * size_t(t[0])];
    return cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2];
}

void expectOutwardUnitNormals(const MeshContent& mesh)
{
    for (size_t f = 0; f < mesh.faceCount(); ++f)
        ASSERT_GT(windingAgainstNormal(mesh, f), 0.0f) << "face " << f;
    for (size_t v = 0; v < mesh.vertexCount(); ++v) {
        const float* n = &mesh.normals[3 * v];
        ASSERT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0f, 1e-5f) << "vertex " << v;
    }
}

// Every directed edge appears once and its reverse once: a closed, consistently wound surface.
void expectClosedByIndex(const MeshContent& mesh)
{
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (size_t f = 0; f < mesh.faceCount(); ++f) {
        for (int k = 0; k < 3; ++k)
            ++edges[{mesh.indices[3 * f + size_t(k)], mesh.indices[3 * f + size_t((k + 1) % 3)]}];
    }
    for (const auto& [edge, count] : edges) {
        ASSERT_EQ(count, 1) << edge.first << "-" << edge.second;
        ASSERT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
    }
}

TEST(MediaMeshes, TorusKnotIsAClosedOutwardTubeWithTheRequestedCounts)
{
    MeshContent knot = makeTorusKnot(40, 7);
    EXPECT_EQ(knot.vertexCount(), 280u);
    EXPECT_EQ(knot.faceCount(), 560u);
    EXPECT_EQ(knot.texcoords.size(), 2u * 280u);
    EXPECT_EQ(knot.attributes, std::vector<uint32_t>(560, 0));
    ASSERT_EQ(knot.materials.size(), 1u);
    EXPECT_EQ(knot.materials[0].textureFile, "knot.bmp");
    expectOutwardUnitNormals(knot);
    expectClosedByIndex(knot);
}

TEST(MediaMeshes, TorusKnotWithSeamCopiesHasNoTextureJump)
{
    const int segments = 40, sides = 7;
    MeshContent knot = makeTorusKnot(segments, sides, true);
    const uint32_t columns = sides + 1;
    ASSERT_EQ(knot.vertexCount(), uint32_t((segments + 1) * columns));
    EXPECT_EQ(knot.faceCount(), uint32_t(2 * segments * sides));
    // The last ring repeats the first one's geometry exactly, at u = 4.
    uint32_t lastRing = uint32_t(segments) * columns;
    for (uint32_t j = 0; j < columns; ++j) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(knot.positions[3 * (lastRing + j) + k], knot.positions[3 * j + k]);
            EXPECT_EQ(knot.normals[3 * (lastRing + j) + k], knot.normals[3 * j + k]);
        }
        EXPECT_EQ(knot.texcoords[2 * (lastRing + j)], 4.0f);
    }
    EXPECT_EQ(knot.texcoords[2 * sides + 1], 1.0f);
    // No triangle stretches across the texture: its u and v spans stay one step wide.
    for (size_t f = 0; f < knot.faceCount(); ++f) {
        float u[3], v[3];
        for (int k = 0; k < 3; ++k) {
            u[k] = knot.texcoords[2 * size_t(knot.indices[3 * f + size_t(k)])];
            v[k] = knot.texcoords[2 * size_t(knot.indices[3 * f + size_t(k)]) + 1];
        }
        ASSERT_LE(std::max({u[0], u[1], u[2]}) - std::min({u[0], u[1], u[2]}), 4.0f / segments + 1e-5f) << f;
        ASSERT_LE(std::max({v[0], v[1], v[2]}) - std::min({v[0], v[1], v[2]}), 1.0f / sides + 1e-5f) << f;
    }
    expectOutwardUnitNormals(knot);
}

TEST(MediaMeshes, CubeIsSideTwoAroundTheOriginWithFlatSides)
{
    MeshContent cube = makeCube();
    EXPECT_EQ(cube.vertexCount(), 24u);
    EXPECT_EQ(cube.faceCount(), 12u);
    for (float coordinate : cube.positions)
        EXPECT_EQ(std::fabs(coordinate), 1.0f);
    for (float uv : cube.texcoords)
        EXPECT_TRUE(uv == 0.0f || uv == 1.0f);
    EXPECT_TRUE(cube.materials.empty());
    expectOutwardUnitNormals(cube);
}

} // namespace
