#include "imagefile/rgb_image.h"

#include <cassert>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include "imagefile/pgm_image.h"

bool tryZeroedBuffer(std::vector<uint8_t>& bytes, size_t size) {
    try {
        std::vector<uint8_t> fresh(size, 0);
        bytes.swap(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool isKeepableSize(int width, int height) {
    return width >= 1 && width <= MaxImageSide && height >= 1 && height <= MaxImageSide &&
           size_t(width) * size_t(height) * 3 <= MaxImageBytes;
}

bool allocateRgbImage(RgbImage& image, int width, int height) {
    if (!isKeepableSize(width, height) ||
        !tryZeroedBuffer(image.bgr, size_t(width) * size_t(height) * 3))
        return false;
    image.width = width;
    image.height = height;
    return true;
}

bool zoomNearest(const RgbImage& source, int width, int height, RgbImage& target) {
    if (source.width < 1 || source.height < 1)
        return false;
    RgbImage zoomed;
    if (!allocateRgbImage(zoomed, width, height))
        return false;
    zoomNearestInto(source, width, height, zoomed.bgr.data(), size_t(width) * 3);
    target = std::move(zoomed);
    return true;
}

void zoomNearestInto(const RgbImage& source, int width, int height, uint8_t* rows,
                     size_t stride) {
    assert(source.width >= 1 && source.height >= 1 && isKeepableSize(width, height));
    const size_t sourceStride = size_t(source.width) * 3;
    const size_t rowBytes = size_t(width) * 3;
    size_t previousRow = SIZE_MAX;
    for (int y = 0; y < height; ++y) {
        uint8_t* out = rows + size_t(y) * stride;
        const size_t sourceRow = size_t(int64_t(y) * source.height / height);
        if (sourceRow == previousRow) { // enlarged: repeat the row just made
            std::memcpy(out, out - stride, rowBytes);
            continue;
        }
        previousRow = sourceRow;
        const uint8_t* pixel = source.bgr.data() + sourceRow * sourceStride;
        // Source column x·w / width, stepped without dividing: `error` is x·w mod width.
        int64_t error = 0;
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
            error += source.width;
            while (error >= width) {
                error -= width;
                pixel += 3;
            }
        }
    }
}

bool rgbFromPgm(const PgmImage& grey, RgbImage& target) {
    RgbImage image;
    if (!allocateRgbImage(image, grey.getColumns(), grey.getRows()))
        return false;
    uint8_t* out = image.bgr.data();
    for (int row = grey.getRows() - 1; row >= 0; --row) {
        for (int column = 0; column < grey.getColumns(); ++column, out += 3) {
            const uint8_t value = grey.getPixel(row, column);
            out[0] = out[1] = out[2] = value;
        }
    }
    target = std::move(image);
    return true;
}

size_t dibStride(int width) {
    return (size_t(width) * 3 + 3) & ~size_t(3);
}

void copyToDibRows(const RgbImage& image, uint8_t* rows) {
    const size_t packed = size_t(image.width) * 3;
    const size_t stride = dibStride(image.width);
    for (int y = 0; y < image.height; ++y)
        std::memcpy(rows + size_t(y) * stride, image.bgr.data() + size_t(y) * packed, packed);
}
