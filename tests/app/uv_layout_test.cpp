// The UV layout picture: edges scaled from the bitmap to the picture, the ground, and points
// that lie far outside or are no number.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/uv_layout.h"

namespace {

TEST(UvLayout, DrawsScaledEdgesAndLeavesOutWhatIsNotInThePicture)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    UvLayout layout;
    layout.width = 20;
    layout.height = 20;
    layout.bitmapWidth = layout.bitmapHeight = 10;
    // A triangle (0, 0), (9, 0), (0, 9); one reaching far out; one with a corner that is no
    // number; one naming a point that is not there.
    layout.points = {0, 0, 9, 0, 0, 9, 5, 5, 1e30f, -1e30f, nan, 3};
    layout.triangles = {0, 1, 2, 3, 4, 3, 3, 5, 0, 0, 1, 99};
    layout.lineColour = 0xFF0000FF;
    Image ground;
    ground.width = ground.height = 2;
    ground.pixels = {0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444};

    const Image plain = drawUvLayout(layout, nullptr);
    const Image over = drawUvLayout(layout, &ground);
    ASSERT_EQ(plain.pixels.size(), 400u);
    auto at = [](const Image& image, int x, int y) { return image.pixels[size_t(y) * 20 + size_t(x)]; };
    for (int i = 0; i <= 18; ++i) {
        EXPECT_EQ(at(plain, i, 0), 0xFF0000FFu) << i;          // (0, 0) to (9, 0), doubled
        EXPECT_EQ(at(plain, 0, i), 0xFF0000FFu) << i;
        EXPECT_EQ(at(plain, i, 18 - i), 0xFF0000FFu) << i;     // the hypotenuse
    }
    EXPECT_EQ(at(plain, 19, 1), 0xFF0000FFu);   // the far edge, cut at the picture's side
    EXPECT_EQ(at(plain, 3, 12), 0u);
    EXPECT_EQ(at(over, 3, 1), 0xFF111111u);     // the ground's quarters, scaled ten times
    EXPECT_EQ(at(over, 15, 15), 0xFF444444u);
    EXPECT_EQ(at(over, 3, 12), 0xFF333333u);
}

} // namespace
