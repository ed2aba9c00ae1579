#pragma once
// Image files made in memory for the decoder tests.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A BMP of the given depth. pixels are 0x00RRGGBB, top row first; for 1, 4 and 8 bits they
// must be entries of `palette`; for 16 bits each channel must be 0 or 255.
Bytes makeBmp(int bits, bool topDown, int width, int height, const std::vector<uint32_t>& pixels,
              const std::vector<uint32_t>& palette);
// Binary PGM (grey = low byte of each pixel) or PPM.
Bytes makePnm(bool colour, int width, int height, const std::vector<uint32_t>& pixels);
// Uncompressed 24-bit TGA, stored bottom-up.
Bytes makeTga(int width, int height, const std::vector<uint32_t>& pixels);
// DDS with a four-character code and the given level data, or 32-bit RGB with masks.
Bytes makeDds(const char* fourCc, int width, int height, const std::vector<Bytes>& levels);
Bytes makeDdsRgb32(int width, int height, bool alpha, const std::vector<uint32_t>& pixels);
// PNG and JPEG through stb_image_write.
Bytes makePng(int width, int height, const std::vector<uint32_t>& pixels);
Bytes makeJpeg(int width, int height, const std::vector<uint32_t>& pixels);
