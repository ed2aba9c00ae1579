// The checker.
#include <gtest/gtest.h>

#include "viewer/checker_pattern.h"

TEST(Checker, EightSquaresEachWayAlternateFromALightTopLeft)
{
    const struct {
        int w, h;
        bool even;   // the squares are whole pixels
    } sizes[] = {{64, 32, true}, {256, 256, true}, {10, 3, false}};
    for (const auto& [w, h, even] : sizes) {
        int light = 0, changes = 0, changesDown = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint32_t c = checkerColour(x, y, w, h);
                ASSERT_TRUE(c == kCheckerLight || c == kCheckerDark);
                light += c == kCheckerLight;
                changes += x > 0 && c != checkerColour(x - 1, y, w, h);
                changesDown += y > 0 && c != checkerColour(x, y - 1, w, h);
            }
        EXPECT_EQ(kCheckerLight, checkerColour(0, 0, w, h));
        if (even) {
            EXPECT_EQ(w * h / 2, light) << w;
            EXPECT_EQ(kCheckerCells - 1, changesDown / w) << h;   // down every column
        }
        EXPECT_EQ(std::min(w, kCheckerCells) - 1, changes / h) << w;   // across every row
    }
    RgbImage image;
    ASSERT_TRUE(makeChecker(64, 32, image));
    const uint8_t* topLeft = &image.bgr[size_t(3) * 64 * 31];   // rows are kept bottom first
    EXPECT_EQ(kCheckerLight & 0xFF, topLeft[0]);
    EXPECT_EQ(kCheckerDark & 0xFF, topLeft[3 * 8]);
    EXPECT_FALSE(makeChecker(0, 5, image));
}
