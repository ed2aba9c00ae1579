// The generated media meshes: the knot tube and the marker cube are closed, wind clockwise seen
// from outside (so Direct3D's default culling keeps their outsides) and carry unit normals.
#include <gtest/gtest.h>

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
