// BMP variants that Windows shows, each decoded to the pixels ImageMagick reads from the same
// file: top-down rows, the OS/2 core header, short palettes, a last row without its pad, RLE8
// and RLE4 (runs, absolute blocks with their word pad, ends of line, deltas, the end code).
#include "imagefile/bmp_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/bmp_builder.h"
#include "tests/support/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;

BmpLayout variant(int width, int height, uint16_t bits, uint32_t colours)
{
    BmpLayout layout;
    layout.width = width, layout.height = height, layout.bitCount = bits;
    for (uint32_t i = 0; i < colours; ++i)
        layout.palette.push_back((0x4080C0u + i * 0x1F3D5Bu) & 0xFFFFFF);
    for (uint32_t i = 0; layout.palette.size() > 0 && i < uint32_t(width * std::abs(height)); ++i)
        layout.pixels.push_back((i * 7 + 3) % colours);
    if (bits == 24)
        for (uint32_t i = 0; i < uint32_t(width * std::abs(height)); ++i)
            layout.pixels.push_back((0x123456u * (i + 1)) & 0xFFFFFF);
    return layout;
}

BmpLayout core(BmpLayout layout) { return layout.coreHeader = true, layout; }
BmpLayout topDown(BmpLayout layout) { return layout.height = -layout.height, layout; }
BmpLayout shortPalette(BmpLayout layout) { return layout.colorsUsed = uint32_t(layout.palette.size()), layout; }
BmpLayout unpadded(BmpLayout layout) { return layout.lastRowUnpadded = true, layout; }
BmpLayout runLength(BmpLayout layout, const Bytes& encoded)
{
    layout.compression = layout.bitCount == 8 ? 1 : 2;
    layout.pixels.clear();
    layout.encoded = encoded;
    return layout;
}

// The decoded pixels as ImageMagick writes raw RGB: top row first.
Bytes topRowFirstRgb(const RgbImage& image)
{
    Bytes rgb;
    for (int y = image.height - 1; y >= 0; --y)
        for (int x = 0; x < image.width; ++x)
            for (int k = 2; k >= 0; --k)
                rgb.push_back(image.bgr[(size_t(y) * size_t(image.width) + size_t(x)) * 3 + size_t(k)]);
    return rgb;
}

TEST(BmpVariants, DecodeAsImageMagickReadsThem)
{
    const struct {
        const char* what;
        BmpLayout layout;
    } cases[] = {
        {"top-down, 24 bits", topDown(variant(5, 3, 24, 0))},
        {"top-down, 8 bits", topDown(variant(5, 3, 8, 256))},
        {"top-down, 1 bit", topDown(variant(9, 2, 1, 2))},
        {"OS/2 core, 1 bit", core(variant(9, 2, 1, 2))},
        {"OS/2 core, 4 bits", core(variant(5, 3, 4, 16))},
        {"OS/2 core, 8 bits", core(variant(5, 3, 8, 256))},
        {"OS/2 core, 24 bits", core(variant(5, 3, 24, 0))},
        {"16 colours on 8 bits", shortPalette(variant(5, 3, 8, 16))},
        {"5 colours on 4 bits", shortPalette(variant(7, 2, 4, 5))},
        {"last row unpadded, 24 bits", unpadded(variant(5, 3, 24, 0))},
        {"last row unpadded, 8 bits", unpadded(variant(5, 3, 8, 256))},
        {"last row unpadded, 4 bits", unpadded(shortPalette(variant(3, 2, 4, 6)))},
        {"RLE8", runLength(shortPalette(variant(8, 4, 8, 12)),
                           {3, 1, 0, 3, 4, 5, 6, 0, 2, 7, 0, 0,       // run, odd block, run
                            0, 4, 8, 9, 10, 11, 0, 2, 2, 0, 2, 3, 0, 0,  // block, delta, run
                            0, 2, 1, 1, 1, 9, 0, 0, 0, 1})},          // delta up, run, end
        {"RLE4", runLength(shortPalette(variant(8, 3, 4, 10)),
                           {5, 0x12, 0, 3, 0x34, 0x50, 0, 0,           // run, odd block
                            2, 0x67, 0, 2, 2, 0, 4, 0x89, 0, 0,        // delta, run
                            8, 0x31, 0, 1})},                          // run, end
    };
    for (const auto& c : cases) {
        const Bytes file = buildBmp(c.layout);
        // ImageMagick refuses a missing last pad (Windows does not): it reads the padded twin.
        BmpLayout padded = c.layout;
        padded.lastRowUnpadded = false;
        writeFile("variant.bmp", buildBmp(padded));
        std::remove("variant.rgb");
        ASSERT_EQ(std::system("convert variant.bmp -depth 8 rgb:variant.rgb"), 0) << c.what;
        const Bytes body(file.begin() + BmpFileHeaderSize, file.end());
        RgbImage image;
        ASSERT_EQ(decodeBmpBody(body.data(), body.size(), image), BmpStatus::Ok) << c.what;
        EXPECT_EQ(topRowFirstRgb(image), readFileBytes("variant.rgb")) << c.what;
    }
}

}  // namespace
