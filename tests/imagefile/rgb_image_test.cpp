#include "imagefile/rgb_image.h"

#include <gtest/gtest.h>
#include "imagefile/pgm_image.h"

namespace {

RgbImage numbered(int width, int height) {
    RgbImage image;
    EXPECT_TRUE(allocateRgbImage(image, width, height));
    for (size_t i = 0; i < image.bgr.size() / 3; ++i) {
        image.bgr[i * 3] = uint8_t(i);
        image.bgr[i * 3 + 1] = uint8_t(i + 100);
        image.bgr[i * 3 + 2] = uint8_t(i + 200);
    }
    return image;
}

const uint8_t* pixel(const RgbImage& image, int x, int y) {
    return image.bgr.data() + (size_t(y) * image.width + x) * 3;
}

TEST(RgbImage, ZoomByTwoMakesEachPixelATwoByTwoBlockInPlace) {
    const RgbImage source = numbered(3, 2);
    RgbImage zoomed;
    ASSERT_TRUE(zoomNearest(source, 6, 4, zoomed));
    ASSERT_EQ(zoomed.width, 6);
    ASSERT_EQ(zoomed.height, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(pixel(zoomed, x, y)[c], pixel(source, x / 2, y / 2)[c])
                    << x << "," << y;
}

TEST(RgbImage, ZoomTakesTheNearestLowerSourcePixel) {
    const RgbImage source = numbered(4, 1);
    RgbImage zoomed;
    ASSERT_TRUE(zoomNearest(source, 6, 1, zoomed));  // factor 1.5: columns 0 0 1 2 2 3
    const int expected[] = {0, 0, 1, 2, 2, 3};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(pixel(zoomed, x, 0)[0], expected[x]);
}

TEST(RgbImage, ZoomIntoPaddedRowsLeavesThePaddingAlone) {
    const RgbImage source = numbered(3, 2);
    const size_t stride = dibStride(5);  // 16 bytes for 15 of pixels
    std::vector<uint8_t> rows(stride * 3, 0xEE);
    zoomNearestInto(source, 5, 3, rows.data(), stride);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(rows[size_t(y) * stride + size_t(x) * 3 + 1],
                      pixel(source, x * 3 / 5, y * 2 / 3)[1]) << x << "," << y;
        EXPECT_EQ(rows[size_t(y) * stride + 15], 0xEE);
    }
}

TEST(RgbImage, ShrinkingSkipsSourcePixels) {
    const RgbImage source = numbered(7, 5);
    RgbImage small;
    ASSERT_TRUE(zoomNearest(source, 3, 2, small));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(small, x, y)[0], pixel(source, x * 7 / 3, y * 5 / 2)[0]);
}

TEST(RgbImage, ZoomToNothingOrTooMuchFailsAndKeepsTheTarget) {
    const RgbImage source = numbered(2, 2);
    RgbImage target = numbered(1, 1);
    EXPECT_FALSE(zoomNearest(source, 0, 2, target));
    EXPECT_FALSE(zoomNearest(source, MaxImageSide + 1, 2, target));
    EXPECT_FALSE(zoomNearest(source, MaxImageSide, MaxImageSide, target));
    EXPECT_FALSE(zoomNearest(RgbImage{}, 2, 2, target));
    EXPECT_EQ(target.width, 1);
}

TEST(RgbImage, GreyImageBottomRowComesFromItsLastRow) {
    PgmImage grey;
    ASSERT_TRUE(grey.allocate(2, 3));
    const uint8_t values[2][3] = {{10, 20, 30}, {40, 50, 60}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grey.setPixel(r, c, values[r][c]);
    RgbImage image;
    ASSERT_TRUE(rgbFromPgm(grey, image));
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(pixel(image, c, 0)[0], values[1][c]);  // DIB row 0 is the bottom
        EXPECT_EQ(pixel(image, c, 0)[2], values[1][c]);
        EXPECT_EQ(pixel(image, c, 1)[1], values[0][c]);
    }
}

TEST(RgbImage, DibRowsArePaddedToFourBytes) {
    EXPECT_EQ(dibStride(1), 4u);
    EXPECT_EQ(dibStride(4), 12u);
    EXPECT_EQ(dibStride(5), 16u);
    const RgbImage image = numbered(5, 2);
    std::vector<uint8_t> rows(dibStride(5) * 2, 0xEE);
    copyToDibRows(image, rows.data());
    EXPECT_EQ(rows[0], pixel(image, 0, 0)[0]);
    EXPECT_EQ(rows[14], pixel(image, 4, 0)[2]);
    EXPECT_EQ(rows[15], 0xEE) << "padding is not pixel data";
    EXPECT_EQ(rows[16], pixel(image, 0, 1)[0]);
}

TEST(RgbImage, SidesAtTheLimitAreAllowedAndPastItRefused) {
    RgbImage image;
    EXPECT_TRUE(allocateRgbImage(image, MaxImageSide, 1));
    EXPECT_FALSE(allocateRgbImage(image, MaxImageSide + 1, 1));
    EXPECT_FALSE(allocateRgbImage(image, 1, 0));
    EXPECT_EQ(image.width, MaxImageSide);
}

} // namespace
