#include "image_files.h"

#include <algorithm>
#include <cstring>

#include "tests/support/bmp_builder.h"
#include "tests/support/byte_writer.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

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
    BmpLayout layout;
    layout.width = width;
    layout.height = topDown ? -height : height;
    layout.bitCount = uint16_t(bits);
    if (bits <= 8) {
        layout.palette = palette;
        layout.palette.resize(size_t(1) << bits);
        layout.colorsUsed = 1u << bits;
    }
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            if (bits <= 8)
                layout.pixels.push_back(paletteIndex(palette, p));
            else if (bits == 16)
                layout.pixels.push_back((p >> 19 & 31) << 10 | (p >> 11 & 31) << 5 | (p >> 3 & 31));
            else
                layout.pixels.push_back(bits == 32 ? p | 0xFF000000 : p);
        }
    }
    return buildBmp(layout);
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
    ByteWriter b;
    b.bytes({0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}).u16(uint16_t(width)).u16(uint16_t(height)).u8(24).u8(0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            b.u8(uint8_t(p)).u8(uint8_t(p >> 8)).u8(uint8_t(p >> 16));
        }
    return b.data();
}

namespace {

ByteWriter ddsHeader(int width, int height, uint32_t mipCount, uint32_t pixelFlags, uint32_t fourCc,
                     uint32_t bitCount, const uint32_t masks[4]) {
    ByteWriter b;
    b.chars("DDS ").u32(124).u32(0x1007 | (mipCount > 1 ? 0x20000 : 0));
    b.u32(uint32_t(height)).u32(uint32_t(width)).u32(0).u32(0).u32(mipCount);
    for (int i = 0; i < 11; ++i) b.u32(0);
    b.u32(32).u32(pixelFlags).u32(fourCc).u32(bitCount);
    for (int i = 0; i < 4; ++i) b.u32(masks[i]);
    b.u32(0x1000);
    for (int i = 0; i < 4; ++i) b.u32(0);
    return b;
}

}  // namespace

Bytes makeDds(const char* fourCc, int width, int height, const std::vector<Bytes>& levels) {
    uint32_t code;
    std::memcpy(&code, fourCc, 4);
    const uint32_t noMasks[4] = {0, 0, 0, 0};
    ByteWriter b = ddsHeader(width, height, uint32_t(levels.size()), 0x4, code, 0, noMasks);
    for (const Bytes& level : levels) b.bytes(level);
    return b.data();
}

Bytes makeDdsRgb32(int width, int height, bool alpha, const std::vector<uint32_t>& pixels) {
    const uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, alpha ? 0xFF000000 : 0};
    ByteWriter b = ddsHeader(width, height, 1, 0x40 | (alpha ? 0x1 : 0), 0, 32, masks);
    for (uint32_t p : pixels) b.u32(p);
    return b.data();
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
