#include "imagefile/rgb_image.h"

#include <cstring>
#include <new>
#include <utility>
#include "imagefile/pgm_image.h"

namespace {

// Resizes `bytes` to `size` zeroed bytes; false (unchanged) when the memory cannot be had.
bool tryZeroedBuffer(std::vector<uint8_t>& bytes, size_t size) {
    try {
        std::vector<uint8_t> fresh(size, 0);
        bytes.swap(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

bool allocateRgbImage(RgbImage& image, int width, int height) {
    if (width < 1 || width > MaxImageSide || height < 1 || height > MaxImageSide)
        return false;
    const size_t size = size_t(width) * size_t(height) * 3;
    if (size > MaxImageBytes || !tryZeroedBuffer(image.bgr, size))
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
    // Byte offset of each target column's source pixel, computed once for all rows.
    std::vector<size_t> columnOffset;
    try {
        columnOffset.resize(size_t(width));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int x = 0; x < width; ++x)
        columnOffset[size_t(x)] = size_t(int64_t(x) * source.width / width) * 3;
    const size_t sourceStride = size_t(source.width) * 3;
    uint8_t* out = zoomed.bgr.data();
    for (int y = 0; y < height; ++y) {
        const size_t sourceRow = size_t(int64_t(y) * source.height / height);
        const uint8_t* row = source.bgr.data() + sourceRow * sourceStride;
        for (int x = 0; x < width; ++x, out += 3) {
            const uint8_t* pixel = row + columnOffset[size_t(x)];
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
        }
    }
    target = std::move(zoomed);
    return true;
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
