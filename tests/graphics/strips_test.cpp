// Strips must draw every face exactly once with its winding, and be long on regular meshes.
#include "graphics/strips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

#include "test_meshes.h"

namespace {

using Triangle = std::array<uint32_t, 3>;

// The same triangle with the same winding always gives the same value.
Triangle canonical(uint32_t a, uint32_t b, uint32_t c) {
    if (b < a && b < c) return {b, c, a};
    if (c < a && c < b) return {c, a, b};
    return {a, b, c};
}

std::vector<Triangle> facesOf(const IndexMesh& mesh) {
    std::vector<Triangle> faces;
    for (size_t f = 0; f < mesh.faceCount(); ++f)
        faces.push_back(canonical(mesh.corners[3 * f], mesh.corners[3 * f + 1],
                                  mesh.corners[3 * f + 2]));
    std::sort(faces.begin(), faces.end());
    return faces;
}

// The triangles Direct3D draws from one strip, degenerate ones left out.
void appendStripTriangles(const uint32_t* s, size_t indexCount, std::vector<Triangle>& out) {
    for (size_t i = 0; i + 2 < indexCount; ++i) {
        const uint32_t a = i % 2 ? s[i + 1] : s[i], b = i % 2 ? s[i] : s[i + 1], c = s[i + 2];
        if (a != b && b != c && c != a) out.push_back(canonical(a, b, c));
    }
}

void expectStripsCoverFaces(const IndexMesh& mesh, const StripSet& strips) {
    ASSERT_EQ(mesh.faceCount(),
              std::accumulate(strips.lengths.begin(), strips.lengths.end(), size_t(0)));
    std::vector<Triangle> drawn;
    size_t offset = 0;
    for (uint32_t length : strips.lengths) {
        ASSERT_GE(length, 1u);
        ASSERT_LE(offset + length + 2, strips.indices.size());
        const size_t before = drawn.size();
        appendStripTriangles(strips.indices.data() + offset, length + 2, drawn);
        EXPECT_EQ(length, drawn.size() - before) << "a strip holds a degenerate triangle";
        offset += length + 2;
    }
    EXPECT_EQ(strips.indices.size(), offset);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(facesOf(mesh), drawn);
}

void expectSingleStripCoversFaces(const IndexMesh& mesh, const std::vector<uint32_t>& strip) {
    std::vector<Triangle> drawn;
    appendStripTriangles(strip.data(), strip.size(), drawn);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(facesOf(mesh), drawn);
}

double indicesPerTriangle(size_t indices, const IndexMesh& mesh) {
    return double(indices) / double(mesh.faceCount());
}

}  // namespace

TEST(Strips, RandomMeshesAreCoveredOnceWithTheirWinding) {
    std::mt19937 random(1234);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        const IndexMesh mesh = round % 2 ? randomMesh(random, 8 + round, 5 + 7 * round)
                                         : damagedGrid(random, 3 + round % 7, 2 + round % 5);
        const StripSet strips = buildStrips(mesh.corners.data(), mesh.faceCount(),
                                            mesh.vertexCount);
        expectStripsCoverFaces(mesh, strips);
        expectSingleStripCoversFaces(mesh, joinStrips(strips));
    }
}

TEST(Strips, DegenerateInputFacesStillAppearOnce) {
    IndexMesh mesh = gridMesh(2, 1);
    mesh.corners.insert(mesh.corners.end(), {1, 1, 4});
    const StripSet strips = buildStrips(mesh.corners.data(), mesh.faceCount(), mesh.vertexCount);
    ASSERT_EQ(5u, std::accumulate(strips.lengths.begin(), strips.lengths.end(), 0u));
    // The degenerate face is a strip of its own with its three indices.
    bool found = false;
    size_t offset = 0;
    for (uint32_t length : strips.lengths) {
        const uint32_t* s = strips.indices.data() + offset;
        found |= length == 1 && s[0] == 1 && s[1] == 1 && s[2] == 4;
        offset += length + 2;
    }
    EXPECT_TRUE(found);
}

TEST(Strips, EmptyInputGivesNoStrips) {
    const StripSet strips = buildStrips(nullptr, 0, 0);
    EXPECT_TRUE(strips.indices.empty());
    EXPECT_TRUE(strips.lengths.empty());
    EXPECT_TRUE(joinStrips(strips).empty());
}

TEST(Strips, OneQuadRowIsOneStrip) {
    const IndexMesh row = gridMesh(10, 1);
    const StripSet strips = buildStrips(row.corners.data(), row.faceCount(), row.vertexCount);
    ASSERT_EQ(1u, strips.lengths.size());
    EXPECT_EQ(20u, strips.lengths[0]);
    expectStripsCoverFaces(row, strips);
}

TEST(Strips, GridsAndClosedMeshesComeCloseToTheBound) {
    const IndexMesh meshes[] = {gridMesh(40, 30), torusMesh(60, 20), gridMesh(7, 50)};
    for (const IndexMesh& mesh : meshes) {
        const StripSet strips = buildStrips(mesh.corners.data(), mesh.faceCount(),
                                            mesh.vertexCount);
        const std::vector<uint32_t> single = joinStrips(strips);
        expectStripsCoverFaces(mesh, strips);
        expectSingleStripCoversFaces(mesh, single);
        // One strip per triangle would be 3 indices each; the bound is (T + 2) / T.
        EXPECT_LT(indicesPerTriangle(strips.indices.size(), mesh), 1.05);
        EXPECT_LT(indicesPerTriangle(single.size(), mesh), 1.1);
        EXPECT_LT(strips.lengths.size(), mesh.faceCount() / 12);
    }
}

TEST(Strips, StripsMeetingAtACornerJoinThereCheaply) {
    // A fan of single triangles round vertex 0, and two longer strips ending at 0, one laid
    // as it is and one (of odd length) only usable turned round: every join can repeat 0.
    // Indices may be any numbers, also near the top of their range.
    for (uint32_t base : {0u, 4000000000u}) {
        StripSet strips;
        strips.indices = {1, 0, 2, 0, 3, 2, 0, 4, 3, 5, 4, 6, 0, 7, 6, 7, 8, 0};
        for (uint32_t& index : strips.indices) index += base;
        strips.lengths = {1, 1, 1, 3, 2};
        IndexMesh faces;
        size_t offset = 0;
        for (uint32_t length : strips.lengths) {
            std::vector<Triangle> own;
            appendStripTriangles(strips.indices.data() + offset, length + 2, own);
            for (const Triangle& t : own) faces.corners.insert(faces.corners.end(), t.begin(), t.end());
            offset += length + 2;
        }
        const std::vector<uint32_t> single = joinStrips(strips);
        expectSingleStripCoversFaces(faces, single);
        // Bridges would cost three or four indices a join; a shared corner costs one or two.
        EXPECT_LE(single.size(), strips.indices.size() + 2 * (strips.lengths.size() - 1));
    }
}

TEST(Strips, JoinsKeepEachStripOnAnEvenTriangle) {
    // Strips of odd and even index counts: (0 1 2), (3 4 5 6), (7 8 9).
    StripSet strips;
    strips.indices = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    strips.lengths = {1, 2, 1};
    const std::vector<uint32_t> expected = {0, 1, 2, 2, 2, 3, 3, 4, 5, 6,
                                            6, 7, 7, 8, 9};
    EXPECT_EQ(expected, joinStrips(strips));
}
