// The BMP decoder on files laid out field by field: the variants it reads with the colours they
// show, and one table of the lies it refuses.
#include "imagefile/bmp_decode.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "tests/support/bmp_builder.h"
#include "tests/support/test_files.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Colours = std::vector<uint32_t>;

BmpLayout layoutOf(int width, int height, uint16_t bits, const Colours& pixels, const Colours& palette = {}) {
    BmpLayout layout;
    layout.width = width, layout.height = height, layout.bitCount = bits;
    layout.pixels = pixels, layout.palette = palette;
    return layout;
}

// Decodes the body from a fresh buffer of exactly its size, so the sanitizer sees any read past
// it; `colours` gets the pixels as 0xRRGGBB in the file's order, bottom row first.
BmpStatus decode(const Bytes& file, Colours* colours = nullptr) {
    const Bytes body(file.begin() + BmpFileHeaderSize, file.end());
    RgbImage image;
    image.width = 77;
    const BmpStatus status = decodeBmpBody(body.data(), body.size(), image);
    EXPECT_EQ(status == BmpStatus::Ok, image.width != 77) << "a refused file must not touch the output";
    for (size_t i = 0; colours && i + 2 < image.bgr.size(); i += 3)
        colours->push_back(uint32_t(image.bgr[i + 2]) << 16 | uint32_t(image.bgr[i + 1]) << 8 | image.bgr[i]);
    return status;
}

void setU32(Bytes& file, size_t at, uint32_t value) { std::memcpy(file.data() + at, &value, 4); }

// Every indexed depth and width (bits packed high first, rows padded to 4 bytes): each pixel
// shows its palette colour, black past a short table; 24-bit pixels show as stored.
TEST(BmpDecode, EveryDepthAndWidthShowsItsColours) {
    for (uint16_t bits : {1, 4, 8, 24}) {
        for (int width = 1; width <= 9; ++width) {
            BmpLayout layout = layoutOf(width, 3, bits, {});
            layout.colorsUsed = bits == 8 ? 200 : bits < 8 ? 1u << bits : 0;   // full on 1 and 4 bits, short on 8
            for (uint32_t i = 0; i < layout.colorsUsed; ++i)
                layout.palette.push_back((0x102030u + i * 0x0A0503u) & 0xFFFFFF);
            Colours expected, colours;
            for (uint32_t i = 0; i < uint32_t(width * 3); ++i) {
                const uint32_t value = bits <= 8 ? (i * 37 + 5) % (1u << bits) : (0x123456u * (i + 1)) & 0xFFFFFF;
                layout.pixels.push_back(value);
                expected.push_back(bits > 8 ? value : value < layout.colorsUsed ? layout.palette[value] : 0);
            }
            EXPECT_EQ(decode(buildBmp(layout), &colours), BmpStatus::Ok) << bits << " bits, width " << width;
            EXPECT_EQ(colours, expected) << bits << " bits, width " << width;
        }
    }
}

TEST(BmpDecode, SixteenAndThirtyTwoBitPixelsFollowTheirMasks) {
    const struct { const char* what; uint16_t bits; Colours masks, pixels, colours; bool infoHeaderV4 = false; } cases[] = {
        {"16 bits are 5-5-5", 16, {}, {0x7C00, 0x03E0, 0x001F}, {0xFF0000, 0x00FF00, 0x0000FF}},
        {"16 bits with 5-6-5 masks", 16, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x0400}, {0xFF0000, 0x00FF00, 0x008100}},
        {"the same in a V4 header", 16, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x0400}, {0xFF0000, 0x00FF00, 0x008100}, true},
        {"32 bits drop their fourth byte", 32, {}, {0xAA123456, 0x55ABCDEF}, {0x123456, 0xABCDEF}},
        {"32 bits with masks reversed", 32, {0xFF, 0xFF00, 0xFF0000}, {0xAA123456, 0x55ABCDEF}, {0x563412, 0xEFCDAB}},
    };
    for (const auto& c : cases) {
        BmpLayout layout = layoutOf(int(c.pixels.size()), 1, c.bits, c.pixels);
        layout.compression = c.masks.empty() ? 0 : 3;
        layout.masks = c.masks;
        Bytes file = buildBmp(layout);
        if (c.infoHeaderV4)   // the 12 bytes of masks inside a 108-byte header
            setU32(file, 14, 108), file.insert(file.begin() + 14 + 52, 56, 0);
        Colours colours;
        EXPECT_EQ(decode(file, &colours), BmpStatus::Ok) << c.what;
        EXPECT_EQ(colours, c.colours) << c.what;
    }
}

TEST(BmpDecode, FilesThatLieAreRefused) {
    const struct { const char* what; void (*spoil)(Bytes&); BmpStatus status; } cases[] = {
        {"zero width", [](Bytes& f) { setU32(f, 18, 0); }, BmpStatus::BadHeader},
        {"zero height", [](Bytes& f) { setU32(f, 22, 0); }, BmpStatus::BadHeader},
        {"negative width", [](Bytes& f) { setU32(f, 18, uint32_t(-4)); }, BmpStatus::BadHeader},
        {"top-down run-length rows", [](Bytes& f) { setU32(f, 22, uint32_t(-4)), f[30] = 1; }, BmpStatus::BadHeader},
        {"huge width", [](Bytes& f) { setU32(f, 18, 0x7FFFFFFF); }, BmpStatus::BadHeader},
        {"huge area", [](Bytes& f) { setU32(f, 18, 30000), setU32(f, 22, 30000); }, BmpStatus::BadHeader},
        {"width past the pixels", [](Bytes& f) { setU32(f, 18, 5000); }, BmpStatus::TooShort},
        {"header size past the file", [](Bytes& f) { setU32(f, 14, 0x10000000); }, BmpStatus::TooShort},
        {"header size 30", [](Bytes& f) { setU32(f, 14, 30); }, BmpStatus::BadHeader},
        {"16 bits in a core header", [](Bytes& f) {
             BmpLayout core = layoutOf(6, 4, 16, Colours(24, 1));
             core.coreHeader = true, f = buildBmp(core);
         }, BmpStatus::Unsupported},
        {"zero planes", [](Bytes& f) { f[26] = 0; }, BmpStatus::BadHeader},
        {"bit count 0", [](Bytes& f) { f[28] = 0; }, BmpStatus::Unsupported},
        {"bit count 2", [](Bytes& f) { f[28] = 2; }, BmpStatus::Unsupported},
        {"bit count 64", [](Bytes& f) { f[28] = 64; }, BmpStatus::Unsupported},
        {"RLE4 on 8 bits", [](Bytes& f) { f[30] = 2; }, BmpStatus::Unsupported},
        {"bit fields on 8 bits", [](Bytes& f) { f[30] = 3; }, BmpStatus::Unsupported},
        {"257 colours on 8 bits", [](Bytes& f) { setU32(f, 46, 257); }, BmpStatus::BadColourCount},
        {"colour table past the file", [](Bytes& f) { f.resize(14 + 40 + 100); }, BmpStatus::TooShort},
        {"a pixel of the last row missing, with its pad", [](Bytes& f) { f.resize(f.size() - 3); }, BmpStatus::TooShort},
        {"bit-field masks missing", [](Bytes& f) { f.resize(14 + 40), f[28] = 16, f[30] = 3; }, BmpStatus::TooShort},
    };
    for (const auto& c : cases) {
        Bytes file = buildBmp(layoutOf(6, 4, 8, Colours(24, 1), Colours(256, 0x123456)));
        c.spoil(file);
        EXPECT_EQ(decode(file), c.status) << c.what;
    }
}

TEST(BmpDecode, RejectsEveryTruncatedPrefix) {
    BmpLayout masked = layoutOf(3, 2, 32, Colours(6, 0x123456));
    masked.compression = 3;
    masked.masks = {0xFF0000, 0xFF00, 0xFF};
    for (const BmpLayout& layout : {masked, layoutOf(32, 2, 1, Colours(64, 1), {0, 0xFFFFFF})}) {
        const Bytes file = buildBmp(layout);
        ASSERT_EQ(decode(file), BmpStatus::Ok);
        for (size_t length = BmpFileHeaderSize; length < file.size(); ++length)
            EXPECT_NE(decode(Bytes(file.begin(), file.begin() + long(length))), BmpStatus::Ok) << length;
        EXPECT_TRUE(isBmpFileHeader(file.data(), 14));
        EXPECT_FALSE(isBmpFileHeader(file.data(), 13));
    }
    EXPECT_FALSE(isBmpFileHeader(Bytes{'B', 'm', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}.data(), 14));
}

#ifndef _WIN32
// Variants Windows shows, each decoded to the pixels ImageMagick (the native tree's `convert`)
// reads from the same file: top-down rows, the OS/2 core header, short palettes, a last row
// without its pad, RLE8 and RLE4 (runs, absolute blocks with their word pad, ends of line,
// deltas, the end code).
TEST(BmpDecode, VariantsDecodeAsImageMagickReadsThem) {
    const auto variant = [](int width, int height, uint16_t bits, uint32_t colours, void (*change)(BmpLayout&),
                            const Bytes& encoded = {}) {
        BmpLayout layout = layoutOf(width, height, bits, {});
        for (uint32_t i = 0; i < colours; ++i)
            layout.palette.push_back((0x4080C0u + i * 0x1F3D5Bu) & 0xFFFFFF);
        for (uint32_t i = 0; i < uint32_t(width * height); ++i)
            layout.pixels.push_back(colours ? (i * 7 + 3) % colours : (0x123456u * (i + 1)) & 0xFFFFFF);
        if (!encoded.empty())
            layout.compression = bits == 8 ? 1 : 2, layout.pixels.clear(), layout.encoded = encoded;
        return change(layout), layout;
    };
    const auto topDown = [](BmpLayout& l) { l.height = -l.height; };
    const auto core = [](BmpLayout& l) { l.coreHeader = true; };
    const auto shortPalette = [](BmpLayout& l) { l.colorsUsed = uint32_t(l.palette.size()); };
    const auto unpadded = [](BmpLayout& l) { l.lastRowUnpadded = true, l.colorsUsed = uint32_t(l.palette.size()); };
    const BmpLayout cases[] = {
        variant(5, 3, 24, 0, topDown), variant(5, 3, 8, 256, topDown), variant(9, 2, 1, 2, topDown),
        variant(9, 2, 1, 2, core), variant(5, 3, 4, 16, core), variant(5, 3, 8, 256, core), variant(5, 3, 24, 0, core),
        variant(5, 3, 8, 16, shortPalette), variant(7, 2, 4, 5, shortPalette),
        variant(5, 3, 24, 0, unpadded), variant(5, 3, 8, 256, unpadded), variant(3, 2, 4, 6, unpadded),
        variant(8, 4, 8, 12, shortPalette, {3, 1, 0, 3, 4, 5, 6, 0, 2, 7, 0, 0,         // run, odd block, run
                                            0, 4, 8, 9, 10, 11, 0, 2, 2, 0, 2, 3, 0, 0,  // block, delta, run
                                            0, 2, 1, 1, 1, 9, 0, 0, 0, 1}),             // delta up, run, end
        variant(8, 3, 4, 10, shortPalette, {5, 0x12, 0, 3, 0x34, 0x50, 0, 0,   // run, odd block
                                            2, 0x67, 0, 2, 2, 0, 4, 0x89, 0, 0,  // delta, run
                                            8, 0x31, 0, 1})};                    // run, end
    for (size_t i = 0; i < std::size(cases); ++i) {
        // ImageMagick refuses a missing last pad (Windows does not): it reads the padded twin.
        BmpLayout padded = cases[i];
        padded.lastRowUnpadded = false;
        writeFile("variant.bmp", buildBmp(padded));
        std::remove("variant.rgb");
        ASSERT_EQ(std::system("convert variant.bmp -depth 8 rgb:variant.rgb"), 0) << i;
        const Bytes rgb = readFileBytes("variant.rgb");
        Colours colours, magick;   // bottom row first, as decode() gives them
        EXPECT_EQ(decode(buildBmp(cases[i]), &colours), BmpStatus::Ok) << i;
        const size_t width = size_t(cases[i].width), rows = rgb.size() / 3 / width;
        for (size_t y = rows; y-- > 0;)
            for (size_t x = 0, at = y * width * 3; x < width; ++x, at += 3)
                magick.push_back(uint32_t(rgb[at]) << 16 | uint32_t(rgb[at + 1]) << 8 | rgb[at + 2]);
        EXPECT_EQ(colours, magick) << "case " << i;
    }
}
#endif

} // namespace
