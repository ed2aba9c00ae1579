// Strips must draw every face exactly once with its winding, and be long on regular meshes.
#include "graphics/strips.h"
#include "graphics/subset_strips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

namespace {

struct Faces {
    uint32_t vertexCount = 0;
    std::vector<uint32_t> corners;  // 3 per face
    size_t count() const { return corners.size() / 3; }
};

// A columns x rows grid of quads, two triangles each; closed in both directions (a torus: every
// edge between two faces) when `closed`.
Faces grid(uint32_t columns, uint32_t rows, bool closed = false) {
    const uint32_t across = closed ? columns : columns + 1, down = closed ? rows : rows + 1;
    Faces mesh{across * down, {}};
    for (uint32_t r = 0; r < rows; ++r)
        for (uint32_t c = 0; c < columns; ++c) {
            const uint32_t a = r * across + c, b = r * across + (c + 1) % across, below = (r + 1) % down * across;
            mesh.corners.insert(mesh.corners.end(), {a, below + c, b, b, below + c, below + (c + 1) % across});
        }
    return mesh;
}

using Triangle = std::array<uint32_t, 3>;

// The same triangle with the same winding always gives the same value.
Triangle canonical(uint32_t a, uint32_t b, uint32_t c) {
    return b < a && b < c ? Triangle{b, c, a} : c < a && c < b ? Triangle{c, a, b} : Triangle{a, b, c};
}

std::vector<Triangle> sorted(std::vector<Triangle> faces) { return std::sort(faces.begin(), faces.end()), faces; }

// The triangles Direct3D draws from one strip, the degenerate ones left out.
std::vector<Triangle> stripTriangles(const uint32_t* s, size_t indexCount) {
    std::vector<Triangle> out;
    for (size_t i = 0; i + 2 < indexCount; ++i) {
        const uint32_t a = s[i + i % 2], b = s[i + 1 - i % 2], c = s[i + 2];
        if (a != b && b != c && c != a) out.push_back(canonical(a, b, c));
    }
    return out;
}

// Each strip draws as many faces as its length says; the strips together, and joined into one,
// draw every face once with its winding. Returns the joined strip.
std::vector<uint32_t> expectStripsCoverFaces(const Faces& mesh, const StripSet& strips) {
    std::vector<Triangle> faces, drawn;
    for (size_t f = 0; f < mesh.count(); ++f)
        faces.push_back(canonical(mesh.corners[3 * f], mesh.corners[3 * f + 1], mesh.corners[3 * f + 2]));
    size_t offset = 0;
    for (uint32_t length : strips.lengths) {
        if (offset + length + 2 > strips.indices.size()) break;
        const std::vector<Triangle> own = stripTriangles(&strips.indices[offset], length + 2);
        EXPECT_EQ(length, own.size()) << "a strip holds a degenerate triangle";
        drawn.insert(drawn.end(), own.begin(), own.end());
        offset += length + 2;
    }
    EXPECT_EQ(strips.indices.size(), offset);
    EXPECT_EQ(sorted(faces), sorted(drawn));
    const std::vector<uint32_t> single = joinStrips(strips);
    EXPECT_EQ(sorted(faces), sorted(stripTriangles(single.data(), single.size())));
    return single;
}

StripSet stripsOf(const Faces& mesh) { return buildStrips(mesh.corners.data(), mesh.count(), mesh.vertexCount); }

}  // namespace

TEST(Strips, RandomAndDamagedMeshesAreCoveredOnceWithTheirWinding) {
    std::mt19937 random(1234);
    for (uint32_t round = 0; round < 40; ++round) {
        const Faces whole = grid(3 + round % 7, 2 + round % 5);
        Faces mesh{whole.vertexCount, {}};
        while (round % 2 && mesh.count() < 5 + 7 * round) {  // random corners: edges of three faces or more
            const uint32_t a = random() % mesh.vertexCount, b = random() % mesh.vertexCount, c = random() % mesh.vertexCount;
            if (a != b && b != c && c != a) mesh.corners.insert(mesh.corners.end(), {a, b, c});
        }
        for (size_t f = 0; round % 2 == 0 && f < whole.count(); ++f) {  // some faces dropped, some turned round
            const uint32_t* c = &whole.corners[3 * f];
            const uint32_t roll = random() % 100;
            if (roll >= 10) mesh.corners.insert(mesh.corners.end(), {c[0], c[roll < 20 ? 2 : 1], c[roll < 20 ? 1 : 2]});
        }
        SCOPED_TRACE(round);
        expectStripsCoverFaces(mesh, stripsOf(mesh));
    }
    EXPECT_TRUE(joinStrips(stripsOf(Faces())).empty());
}

TEST(Strips, ADegenerateInputFaceIsAStripOfItsOwn) {
    Faces mesh = grid(2, 1);
    mesh.corners.insert(mesh.corners.end(), {1, 1, 4});
    const StripSet strips = stripsOf(mesh);
    const uint32_t degenerate[] = {1, 1, 4};  // its three indices, as they were
    EXPECT_NE(strips.indices.end(), std::search(strips.indices.begin(), strips.indices.end(), degenerate, degenerate + 3));
    EXPECT_EQ(5u, std::accumulate(strips.lengths.begin(), strips.lengths.end(), 0u));
}

TEST(Strips, GridsAndClosedMeshesComeCloseToOneIndexPerTriangle) {
    EXPECT_EQ(std::vector<uint32_t>{20}, stripsOf(grid(10, 1)).lengths);
    for (const Faces& mesh : {grid(40, 30), grid(60, 20, true), grid(7, 50)}) {
        const StripSet strips = stripsOf(mesh);
        const std::vector<uint32_t> single = expectStripsCoverFaces(mesh, strips);
        // One strip per triangle would be 3 indices each; the bound is (T + 2) / T.
        EXPECT_LT(strips.indices.size(), 1.05 * mesh.count());
        EXPECT_LT(single.size(), 1.1 * mesh.count());
        EXPECT_LT(strips.lengths.size(), mesh.count() / 12);
    }
}

TEST(Strips, JoinsRepeatASharedCornerOrBridgeOntoAnEvenTriangle) {
    // A fan of single triangles round vertex 0, and two longer strips ending at 0, one laid as it
    // is and one (of odd length) only usable turned round: every join can repeat 0. Indices may
    // be any numbers, also near the top of their range.
    for (uint32_t base : {0u, 4000000000u}) {
        StripSet fan{{1, 0, 2, 0, 3, 2, 0, 4, 3, 5, 4, 6, 0, 7, 6, 7, 8, 0}, {1, 1, 1, 3, 2}};
        Faces faces{0, {0, 2, 1, 0, 3, 2, 0, 4, 3, 4, 6, 5, 0, 6, 4, 0, 7, 6, 6, 7, 8, 0, 8, 7}};
        for (uint32_t& index : fan.indices)
            index += base;
        for (uint32_t& corner : faces.corners)
            corner += base;
        // Bridges would cost three or four indices a join; a shared corner costs one or two.
        EXPECT_LE(expectStripsCoverFaces(faces, fan).size(), fan.indices.size() + 2 * (fan.lengths.size() - 1));
    }
    // Strips of odd and even index counts with no corner in common: (0 1 2), (3 4 5 6), (7 8 9).
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 2, 2, 3, 3, 4, 5, 6, 6, 7, 7, 8, 9}),
              joinStrips(StripSet{{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 1}}));
}

TEST(Strips, ASubsetsFacesAreCutAndTheCutIsReusedOnlyForTheSameFaces) {
    // Attributes 1, 0, 1 on 9 vertices: subset 0 has an index past them.
    const uint16_t indices[] = {0, 1, 2, 2, 1, 9, 1, 3, 2};
    const uint32_t attributes[] = {1, 0, 1};
    std::vector<uint32_t> corners;
    EXPECT_FALSE(subsetCorners(indices, attributes, 3, 0, 9, corners));
    EXPECT_TRUE(subsetCorners(indices, attributes, 3, 1, 9, corners));
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 1, 3, 2}), corners);
    // Two meshes on 12 vertices, the second cut twice (the kept cut is handed over).
    for (const Faces& mesh : {grid(3, 2), grid(2, 3), grid(2, 3)})
        expectStripsCoverFaces(mesh, cutSubsetStrips(mesh.corners, mesh.vertexCount));
}
