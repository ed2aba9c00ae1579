#include "imagefile/bmp_decode.h"

#include <gtest/gtest.h>
#include <cstring>
#include "tests/support/bmp_builder.h"

namespace {

// Decodes the body of a whole file from a fresh buffer of exactly its size, so the
// sanitizer sees any read past it.
BmpStatus decodeFile(const std::vector<uint8_t>& file, RgbImage& out) {
    std::vector<uint8_t> body(file.begin() + BmpFileHeaderSize, file.end());
    return decodeBmpBody(body.data(), body.size(), out);
}

void setU32(std::vector<uint8_t>& file, size_t at, uint32_t value) {
    std::memcpy(file.data() + at, &value, 4);
}

uint32_t pixelAt(const RgbImage& image, int x, int y) {
    const uint8_t* p = image.bgr.data() + (size_t(y) * image.width + x) * 3;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

std::vector<uint32_t> allPixels(const RgbImage& image) {
    std::vector<uint32_t> colours;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            colours.push_back(pixelAt(image, x, y));
    return colours;
}

const std::vector<uint32_t> sixteenColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

BmpLayout paletted(uint16_t bits, int width, int height) {
    BmpLayout layout;
    layout.bitCount = bits;
    layout.width = width;
    layout.height = height;
    const uint32_t count = 1u << bits;
    for (uint32_t i = 0; i < count; ++i)
        layout.palette.push_back(i < 16 ? sixteenColours[i] : (i * 0x010203u) & 0xFFFFFF);
    for (int i = 0; i < width * height; ++i)
        layout.pixels.push_back(uint32_t(i * 7 + 3) % count);
    return layout;
}

TEST(BmpDecode, PalettedImagesOfEveryWidthShowTheirPaletteColours) {
    for (uint16_t bits : {1, 4, 8}) {
        for (int width : {1, 2, 3, 5, 7, 9, 13, 33}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
            const BmpLayout layout = paletted(bits, width, 3);
            RgbImage image;
            ASSERT_EQ(decodeFile(buildBmp(layout), image), BmpStatus::Ok);
            ASSERT_EQ(image.width, width);
            ASSERT_EQ(image.height, 3);
            std::vector<uint32_t> expected;
            for (uint32_t index : layout.pixels)
                expected.push_back(layout.palette[index]);
            EXPECT_EQ(allPixels(image), expected);
        }
    }
}

TEST(BmpDecode, TrueColourImagesOfEveryWidthKeepTheirPixels) {
    for (int width : {1, 2, 3, 5, 6, 7}) {
        SCOPED_TRACE(width);
        BmpLayout layout;
        layout.width = width;
        layout.height = 2;
        for (int i = 0; i < width * 2; ++i)
            layout.pixels.push_back(0x102030u * uint32_t(i + 1) & 0xFFFFFF);
        RgbImage image;
        ASSERT_EQ(decodeFile(buildBmp(layout), image), BmpStatus::Ok);
        EXPECT_EQ(allPixels(image), layout.pixels);
    }
}

TEST(BmpDecode, SixteenBitPixelsAreFiveFiveFiveUnlessMasksSayOtherwise) {
    BmpLayout plain;
    plain.bitCount = 16;
    plain.width = 3;
    plain.pixels = {0x7C00, 0x03E0, 0x001F};  // full red, green, blue
    RgbImage image;
    ASSERT_EQ(decodeFile(buildBmp(plain), image), BmpStatus::Ok);
    EXPECT_EQ(allPixels(image), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));

    BmpLayout masked = plain;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixels = {0xF800, 0x07E0, 0x0400};  // red, green, half green (32 of 63)
    ASSERT_EQ(decodeFile(buildBmp(masked), image), BmpStatus::Ok);
    EXPECT_EQ(allPixels(image), (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x008100}));
}

TEST(BmpDecode, ThirtyTwoBitPixelsDropTheFourthByte) {
    BmpLayout plain;
    plain.bitCount = 32;
    plain.width = 2;
    plain.pixels = {0xAA123456, 0x55ABCDEF};
    RgbImage image;
    ASSERT_EQ(decodeFile(buildBmp(plain), image), BmpStatus::Ok);
    EXPECT_EQ(allPixels(image), (std::vector<uint32_t>{0x123456, 0xABCDEF}));

    BmpLayout masked = plain;
    masked.compression = 3;
    masked.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // stored red, green, blue reversed
    ASSERT_EQ(decodeFile(buildBmp(masked), image), BmpStatus::Ok);
    EXPECT_EQ(allPixels(image), (std::vector<uint32_t>{0x563412, 0xEFCDAB}));
}

TEST(BmpDecode, ShortColourTableIsUsedAndIndicesPastItAreBlack) {
    BmpLayout layout = paletted(8, 4, 1);
    layout.palette = {0xFF0000, 0x00FF00};
    layout.colorsUsed = 2;
    layout.pixels = {1, 0, 200, 1};
    RgbImage image;
    ASSERT_EQ(decodeFile(buildBmp(layout), image), BmpStatus::Ok);
    EXPECT_EQ(allPixels(image), (std::vector<uint32_t>{0x00FF00, 0xFF0000, 0, 0x00FF00}));
}

TEST(BmpDecode, FilesThatLieAreRefused) {
    struct Case {
        const char* what;
        void (*spoil)(BmpLayout&, std::vector<uint8_t>&);
        BmpStatus expected;
    };
    const Case cases[] = {
        {"zero width", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 18, 0); },
         BmpStatus::BadHeader},
        {"zero height", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 22, 0); },
         BmpStatus::BadHeader},
        {"negative width", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 18, uint32_t(-4)); },
         BmpStatus::BadHeader},
        {"negative height", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 22, uint32_t(-4)); },
         BmpStatus::BadHeader},
        {"huge width", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 18, 0x7FFFFFFF); },
         BmpStatus::BadHeader},
        {"huge area", [](BmpLayout&, std::vector<uint8_t>& f) {
             setU32(f, 18, 30000);
             setU32(f, 22, 30000);
         }, BmpStatus::BadHeader},
        {"width past the pixels", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 18, 5000); },
         BmpStatus::TooShort},
        {"header size past the file",
         [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 14, 0x10000000); },
         BmpStatus::TooShort},
        {"header size 30", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 14, 30); },
         BmpStatus::BadHeader},
        {"core header", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 14, 12); },
         BmpStatus::Unsupported},
        {"zero planes", [](BmpLayout&, std::vector<uint8_t>& f) { f[26] = 0; },
         BmpStatus::BadHeader},
        {"bit count 0", [](BmpLayout&, std::vector<uint8_t>& f) { f[28] = 0; },
         BmpStatus::Unsupported},
        {"bit count 2", [](BmpLayout&, std::vector<uint8_t>& f) { f[28] = 2; },
         BmpStatus::Unsupported},
        {"bit count 64", [](BmpLayout&, std::vector<uint8_t>& f) { f[28] = 64; },
         BmpStatus::Unsupported},
        {"run-length compression", [](BmpLayout&, std::vector<uint8_t>& f) { f[30] = 1; },
         BmpStatus::Unsupported},
        {"bit fields on 8 bits", [](BmpLayout&, std::vector<uint8_t>& f) { f[30] = 3; },
         BmpStatus::Unsupported},
        {"257 colours on 8 bits", [](BmpLayout&, std::vector<uint8_t>& f) { setU32(f, 46, 257); },
         BmpStatus::BadColourCount},
        {"colour table past the file",
         [](BmpLayout&, std::vector<uint8_t>& f) { f.resize(14 + 40 + 100); }, BmpStatus::TooShort},
        {"one pixel byte missing", [](BmpLayout&, std::vector<uint8_t>& f) { f.pop_back(); },
         BmpStatus::TooShort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpLayout layout = paletted(8, 6, 4);
        std::vector<uint8_t> file = buildBmp(layout);
        c.spoil(layout, file);
        RgbImage image;
        image.width = 77;
        EXPECT_EQ(decodeFile(file, image), c.expected);
        EXPECT_EQ(image.width, 77) << "a refused file must not touch the output";
    }
}

TEST(BmpDecode, ColourCountAtTheTableSizeIsAcceptedAndOnePastRefused) {
    BmpLayout layout = paletted(4, 3, 2);
    layout.colorsUsed = 16;
    RgbImage image;
    EXPECT_EQ(decodeFile(buildBmp(layout), image), BmpStatus::Ok);
    layout.colorsUsed = 17;
    layout.palette.push_back(0);
    EXPECT_EQ(decodeFile(buildBmp(layout), image), BmpStatus::BadColourCount);
}

TEST(BmpDecode, MissingBitFieldMasksAreTooShort) {
    BmpLayout layout;
    layout.bitCount = 16;
    layout.compression = 3;
    layout.width = 0;  // no pixels: the file ends after the info header
    std::vector<uint8_t> file = buildBmp(layout);
    file[18] = 1;
    file[22] = 1;
    RgbImage image;
    EXPECT_EQ(decodeFile(file, image), BmpStatus::TooShort);
}

TEST(BmpDecode, RejectsEveryTruncatedPrefix) {
    for (const BmpLayout& layout : {paletted(1, 9, 3), paletted(8, 5, 3), [] {
             BmpLayout s;
             s.bitCount = 32;
             s.compression = 3;
             s.masks = {0xFF0000, 0xFF00, 0xFF};
             s.width = 3;
             s.height = 2;
             s.pixels.assign(6, 0x123456);
             return s;
         }()}) {
        const std::vector<uint8_t> file = buildBmp(layout);
        RgbImage image;
        ASSERT_EQ(decodeFile(file, image), BmpStatus::Ok);
        for (size_t length = BmpFileHeaderSize; length < file.size(); ++length) {
            SCOPED_TRACE(length);
            std::vector<uint8_t> body(file.begin() + BmpFileHeaderSize, file.begin() + length);
            EXPECT_NE(decodeBmpBody(body.data(), body.size(), image), BmpStatus::Ok);
        }
    }
}

TEST(BmpDecode, FileHeaderMustStartWithBM) {
    std::vector<uint8_t> file = buildBmp(BmpLayout{});
    EXPECT_TRUE(isBmpFileHeader(file.data(), 14));
    EXPECT_FALSE(isBmpFileHeader(file.data(), 13));
    file[1] = 'm';
    EXPECT_FALSE(isBmpFileHeader(file.data(), 14));
}

} // namespace
