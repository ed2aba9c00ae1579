// Vertex formats, normals, bounds, attribute sorting, adjacency and vertex conversion, on
// hand-made meshes and formats.
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

using namespace fvf;

namespace {

// The editor's layout: position, normal, u, v.
struct Vertex32 {
    D3DXVECTOR3 position, normal;
    float uv[2];
};

std::vector<Vertex32> verticesAt(const std::vector<D3DXVECTOR3>& positions) {
    std::vector<Vertex32> vertices;
    for (const D3DXVECTOR3& p : positions) vertices.push_back({p, {9, 9, 9}, {0, 0}});
    return vertices;
}

const uint8_t* bytesOf(const std::vector<Vertex32>& v) { return reinterpret_cast<const uint8_t*>(v.data()); }

void expectNear(const D3DXVECTOR3& expected, const D3DXVECTOR3& actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
}

}  // namespace

TEST(Normals, FacesSeenClockwiseFaceTheViewerWeightedByTheirCornerAngles) {
    // Seen from z < 0, (0,0) -> (0,1) -> (1,0) turns clockwise: face A faces -z with a 90 degree
    // corner at vertex 0; face B, in the plane x = 0, faces -x with a 45 degree corner there.
    std::vector<Vertex32> v = verticesAt({{0, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 1, 1}, {0, 0, 1}, {5, 5, 5}});
    // Faces with a repeated or an out-of-range corner add nothing.
    const uint16_t faces[] = {0, 1, 2, 0, 4, 3, 5, 5, 0, 0, 1, 77};
    computeNormals(reinterpret_cast<uint8_t*>(v.data()), 6, 32, 12, faces, 4);
    const float length = std::sqrt(0.25f * 0.25f + 0.5f * 0.5f);
    expectNear({-0.25f / length, 0, -0.5f / length}, v[0].normal);
    expectNear({0, 0, -1}, v[2].normal);
    expectNear({-1, 0, 0}, v[4].normal);
    expectNear({0, 0, 0}, v[5].normal);
    EXPECT_EQ(0.0f, v[0].uv[0]);  // the rest of the vertex is left alone
}

TEST(Bounds, CentreIsTheMeanAndRadiusTheFarthestPoint) {
    const std::vector<Vertex32> v = verticesAt({{0, 0, 0}, {4, 0, 0}, {0, 4, 0}, {0, 0, 4}});
    const BoundingSphere sphere = computeBoundingSphere(bytesOf(v), 4, 32);
    expectNear({1, 1, 1}, sphere.center);
    EXPECT_FLOAT_EQ(std::sqrt(11.0f), sphere.radius);  // (4,0,0) - (1,1,1)
    const BoundingSphere none = computeBoundingSphere(nullptr, 0, 32);
    EXPECT_EQ(std::make_pair(0.0f, 0.0f), std::make_pair(none.radius, none.center.x));
}

TEST(AttributeSort, StableOrderAndOneRangePerRunWithItsVertexSpan) {
    const std::vector<uint32_t> attributes = {2, 0, 2, 1, 0};
    const std::vector<uint32_t> order = attributeSortOrder(attributes);
    EXPECT_EQ((std::vector<uint32_t>{1, 4, 3, 0, 2}), order);
    const std::vector<uint16_t> indices =
        reorderFaces<uint16_t>({9, 8, 7, 0, 1, 2, 5, 6, 9, 3, 3, 4, 2, 3, 4}, order, 3);
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 2, 3, 4, 3, 3, 4, 9, 8, 7, 5, 6, 9}), indices);
    // Each range: attribute, first face, face count, first vertex, vertex count.
    std::vector<std::vector<uint32_t>> ranges;
    for (const AttributeRange& r : attributeTable(reorderFaces(attributes, order, 1), indices))
        ranges.push_back({r.attribId, r.faceStart, r.faceCount, r.vertexStart, r.vertexCount});
    EXPECT_EQ((std::vector<std::vector<uint32_t>>{{0, 0, 2, 0, 5}, {1, 2, 1, 3, 2}, {2, 3, 2, 5, 5}}), ranges);
    // Unsorted faces: runs stay separate. A subset draws its ranges of the table, or without a
    // table its runs over all vertices.
    const std::vector<uint32_t> unsorted = {1, 1, 0, 1};
    const std::vector<AttributeRange> table = attributeTable(unsorted, std::vector<uint16_t>(12, 0));
    for (bool withTable : {true, false}) {
        std::vector<uint32_t> drawn;  // first face, face count, first vertex, vertex count
        for (const AttributeRange& r : subsetRanges(withTable ? table : std::vector<AttributeRange>(), unsorted, 1, 7))
            drawn.insert(drawn.end(), {r.faceStart, r.faceCount, r.vertexStart, r.vertexCount});
        const uint32_t span = withTable ? 1 : 7;
        EXPECT_EQ((std::vector<uint32_t>{0, 2, 0, span, 3, 1, 0, span}), drawn);
    }
}

TEST(Adjacency, NeighboursAcrossEdgesSharedByExactlyTwoOppositeFaces) {
    const uint32_t none = kNoNeighbour;
    // A row of two quads, and a closed tetrahedron.
    const std::vector<uint32_t> grid = {0, 3, 1, 1, 3, 4, 1, 4, 2, 2, 4, 5}, closed = {0, 1, 2, 0, 2, 3, 0, 3, 1, 1, 3, 2};
    EXPECT_EQ((std::vector<uint32_t>{none, 1, none, 0, none, 2, 1, 3, none, 2, none, none}), faceAdjacency(grid.data(), 4, 6));
    EXPECT_EQ((std::vector<uint32_t>{2, 3, 1, 0, 3, 2, 1, 3, 0, 2, 1, 0}), faceAdjacency(closed.data(), 4, 4));
    // Three faces on edge 0-1; two faces wound the same way; a repeated and an out-of-range corner.
    const std::vector<uint32_t> corners = {0, 1, 2, 1, 0, 3, 1, 0, 4, 5, 6, 7, 5, 6, 8, 8, 9, 9, 1, 2, 99};
    EXPECT_EQ(std::vector<uint32_t>(21, none), faceAdjacency(corners.data(), 7, 10));
}

TEST(Adjacency, VerticesAtOnePositionShareARepresentative) {
    const std::vector<Vertex32> v = verticesAt(
        {{1, 2, 3}, {0, 0, 0}, {1, 2, 3}, {NAN, 0, 0}, {0, 0, 0}, {NAN, 0, 0}, {1, 2, 4}});
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 0, 3, 1, 3, 6}), pointRepresentatives(bytesOf(v), 7, 32));
}

TEST(VertexConvert, SharedComponentsAreCopiedAndMissingOnesZero) {
    const std::vector<Vertex32> v = {{{1, 2, 3}, {4, 5, 6}, {7, 8}}, {{9, 10, 11}, {12, 13, 14}, {15, 16}}};
    // To position, diffuse and two texture sets, set 0 with three floats.
    const uint32_t target = fvf::kXyz | fvf::kDiffuse | 2 << fvf::kTexCountShift | 1u << 16;
    const std::vector<uint8_t> converted = convertVertices(bytesOf(v), 2, 0x112, target);
    ASSERT_EQ(2u * 36, converted.size());
    std::vector<float> f(converted.size() / 4);  // the colour is zero bits: 0.0f
    std::memcpy(f.data(), converted.data(), converted.size());
    EXPECT_EQ((std::vector<float>{1, 2, 3, 0, 7, 8, 0, 0, 0, 9}), std::vector<float>(f.begin(), f.begin() + 10));
    // And back: the normal is gone, so it comes back zero; the same format is a plain copy.
    const std::vector<uint8_t> back = convertVertices(converted.data(), 2, target, 0x112);
    Vertex32 second;
    std::memcpy(&second, back.data() + 32, 32);
    expectNear({9, 10, 11}, second.position);
    expectNear({0, 0, 0}, second.normal);
    EXPECT_EQ(16, second.uv[1]);
    EXPECT_EQ(0, std::memcmp(convertVertices(bytesOf(v), 2, 0x112, 0x112).data(), v.data(), 64));
}

TEST(Fvf, VertexSizeOfEveryPositionKindComponentAndTextureSet) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {kXyz, 12}, {kXyzRhw, 16}, {kXyzW, 16}, {0x006, 16}, {0x008, 20}, {0x00A, 24}, {0x00C, 28},
        {kXyzB5 | kLastBetaUByte4, 32}, {0x008 | kLastBetaColor, 20}, {kXyz | kNormal | kTex1, 32},
        {kXyz | kNormal | kDiffuse | kSpecular | kPointSize, 36},
        // Set 0 with three floats, set 1 with four, set 2 with one.
        {kXyz | 3 << kTexCountShift | 1u << 16 | 2u << 18 | 3u << 20, 12 + 12 + 16 + 4},
        // Invalid: no position, nine sets, a reserved bit, betas without blending, five weights.
        {0, 0}, {kNormal | kTex1, 0}, {kXyz | 9 << kTexCountShift, 0}, {kXyz | 0x001, 0}, {kXyz | kLastBetaUByte4, 0},
        {kXyzB5, 0}, {0x006 | kLastBetaUByte4 | kLastBetaColor, 0}};
    for (const auto& [format, size] : cases)
        EXPECT_EQ(size, vertexSize(format)) << std::hex << format;
    for (uint32_t sets = 0; sets <= 8; ++sets)
        EXPECT_EQ(12 + 8 * sets, vertexSize(kXyz | sets << kTexCountShift));
}

TEST(Fvf, DeclarationListsTheElementsInVertexOrderThenTheEndMarker) {
    VertexElement e[kMaxElements];
    // B4 with indices: three weights; set 1 has one float. Each: offset, type, usage, usage index.
    const uint32_t format = 0x00C | kLastBetaUByte4 | kNormal | kDiffuse | kSpecular | 2 << kTexCountShift | 3u << 18;
    const std::vector<std::vector<int>> expected = {
        {0, kFloat3, kUsagePosition, 0}, {12, kFloat3, kUsageBlendWeight, 0}, {24, kUByte4, kUsageBlendIndices, 0},
        {28, kFloat3, kUsageNormal, 0},  {40, kColor, kUsageColor, 0},        {44, kColor, kUsageColor, 1},
        {48, kFloat2, kUsageTexCoord, 0}, {56, kFloat1, kUsageTexCoord, 1},    {0, kUnused, 0, 0}};
    ASSERT_EQ(8, toDeclaration(format, e));
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(expected[i], (std::vector<int>{e[i].offset, e[i].type, e[i].usage, e[i].usageIndex})) << "element " << i;
    EXPECT_EQ(std::make_pair(0, 0xFF), std::make_pair(int(e[0].stream), int(e[8].stream)));
    ASSERT_EQ(1, toDeclaration(kXyzRhw, e));
    EXPECT_EQ(std::make_pair(kUsagePositionT, kFloat4), std::make_pair(DeclUsage(e[0].usage), DeclType(e[0].type)));
    EXPECT_EQ(0, toDeclaration(kXyzB5, e));
    EXPECT_EQ(0xFF, e[0].stream);
    EXPECT_EQ(std::make_pair(8u, 0u), std::make_pair(declTypeSize(16), declTypeSize(200)));  // FLOAT16_4, none
}
