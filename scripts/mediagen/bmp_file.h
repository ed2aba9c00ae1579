#pragma once
// Writes 24-bit uncompressed BMP files (bottom-up rows, each padded to 4 bytes).
#include <cstdint>
#include <functional>

// Pixel colour at (x, y), y counted from the top, as 0x00RRGGBB.
using PixelSource = std::function<uint32_t(int x, int y)>;

bool writeBmp24(const char* path, int width, int height, const PixelSource& pixel);
