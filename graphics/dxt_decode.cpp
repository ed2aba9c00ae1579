#include "graphics/dxt_decode.h"

namespace {

uint32_t expand565(uint16_t c) {
    const uint32_t r = c >> 11 & 31, g = c >> 5 & 63, b = c & 31;
    return (r << 3 | r >> 2) << 16 | (g << 2 | g >> 4) << 8 | (b << 3 | b >> 2);
}

uint32_t mix(uint32_t a, uint32_t b, uint32_t weightA, uint32_t weightB) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t value = ((a >> shift & 0xFF) * weightA + (b >> shift & 0xFF) * weightB) /
                               (weightA + weightB);
        result |= value << shift;
    }
    return result;
}

uint16_t readU16(const uint8_t* at) { return uint16_t(at[0] | at[1] << 8); }

// The 16 colours (0xAARRGGBB) of a colour block; DXT1's three-colour mode has a transparent
// fourth entry, the other formats always use four colours.
void colourBlock(const uint8_t* block, bool dxt1, uint32_t out[16]) {
    const uint16_t c0 = readU16(block), c1 = readU16(block + 2);
    uint32_t palette[4] = {expand565(c0) | 0xFF000000, expand565(c1) | 0xFF000000, 0, 0};
    if (!dxt1 || c0 > c1) {
        palette[2] = mix(palette[0], palette[1], 2, 1) | 0xFF000000;
        palette[3] = mix(palette[0], palette[1], 1, 2) | 0xFF000000;
    } else {
        palette[2] = mix(palette[0], palette[1], 1, 1) | 0xFF000000;
        palette[3] = 0;
    }
    const uint32_t bits = uint32_t(block[4]) | uint32_t(block[5]) << 8 |
                          uint32_t(block[6]) << 16 | uint32_t(block[7]) << 24;
    for (int i = 0; i < 16; ++i) out[i] = palette[bits >> (2 * i) & 3];
}

void explicitAlpha(const uint8_t* block, uint32_t colours[16]) {
    for (int i = 0; i < 16; ++i) {
        const uint32_t alpha = (block[i / 2] >> (4 * (i % 2))) & 0xF;
        colours[i] = (colours[i] & 0xFFFFFF) | (alpha * 17) << 24;
    }
}

void interpolatedAlpha(const uint8_t* block, uint32_t colours[16]) {
    const uint32_t a0 = block[0], a1 = block[1];
    uint32_t alphas[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (uint32_t i = 1; i < 5; ++i) alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= uint64_t(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i)
        colours[i] = (colours[i] & 0xFFFFFF) | alphas[bits >> (3 * i) & 7] << 24;
}

}  // namespace

Image decodeBlocks(BlockFormat format, const uint8_t* blocks, uint32_t width, uint32_t height) {
    Image image;
    image.width = width;
    image.height = height;
    image.hasAlpha = true;
    image.pixels.resize(size_t(width) * height);
    const size_t step = blockBytes(format);
    const uint32_t columns = (width + 3) / 4, rows = (height + 3) / 4;
    for (uint32_t by = 0; by < rows; ++by)
        for (uint32_t bx = 0; bx < columns; ++bx) {
            const uint8_t* block = blocks + (size_t(by) * columns + bx) * step;
            uint32_t colours[16];
            colourBlock(format == BlockFormat::Dxt1 ? block : block + 8,
                        format == BlockFormat::Dxt1, colours);
            if (format == BlockFormat::Dxt3) explicitAlpha(block, colours);
            if (format == BlockFormat::Dxt5) interpolatedAlpha(block, colours);
            for (uint32_t i = 0; i < 16; ++i) {
                const uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) image.pixels[size_t(y) * width + x] = colours[i];
            }
        }
    return image;
}
