// The 24-bit pixels every image becomes: zooming, grey images, DIB rows and the size limits.
#include "imagefile/rgb_image.h"

#include <gtest/gtest.h>
#include <algorithm>
#include "imagefile/pgm_image.h"

namespace {

// Pixel (x, y) holds x in blue and y in green, so that a zoomed pixel tells where it came from.
RgbImage coordinates(int width, int height) {
    RgbImage image;
    EXPECT_TRUE(allocateRgbImage(image, width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.bgr[(size_t(y) * width + x) * 3] = uint8_t(x);
            image.bgr[(size_t(y) * width + x) * 3 + 1] = uint8_t(y);
        }
    return image;
}

// Target column x takes source column x·w / W rounded down, and rows the same: enlarging,
// shrinking and non-integer factors, each case's side along x paired with the next one's along y.
TEST(RgbImage, ZoomTakesTheNearestLowerSourcePixel) {
    const struct { int source, target; std::vector<int> taken; } sides[] = {
        {3, 6, {0, 0, 1, 1, 2, 2}}, {4, 6, {0, 0, 1, 2, 2, 3}}, {7, 3, {0, 2, 4}}, {3, 5, {0, 0, 1, 1, 2}}, {2, 2, {0, 1}}};
    for (size_t i = 0; i < std::size(sides); ++i) {
        const auto& across = sides[i];
        const auto& down = sides[(i + 1) % std::size(sides)];
        RgbImage zoomed;
        ASSERT_TRUE(zoomNearest(coordinates(across.source, down.source), across.target, down.target, zoomed));
        for (int y = 0; y < down.target; ++y)
            for (int x = 0; x < across.target; ++x) {
                const uint8_t* pixel = zoomed.bgr.data() + (size_t(y) * across.target + x) * 3;
                EXPECT_EQ(pixel[0] * 100 + pixel[1], across.taken[size_t(x)] * 100 + down.taken[size_t(y)]) << i;
            }
    }
}

TEST(RgbImage, ZoomToNothingOrTooMuchFailsAndKeepsTheTarget) {
    const RgbImage source = coordinates(2, 2);
    RgbImage target = coordinates(1, 1);
    EXPECT_FALSE(zoomNearest(source, 0, 2, target));
    EXPECT_FALSE(zoomNearest(source, MaxImageSide + 1, 2, target));
    EXPECT_FALSE(zoomNearest(source, MaxImageSide, MaxImageSide, target));
    EXPECT_FALSE(zoomNearest(RgbImage{}, 2, 2, target));
    EXPECT_EQ(target.width, 1);
    EXPECT_TRUE(allocateRgbImage(target, MaxImageSide, 1));
    EXPECT_FALSE(allocateRgbImage(target, MaxImageSide + 1, 1));
    EXPECT_EQ(target.width, MaxImageSide);
}

TEST(RgbImage, GreyImageBottomRowComesFromItsLastRow) {
    PgmImage grey;
    ASSERT_TRUE(grey.allocate(2, 3));
    for (int i = 0; i < 6; ++i)
        grey.setPixel(i / 3, i % 3, uint8_t(10 * (i + 1)));
    RgbImage image;
    ASSERT_TRUE(rgbFromPgm(grey, image));
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.bgr, (std::vector<uint8_t>{40, 40, 40, 50, 50, 50, 60, 60, 60, 10, 10, 10, 20, 20, 20, 30, 30, 30}));
}

// Zooming and copying into the rows of a 24-bit DIB write the pixels and leave the padding alone.
TEST(RgbImage, DibRowsArePaddedToFourBytesAndThePaddingIsLeftAlone) {
    EXPECT_EQ(dibStride(1), 4u);
    EXPECT_EQ(dibStride(4), 12u);
    ASSERT_EQ(dibStride(5), 16u);
    const RgbImage source = coordinates(3, 2);
    RgbImage zoomed;
    ASSERT_TRUE(zoomNearest(source, 5, 3, zoomed));
    std::vector<uint8_t> fromZoom(16 * 3, 0xEE), fromCopy(16 * 3, 0xEE);
    zoomNearestInto(source, 5, 3, fromZoom.data(), 16);
    copyToDibRows(zoomed, fromCopy.data());
    for (size_t y = 0; y < 3; ++y) {
        EXPECT_TRUE(std::equal(fromZoom.begin() + long(y * 16), fromZoom.begin() + long(y * 16 + 15),
                               zoomed.bgr.begin() + long(y * 15))) << y;
        EXPECT_EQ(fromZoom[y * 16 + 15], 0xEE) << y;
    }
    EXPECT_EQ(fromCopy, fromZoom);
}

} // namespace
