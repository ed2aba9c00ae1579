#pragma once
// Writes BMP files for the tests, byte by byte as the format lays them out, so that each
// test can also make the file lie in exactly one field.
#include <cstdint>
#include <functional>
#include <vector>

struct BmpLayout {
    int32_t width = 1;
    int32_t height = 1;             // negative: rows stored top row first
    uint16_t bitCount = 24;
    uint16_t planes = 1;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries written as blue, green, red, 0
    std::vector<uint32_t> masks;    // red, green, blue masks written after the info header
    // Pixel values in file order: colour indices up to 8 bits, the raw value for 16 and 32
    // bits, 0x00RRGGBB for 24 bits.
    std::vector<uint32_t> pixels;
    bool coreHeader = false;        // the 12-byte OS/2 header, 3-byte palette entries
    bool lastRowUnpadded = false;   // the file ends right after the last pixel
    std::vector<uint8_t> encoded;   // run-length pixel bytes, written instead of `pixels`
};

// The whole file: file header, info header, masks, palette, padded pixel rows.
std::vector<uint8_t> buildBmp(const BmpLayout& layout);

// A 24-bit bottom-up BMP whose pixel (x, y), top row 0, has the colour 0x00RRGGBB.
std::vector<uint8_t> buildBmp24(int width, int height,
                                const std::function<uint32_t(int x, int y)>& colour);
