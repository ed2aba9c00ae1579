// The stretch measure and its tint, and the pixels a triangle covers (the checker is shown
// through the editor).
#include <gtest/gtest.h>

#include <random>

#include "viewer/stretch_measure.h"
#include "viewer/triangle_spans.h"

TEST(StretchMeasure, AUniformScaleIsUntintedAndATriangleWithTwiceTheShareIsRed)
{
    // Flat random triangles mapped by one scale have equal shares; a seventh face names a
    // vertex that is not there and is left out.
    std::mt19937 random(6);
    std::uniform_real_distribution<float> coordinate(-3, 3);
    std::vector<std::array<float, 3>> positions;
    PointList points;
    std::vector<uint16_t> corners = {0, 1, 21};
    for (uint16_t k = 0; k < 21; ++k) {
        positions.push_back({coordinate(random), coordinate(random), 0});
        points.addPoint({7 * positions.back()[0] + 40, 7 * positions.back()[1]});
        corners.push_back(k);
    }
    StretchFaces faces;
    buildStretchFaces(positions, corners.data(), 8, faces);
    ASSERT_EQ(7u, faces.areas.size());
    std::vector<float> measures;
    measureStretch(faces, points, measures);
    for (float m : measures)
        EXPECT_NEAR(0.0f, m, 1e-3f);

    // Shares in the pane of 1, 2 and 2 units per half unit of mesh, one face without mesh area,
    // one collapsed in the pane, one with no point for a corner.
    const std::vector<std::array<float, 3>> mesh = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 0, 0}, {3, 0, 0}};
    const std::vector<uint16_t> six = {0, 1, 2, 1, 3, 2, 1, 4, 3, 0, 1, 4, 3, 4, 5, 0, 1, 2};
    buildStretchFaces(mesh, six.data(), 6, faces);
    faces.corners[15] = 9;
    PointList pane;
    for (const auto& [x, y] : {std::pair{0, 0}, {2, 0}, {0, 1}, {2, 2}, {4, 0}, {6, -2}})
        pane.addPoint({float(x), float(y)});
    measureStretch(faces, pane, measures);
    const float expected[] = {std::log2(2 / 2.5f), std::log2(4 / 2.5f), std::log2(4 / 2.5f), 0, -8, 0};
    for (size_t f = 0; f < 6; ++f)
        EXPECT_NEAR(expected[f], measures.at(f), 1e-5f) << f;

    const uint32_t grey = 0x808080;
    EXPECT_EQ(grey, stretchTint(grey, 0.0f));
    EXPECT_EQ(stretchTint(grey, 1.0f), stretchTint(grey, 3.0f));   // full from +-1 on
    for (float m : {0.3f, 1.0f, -0.3f, -1.0f}) {
        const int red = int(stretchTint(grey, m) >> 16), blue = int(stretchTint(grey, m) & 0xFF);
        EXPECT_GT((m > 0 ? red - blue : blue - red), std::fabs(m) > 0.5f ? 100 : 20) << m;
    }
}

TEST(TriangleSpans, TwoHalvesOfARectangleCoverEachPixelInsideOnceAndNothingOutside)
{
    const int w = 40, h = 30;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> coordinate(-5, 45);
    for (int trial = 0; trial < 300; ++trial) {
        const float x0 = coordinate(random), x1 = coordinate(random), y0 = coordinate(random), y1 = coordinate(random);
        std::vector<int> covered(w * h, 0);
        const auto count = [&](int row, int first, int end) {
            ASSERT_TRUE(row >= 0 && row < h && first >= 0 && first < end && end <= w);
            for (int px = first; px < end; ++px)
                ++covered[row * w + px];
        };
        forEachTriangleSpan({x0, x1, x1}, {y0, y0, y1}, w, h, count);   // cut along a diagonal
        forEachTriangleSpan({x0, x1, x0}, {y0, y1, y1}, w, h, count);
        for (int px = 0; px < w * h; ++px) {
            const float cx = px % w + 0.5f, cy = px / w + 0.5f;
            ASSERT_EQ((cx - x0) * (cx - x1) < 0 && (cy - y0) * (cy - y1) < 0 ? 1 : 0, covered[px]) << trial;
        }
    }
    forEachTriangleSpan({0, std::nanf(""), 9}, {0, 5, 9}, w, h, [](int, int, int) { FAIL(); });
}
