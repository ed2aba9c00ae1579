#include "scripts/mediagen/bmp_file.h"

#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

bool writeBmp24(const char* path, int width, int height, const PixelSource& pixel)
{
    uint32_t rowBytes = (uint32_t(width) * 3 + 3) & ~3u;
    uint32_t imageBytes = rowBytes * uint32_t(height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + imageBytes);   // file size
    put32(out, 0);                      // reserved
    put32(out, 14 + 40);                // offset of the pixels
    put32(out, 40);                     // BITMAPINFOHEADER
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));       // positive: bottom-up
    put16(out, 1);                      // planes
    put16(out, 24);                     // bits per pixel
    put32(out, 0);                      // BI_RGB
    put32(out, imageBytes);
    put32(out, 2835);                   // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = pixel(x, y);
            out.push_back(uint8_t(rgb));
            out.push_back(uint8_t(rgb >> 8));
            out.push_back(uint8_t(rgb >> 16));
        }
        out.resize(rowStart + rowBytes, 0);
    }
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}
