// Normals, bounds, attribute sorting, adjacency and vertex conversion, on hand-made meshes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/adjacency.h"
#include "graphics/attribute_sort.h"
#include "graphics/bounds.h"
#include "graphics/fvf.h"
#include "graphics/normals.h"
#include "graphics/vertex_convert.h"
#include "test_meshes.h"

namespace {

// Vertices of the editor's layout: position, normal, u, v (8 floats).
struct Vertex32 {
    float position[3];
    float normal[3];
    float uv[2];
};

std::vector<Vertex32> verticesAt(const std::vector<D3DXVECTOR3>& positions) {
    std::vector<Vertex32> vertices(positions.size());
    for (size_t i = 0; i < positions.size(); ++i)
        vertices[i] = {{positions[i].x, positions[i].y, positions[i].z}, {9, 9, 9}, {0, 0}};
    return vertices;
}

void computeNormals32(std::vector<Vertex32>& vertices, const std::vector<uint16_t>& indices) {
    computeNormals(reinterpret_cast<uint8_t*>(vertices.data()), uint32_t(vertices.size()), 32,
                   12, indices.data(), uint32_t(indices.size() / 3));
}

void expectNormal(const Vertex32& v, float x, float y, float z) {
    EXPECT_NEAR(x, v.normal[0], 1e-5f);
    EXPECT_NEAR(y, v.normal[1], 1e-5f);
    EXPECT_NEAR(z, v.normal[2], 1e-5f);
}

}  // namespace

TEST(Normals, ClockwiseFaceSeenFromMinusZPointsAtTheViewer) {
    // Seen from z < 0 (x right, y up): (0,0) -> (0,1) -> (1,0) turns clockwise.
    std::vector<Vertex32> v = verticesAt({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {5, 5, 5}});
    computeNormals32(v, {0, 1, 2});
    for (int i = 0; i < 3; ++i) expectNormal(v[i], 0, 0, -1);
    expectNormal(v[3], 0, 0, 0);  // used by no face
    EXPECT_EQ(0.0f, v[0].uv[0]);  // the rest of the vertex is left alone
}

TEST(Normals, FacesAreWeightedByTheirAngleAtTheVertex) {
    // Vertex 0 at the origin: face A in the plane z = 0 with a 90 degree corner there, face B
    // in the plane x = 0 with a 45 degree corner there. Sum = (pi/2)(0,0,-1) + (pi/4)(-1,0,0).
    std::vector<Vertex32> v =
        verticesAt({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 1, 1}, {0, 0, 1}});
    computeNormals32(v, {0, 1, 2, 0, 4, 3});
    const float x = -0.25f, z = -0.5f, length = std::sqrt(x * x + z * z);
    expectNormal(v[0], x / length, 0, z / length);
    expectNormal(v[2], 0, 0, -1);  // only in face A
    expectNormal(v[4], -1, 0, 0);  // only in face B
}

TEST(Normals, DegenerateAndOutOfRangeFacesAddNothing) {
    std::vector<Vertex32> v = verticesAt({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {2, 2, 2}});
    computeNormals32(v, {0, 1, 2, 3, 3, 0, 0, 1, 77});
    expectNormal(v[0], 0, 0, -1);
    expectNormal(v[3], 0, 0, 0);
}

TEST(Normals, FlatGridGetsOneNormalEverywhere) {
    const IndexMesh grid = gridMesh(3, 3);
    std::vector<D3DXVECTOR3> positions;
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c <= 3; ++c) positions.push_back({float(c), float(-r), 0});
    std::vector<Vertex32> v = verticesAt(positions);
    std::vector<uint16_t> indices(grid.corners.begin(), grid.corners.end());
    computeNormals32(v, indices);
    // Rows go down (-y): each face (a, below a, right of a) turns counter-clockwise seen from
    // -z, so it faces +z.
    for (const Vertex32& vertex : v) expectNormal(vertex, 0, 0, 1);
}

TEST(Bounds, CentreIsTheMeanAndRadiusTheFarthestPoint) {
    const std::vector<Vertex32> v = verticesAt({{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {0, 0, 4}});
    const BoundingSphere sphere =
        computeBoundingSphere(reinterpret_cast<const uint8_t*>(v.data()), 4, 32);
    EXPECT_FLOAT_EQ(1, sphere.center.x);
    EXPECT_FLOAT_EQ(1, sphere.center.y);
    EXPECT_FLOAT_EQ(1, sphere.center.z);
    EXPECT_FLOAT_EQ(std::sqrt(9.0f + 1 + 1), sphere.radius);  // (4,0,0) - (1,1,1)
    const BoundingSphere none = computeBoundingSphere(nullptr, 0, 32);
    EXPECT_EQ(0, none.radius);
    EXPECT_EQ(0, none.center.x);
}

TEST(AttributeSort, OrderIsStableAndTableHasOneRangePerRun) {
    const std::vector<uint32_t> attributes = {2, 0, 2, 1, 0};
    const std::vector<uint32_t> order = attributeSortOrder(attributes);
    EXPECT_EQ((std::vector<uint32_t>{1, 4, 3, 0, 2}), order);

    const std::vector<uint16_t> indices = {9, 8, 7, 0, 1, 2, 5, 6, 9, 3, 3, 4, 2, 3, 4};
    const std::vector<uint16_t> sortedIndices = reorderFaces(indices, order, 3);
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 2, 3, 4, 3, 3, 4, 9, 8, 7, 5, 6, 9}),
              sortedIndices);
    const std::vector<uint32_t> sortedAttributes = reorderFaces(attributes, order, 1);
    const std::vector<AttributeRange> table = attributeTable(sortedAttributes, sortedIndices);
    ASSERT_EQ(3u, table.size());
    EXPECT_EQ(0u, table[0].attribId);
    EXPECT_EQ(0u, table[0].faceStart);
    EXPECT_EQ(2u, table[0].faceCount);
    EXPECT_EQ(0u, table[0].vertexStart);
    EXPECT_EQ(5u, table[0].vertexCount);
    EXPECT_EQ(1u, table[1].attribId);
    EXPECT_EQ(2u, table[1].faceStart);
    EXPECT_EQ(1u, table[1].faceCount);
    EXPECT_EQ(3u, table[1].vertexStart);
    EXPECT_EQ(2u, table[1].vertexCount);
    EXPECT_EQ(2u, table[2].attribId);
    EXPECT_EQ(3u, table[2].faceStart);
    EXPECT_EQ(5u, table[2].vertexStart);
    EXPECT_EQ(5u, table[2].vertexCount);
}

TEST(AttributeSort, UnsortedRunsStaySeparate) {
    const std::vector<AttributeRange> table =
        attributeTable({1, 1, 0, 1}, {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2});
    ASSERT_EQ(3u, table.size());
    EXPECT_EQ(2u, table[0].faceCount);
    EXPECT_EQ(3u, table[2].faceStart);
    EXPECT_TRUE(attributeTable({}, {}).empty());
}

TEST(Adjacency, GridNeighboursAcrossEachEdge) {
    // Quad (0 1 / 3 4) of a 2 x 1 grid: faces (0, 3, 1), (1, 3, 4), (1, 4, 2), (2, 4, 5).
    const IndexMesh grid = gridMesh(2, 1);
    const std::vector<uint32_t> adjacency =
        faceAdjacency(grid.corners.data(), grid.faceCount(), grid.vertexCount);
    const std::vector<uint32_t> expected = {
        kNoNeighbour, 1, kNoNeighbour,   // 0-3 border, 3-1 face 1, 1-0 border
        0, kNoNeighbour, 2,              // 1-3 face 0, 3-4 border, 4-1 face 2
        1, 3, kNoNeighbour,
        2, kNoNeighbour, kNoNeighbour};
    EXPECT_EQ(expected, adjacency);
}

TEST(Adjacency, ClosedMeshHasEveryNeighbourAndBadFacesNone) {
    const IndexMesh torus = torusMesh(5, 4);
    for (uint32_t n : faceAdjacency(torus.corners.data(), torus.faceCount(), torus.vertexCount))
        EXPECT_NE(kNoNeighbour, n);
    // Three faces on edge 0-1; a face turned the same way; a repeated and an out-of-range corner.
    const std::vector<uint32_t> corners = {0, 1, 2, 1, 0, 3, 1, 0, 4, 5, 6, 7, 5, 6, 8,
                                           2, 2, 1, 1, 2, 99};
    const std::vector<uint32_t> adjacency = faceAdjacency(corners.data(), 7, 10);
    for (uint32_t n : adjacency) EXPECT_EQ(kNoNeighbour, n);
}

TEST(Adjacency, VerticesAtOnePositionShareARepresentative) {
    const std::vector<Vertex32> v = verticesAt(
        {{1, 2, 3}, {0, 0, 0}, {1, 2, 3}, {NAN, 0, 0}, {0, 0, 0}, {NAN, 0, 0}, {1, 2, 4}});
    const std::vector<uint32_t> reps =
        pointRepresentatives(reinterpret_cast<const uint8_t*>(v.data()), 7, 32);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 0, 3, 1, 3, 6}), reps);
}

TEST(VertexConvert, SharedComponentsAreCopiedAndMissingOnesZero) {
    const std::vector<Vertex32> v = {{{1, 2, 3}, {4, 5, 6}, {7, 8}}, {{9, 10, 11}, {12, 13, 14}, {15, 16}}};
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(v.data());
    // To position + diffuse + two texture sets (set 0 with three floats).
    const uint32_t target = fvf::kXyz | fvf::kDiffuse | 2 << fvf::kTexCountShift | 1u << 16;
    const std::vector<uint8_t> converted = convertVertices(bytes, 2, 0x112, target);
    ASSERT_EQ(2u * (12 + 4 + 12 + 8), converted.size());
    std::vector<float> f(converted.size() / 4);
    std::memcpy(f.data(), converted.data(), converted.size());
    uint32_t colour;
    std::memcpy(&colour, converted.data() + 12, 4);
    EXPECT_EQ(0u, colour);
    EXPECT_EQ((std::vector<float>{1, 2, 3}), std::vector<float>(f.begin(), f.begin() + 3));
    EXPECT_EQ((std::vector<float>{7, 8, 0, 0, 0}), std::vector<float>(f.begin() + 4, f.begin() + 9));
    EXPECT_EQ(9, f[9]);
    EXPECT_EQ(15, f[13]);
    // And back: the normal is gone, so it comes back zero.
    const std::vector<uint8_t> back = convertVertices(converted.data(), 2, target, 0x112);
    Vertex32 first;
    std::memcpy(&first, back.data(), 32);
    EXPECT_EQ(1, first.position[0]);
    EXPECT_EQ(0, first.normal[1]);
    EXPECT_EQ(8, first.uv[1]);
}

TEST(VertexConvert, SameFormatIsAPlainCopy) {
    const std::vector<Vertex32> v = {{{1, 2, 3}, {4, 5, 6}, {7, 8}}};
    const std::vector<uint8_t> copy =
        convertVertices(reinterpret_cast<const uint8_t*>(v.data()), 1, 0x112, 0x112);
    EXPECT_EQ(0, std::memcmp(copy.data(), v.data(), 32));
}
