#include "viewer/checker_pattern.h"

uint32_t checkerColour(int x, int y, int width, int height)
{
    const long long column = (long long)x * kCheckerCells / width;
    const long long row = (long long)y * kCheckerCells / height;
    return (column + row) % 2 == 0 ? kCheckerLight : kCheckerDark;
}

bool makeChecker(int width, int height, RgbImage& image)
{
    if (!allocateRgbImage(image, width, height))
        return false;
    // RgbImage keeps its rows bottom first.
    uint8_t* pixel = image.bgr.data();
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = checkerColour(x, row, width, height);
            *pixel++ = uint8_t(colour);
            *pixel++ = uint8_t(colour >> 8);
            *pixel++ = uint8_t(colour >> 16);
        }
    return true;
}
