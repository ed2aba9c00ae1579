#include "image_files.h"

#include <algorithm>
#include <cstring>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

void put16(Bytes& b, uint32_t v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }

uint32_t paletteIndex(const std::vector<uint32_t>& palette, uint32_t pixel) {
    return uint32_t(std::find(palette.begin(), palette.end(), pixel) - palette.begin());
}

void appendStb(void* context, void* data, int size) {
    Bytes* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

std::vector<uint8_t> rgbBytes(const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgb;
    for (uint32_t p : pixels) rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    return rgb;
}

}  // namespace

Bytes makeBmp(int bits, bool topDown, int width, int height, const std::vector<uint32_t>& pixels,
              const std::vector<uint32_t>& palette) {
    const int rowBytes = (width * bits + 31) / 32 * 4;
    const uint32_t paletteBytes = bits <= 8 ? uint32_t(4 << bits) : 0;
    const uint32_t offset = 14 + 40 + paletteBytes;
    Bytes b = {'B', 'M'};
    put32(b, offset + rowBytes * height);
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, uint32_t(width));
    put32(b, uint32_t(topDown ? -height : height));
    put16(b, 1);
    put16(b, uint32_t(bits));
    put32(b, 0);  // BI_RGB
    put32(b, uint32_t(rowBytes * height));
    put32(b, 2835);
    put32(b, 2835);
    put32(b, bits <= 8 ? 1u << bits : 0);
    put32(b, 0);
    for (uint32_t i = 0; i < paletteBytes / 4; ++i) put32(b, i < palette.size() ? palette[i] : 0);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        Bytes line(size_t(rowBytes), 0);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            if (bits <= 8) {
                const uint32_t index = paletteIndex(palette, p);
                const int bit = x * bits;
                line[bit / 8] |= uint8_t(index << (8 - bits - bit % 8));
            } else if (bits == 16) {
                const uint32_t v = (p >> 19 & 31) << 10 | (p >> 11 & 31) << 5 | (p >> 3 & 31);
                line[2 * x] = uint8_t(v);
                line[2 * x + 1] = uint8_t(v >> 8);
            } else {
                const int step = bits / 8;
                line[step * x] = uint8_t(p);
                line[step * x + 1] = uint8_t(p >> 8);
                line[step * x + 2] = uint8_t(p >> 16);
                if (step == 4) line[step * x + 3] = 0xFF;
            }
        }
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

Bytes makePnm(bool colour, int width, int height, const std::vector<uint32_t>& pixels) {
    const std::string header = std::string(colour ? "P6" : "P5") + "\n# made by a test\n" +
                               std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    Bytes b(header.begin(), header.end());
    for (uint32_t p : pixels) {
        if (colour)
            b.insert(b.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
        else
            b.push_back(uint8_t(p));
    }
    return b;
}

Bytes makeTga(int width, int height, const std::vector<uint32_t>& pixels) {
    Bytes b = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(b, uint32_t(width));
    put16(b, uint32_t(height));
    b.insert(b.end(), {24, 0});
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            b.insert(b.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        }
    return b;
}

namespace {

Bytes ddsHeader(int width, int height, uint32_t mipCount, uint32_t pixelFlags, uint32_t fourCc,
                uint32_t bitCount, const uint32_t masks[4]) {
    Bytes b = {'D', 'D', 'S', ' '};
    put32(b, 124);
    put32(b, 0x1007 | (mipCount > 1 ? 0x20000 : 0));
    put32(b, uint32_t(height));
    put32(b, uint32_t(width));
    put32(b, 0);
    put32(b, 0);
    put32(b, mipCount);
    for (int i = 0; i < 11; ++i) put32(b, 0);
    put32(b, 32);
    put32(b, pixelFlags);
    put32(b, fourCc);
    put32(b, bitCount);
    for (int i = 0; i < 4; ++i) put32(b, masks[i]);
    put32(b, 0x1000);
    for (int i = 0; i < 4; ++i) put32(b, 0);
    return b;
}

}  // namespace

Bytes makeDds(const char* fourCc, int width, int height, const std::vector<Bytes>& levels) {
    uint32_t code;
    std::memcpy(&code, fourCc, 4);
    const uint32_t noMasks[4] = {0, 0, 0, 0};
    Bytes b = ddsHeader(width, height, uint32_t(levels.size()), 0x4, code, 0, noMasks);
    for (const Bytes& level : levels) b.insert(b.end(), level.begin(), level.end());
    return b;
}

Bytes makeDdsRgb32(int width, int height, bool alpha, const std::vector<uint32_t>& pixels) {
    const uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, alpha ? 0xFF000000 : 0};
    Bytes b = ddsHeader(width, height, 1, 0x40 | (alpha ? 0x1 : 0), 0, 32, masks);
    for (uint32_t p : pixels) put32(b, p);
    return b;
}

Bytes makePng(int width, int height, const std::vector<uint32_t>& pixels) {
    Bytes out;
    const std::vector<uint8_t> rgb = rgbBytes(pixels);
    stbi_write_png_to_func(appendStb, &out, width, height, 3, rgb.data(), width * 3);
    return out;
}

Bytes makeJpeg(int width, int height, const std::vector<uint32_t>& pixels) {
    Bytes out;
    const std::vector<uint8_t> rgb = rgbBytes(pixels);
    stbi_write_jpg_to_func(appendStb, &out, width, height, 3, rgb.data(), 100);
    return out;
}
