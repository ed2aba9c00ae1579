#pragma once
// The 24-bit pixels that every loaded image is turned into: blue, green, red bytes, tightly
// packed (pixel i of a row at byte 3i, row r at 3·r·width), rows from the bottom of the
// image to the top as in a DIB.
#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
};

// Largest image the program keeps, in pixels per side and in bytes of 24-bit pixels.
constexpr int MaxImageSide = 32767;
constexpr size_t MaxImageBytes = size_t(1) << 28;

// Resizes `bytes` to `size` zeroed bytes; false (unchanged) when the memory cannot be had.
bool tryZeroedBuffer(std::vector<uint8_t>& bytes, size_t size);

// Sizes `image` to width x height zeroed pixels. Returns false, leaving `image` unchanged,
// when a side is not in 1..MaxImageSide, the pixels would exceed MaxImageBytes or the
// memory cannot be had.
bool allocateRgbImage(RgbImage& image, int width, int height);

// True when an image of width x height pixels is one the program keeps: both sides in
// 1..MaxImageSide and at most MaxImageBytes of 24-bit pixels.
bool isKeepableSize(int width, int height);

// Nearest-neighbour scaling to width x height: target (x, y) takes source column
// x·w / width and row y·h / height. Returns false (target unchanged) when the target
// cannot be allocated or the source is empty.
bool zoomNearest(const RgbImage& source, int width, int height, RgbImage& target);

// The same scaling written into `rows`: width x height pixels, rows `stride` bytes apart
// (stride >= 3·width), bottom row first. Preconditions: the source is not empty and
// isKeepableSize(width, height).
void zoomNearestInto(const RgbImage& source, int width, int height, uint8_t* rows,
                     size_t stride);

// The grey image as 24-bit pixels, bottom row first: the DIB's first row is the image's last.
class PgmImage;
bool rgbFromPgm(const PgmImage& grey, RgbImage& target);

// Bytes per row of a 24-bit DIB `width` pixels wide: rows are padded to 4 bytes.
size_t dibStride(int width);

// Copies the pixels into `rows`, a DIB's pixel array of dibStride(width) x height bytes.
void copyToDibRows(const RgbImage& image, uint8_t* rows);
