#include "viewer/square_marker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Canvas {
    std::vector<uint32_t> pixels;
    PixelBuffer buffer;
    Canvas(int width, int height) : pixels(size_t(width) * size_t(height), 0xFFFFFF)
    {
        buffer = PixelBuffer{pixels.data(), width, height};
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(buffer.width) + size_t(x)]; }
    int count(uint32_t colour) const
    {
        int n = 0;
        for (uint32_t p : pixels)
            n += p == colour;
        return n;
    }
};

TEST(SquareMarker, OutlineIsTheTwentyFourBorderPixelsOfASevenSquare)
{
    Canvas canvas(20, 20);
    drawSquareOutline(canvas.buffer, 10, 10, 3, 0x00FF00);
    EXPECT_EQ(24, canvas.count(0x00FF00));
    for (int d = -3; d <= 3; ++d) {
        EXPECT_EQ(0x00FF00u, canvas.at(10 + d, 7));
        EXPECT_EQ(0x00FF00u, canvas.at(10 + d, 13));
        EXPECT_EQ(0x00FF00u, canvas.at(7, 10 + d));
        EXPECT_EQ(0x00FF00u, canvas.at(13, 10 + d));
    }
    EXPECT_EQ(0xFFFFFFu, canvas.at(10, 10));
    EXPECT_EQ(0xFFFFFFu, canvas.at(14, 10));
}

TEST(SquareMarker, SquaresAcrossTheBordersAreClipped)
{
    Canvas canvas(8, 6);
    for (int x : {-3, 0, 7, 10, -100000, 100000})
        for (int y : {-3, 0, 5, 8, -100000, 100000})
            drawSquareOutline(canvas.buffer, x, y, 3, 0x000000);
    EXPECT_EQ(0x000000u, canvas.at(0, 3));   // right side of the square at (-3, 0)
    EXPECT_EQ(0x000000u, canvas.at(3, 0));
    EXPECT_EQ(0xFFFFFFu, canvas.at(5, 4));
}

}  // namespace
