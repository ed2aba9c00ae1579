#pragma once
// Writes BMP files for the tests, byte by byte as the format lays them out, so that each
// test can also make the file lie in exactly one field.
#include <cstdint>
#include <string>
#include <vector>

struct BmpLayout {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint16_t planes = 1;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries written as blue, green, red, 0
    std::vector<uint32_t> masks;    // red, green, blue masks written after the info header
    // Pixel values in file order (bottom row first): colour indices up to 8 bits, the raw
    // value for 16 and 32 bits, 0x00RRGGBB for 24 bits.
    std::vector<uint32_t> pixels;
};

// The whole file: file header, 40-byte info header, masks, palette, padded pixel rows.
std::vector<uint8_t> buildBmp(const BmpLayout& layout);

// Writes `bytes` to `path` in the current folder.
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
