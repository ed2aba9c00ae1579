// Image files decoded to pixels: every format and depth, hostile and truncated files.
#include "graphics/image_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "graphics/dxt_decode.h"
#include "graphics/mip_chain.h"
#include "image_files.h"

namespace {

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF,
               kBlack = 0;

// 5 x 3, odd width so that rows are padded; colours of the given palette.
std::vector<uint32_t> pattern(const std::vector<uint32_t>& colours) {
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 15; ++i) pixels.push_back(colours[(i * 7 + i / 5) % colours.size()]);
    return pixels;
}

std::vector<uint32_t> opaque(const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> out;
    for (uint32_t p : pixels) out.push_back(p | 0xFF000000);
    return out;
}

ImageStatus decode(const Bytes& bytes, DecodedImage& out) {
    // A buffer of exactly the file's size, so that the sanitizer sees any over-read.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() ? bytes.size() : 1]);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    return decodeImage(copy.get(), bytes.size(), out);
}

void expectPixels(const Bytes& file, int width, int height, const std::vector<uint32_t>& pixels) {
    DecodedImage decoded;
    ASSERT_EQ(ImageStatus::Ok, decode(file, decoded));
    ASSERT_FALSE(decoded.compressed);
    EXPECT_EQ(uint32_t(width), decoded.image.width);
    EXPECT_EQ(uint32_t(height), decoded.image.height);
    EXPECT_EQ(pixels, decoded.image.pixels);
}

// Every proper prefix must fail, each read from a buffer of its own length.
void expectEveryPrefixFails(const Bytes& file) {
    for (size_t length = 0; length < file.size(); ++length) {
        DecodedImage decoded;
        EXPECT_NE(ImageStatus::Ok, decode(Bytes(file.begin(), file.begin() + length), decoded))
            << "prefix of " << length << " bytes";
    }
}

Bytes dxt1Block(uint16_t c0, uint16_t c1, uint32_t indices) {
    return {uint8_t(c0), uint8_t(c0 >> 8), uint8_t(c1), uint8_t(c1 >> 8), uint8_t(indices),
            uint8_t(indices >> 8), uint8_t(indices >> 16), uint8_t(indices >> 24)};
}

}  // namespace

TEST(ImageDecode, BmpOfEveryDepthBottomUpAndTopDown) {
    const std::vector<uint32_t> two = {kBlack, kWhite}, four = {kBlack, kRed, kGreen, kBlue},
                                many = {kRed, kGreen, kBlue, kWhite, 0x123456, 0xABCDEF};
    struct Case {
        int bits;
        std::vector<uint32_t> colours;
    };
    const Case cases[] = {{1, two}, {4, four}, {8, many}, {16, four}, {24, many}, {32, many}};
    for (const Case& c : cases)
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bits << " bits, top-down " << topDown);
            const std::vector<uint32_t> pixels = pattern(c.colours);
            expectPixels(makeBmp(c.bits, topDown, 5, 3, pixels, c.colours), 5, 3, opaque(pixels));
        }
}

TEST(ImageDecode, PgmPpmTgaAndPng) {
    const std::vector<uint32_t> colours = pattern({kRed, kGreen, kBlue, 0x405060});
    expectPixels(makePnm(true, 5, 3, colours), 5, 3, opaque(colours));
    const std::vector<uint32_t> greys = pattern({0x000000, 0x808080, 0xFFFFFF, 0x202020});
    expectPixels(makePnm(false, 5, 3, greys), 5, 3, opaque(greys));
    expectPixels(makeTga(5, 3, colours), 5, 3, opaque(colours));
    expectPixels(makePng(5, 3, colours), 5, 3, opaque(colours));
}

TEST(ImageDecode, JpegComesBackCloseToTheOriginal) {
    // 16 x 16 in four flat quarters: little ringing at quality 100.
    std::vector<uint32_t> pixels(256);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = (x < 8) == (y < 8) ? 0xC04020 : 0x2080E0;
    DecodedImage decoded;
    ASSERT_EQ(ImageStatus::Ok, decode(makeJpeg(16, 16, pixels), decoded));
    ASSERT_EQ(16u, decoded.image.width);
    EXPECT_FALSE(decoded.image.hasAlpha);
    for (int i : {0, 17, 120, 255, 8 * 16 + 3}) {
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(int(pixels[i] >> shift & 0xFF), int(decoded.image.pixels[i] >> shift & 0xFF), 12);
    }
}

TEST(ImageDecode, DdsBlocksStayCompressedWithTheirLevels) {
    const Bytes level0 = dxt1Block(0xF800, 0x001F, 0), level1 = dxt1Block(1, 2, 3),
                level2 = dxt1Block(4, 5, 6);
    DecodedImage decoded;
    ASSERT_EQ(ImageStatus::Ok, decode(makeDds("DXT1", 4, 4, {level0, level1, level2}), decoded));
    ASSERT_TRUE(decoded.compressed);
    EXPECT_EQ(BlockFormat::Dxt1, decoded.blocks.format);
    EXPECT_EQ(4u, decoded.blocks.width);
    ASSERT_EQ(3u, decoded.blocks.levels.size());
    EXPECT_EQ(level0, decoded.blocks.levels[0]);
    EXPECT_EQ(level2, decoded.blocks.levels[2]);
    // More levels announced than a 4 x 4 chain has: only three are read.
    ASSERT_EQ(ImageStatus::Ok,
              decode(makeDds("DXT1", 4, 4, {level0, level1, level2, level2}), decoded));
    EXPECT_EQ(3u, decoded.blocks.levels.size());
    Bytes dxt5(16, 0);
    ASSERT_EQ(ImageStatus::Ok, decode(makeDds("DXT5", 3, 2, {dxt5}), decoded));
    EXPECT_EQ(BlockFormat::Dxt5, decoded.blocks.format);
    EXPECT_EQ(ImageStatus::Unknown, decode(makeDds("ATI2", 4, 4, {dxt5}), decoded));
    EXPECT_EQ(ImageStatus::Corrupt, decode(makeDds("DXT3", 8, 4, {dxt5}), decoded));
}

TEST(ImageDecode, DdsRgb32WithAndWithoutAlpha) {
    const std::vector<uint32_t> pixels = {0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x10203040};
    expectPixels(makeDdsRgb32(2, 2, true, pixels), 2, 2, pixels);
    expectPixels(makeDdsRgb32(2, 2, false, pixels), 2, 2, opaque(pixels));
}

TEST(ImageDecode, DxtBlocksDecodeToTheirColours) {
    // DXT1 four-colour block: red, blue and the two thirds between, one index per row.
    const Bytes block = dxt1Block(0xF800, 0x001F, 0x00 | 0x55 << 8 | 0xAA << 16 | 0xFFu << 24);
    Image image = decodeBlocks(BlockFormat::Dxt1, block.data(), 4, 4);
    EXPECT_EQ(0xFFFF0000u, image.pixels[0]);
    EXPECT_EQ(0xFF0000FFu, image.pixels[4]);
    EXPECT_EQ(0xFFAA0055u, image.pixels[8]);
    EXPECT_EQ(0xFF5500AAu, image.pixels[12]);
    // Three-colour mode (c0 <= c1): index 3 is transparent black.
    const Bytes three = dxt1Block(0x001F, 0xF800, 0xFFFFFFFF);
    EXPECT_EQ(0u, decodeBlocks(BlockFormat::Dxt1, three.data(), 4, 4).pixels[5]);
    // DXT3: explicit 4-bit alpha; DXT5: alpha 255 and 0 interpolated in sevenths.
    Bytes dxt3 = {0x0F, 0xF0, 0, 0, 0, 0, 0, 0};
    dxt3.insert(dxt3.end(), block.begin(), block.end());
    image = decodeBlocks(BlockFormat::Dxt3, dxt3.data(), 4, 4);
    EXPECT_EQ(0xFFu, image.pixels[0] >> 24);
    EXPECT_EQ(0x00u, image.pixels[1] >> 24);
    EXPECT_EQ(0xFFu, image.pixels[3] >> 24);
    Bytes dxt5 = {255, 0, 0x88, 0, 0, 0, 0, 0};  // texel 0 index 0, texel 1 index 1, texel 2 index 2
    dxt5.insert(dxt5.end(), block.begin(), block.end());
    image = decodeBlocks(BlockFormat::Dxt5, dxt5.data(), 3, 2);
    ASSERT_EQ(6u, image.pixels.size());
    EXPECT_EQ(255u, image.pixels[0] >> 24);
    EXPECT_EQ(0u, image.pixels[1] >> 24);
    EXPECT_EQ(6u * 255 / 7, image.pixels[2] >> 24);
}

TEST(ImageDecode, UnknownHugeAndEmptyFilesFail) {
    DecodedImage decoded;
    EXPECT_EQ(ImageStatus::Unknown, decode({}, decoded));
    EXPECT_EQ(ImageStatus::Unknown, decode({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, decoded));
    std::srand(7);
    Bytes noise(500);
    for (uint8_t& b : noise) b = uint8_t(std::rand());
    noise[0] = 'x';
    EXPECT_NE(ImageStatus::Ok, decode(noise, decoded));
    EXPECT_EQ(ImageStatus::TooLarge, decode(makeDds("DXT1", 20000, 4, {}), decoded));
    EXPECT_EQ(ImageStatus::TooLarge, decode(makeDdsRgb32(16384, 16384, false, {}), decoded));
    EXPECT_EQ(ImageStatus::Corrupt, decode(makeDds("DXT1", 0, 4, {}), decoded));
    // A BMP announcing 20000 x 20000 pixels in a few bytes.
    Bytes huge = makeBmp(24, false, 1, 1, {kRed}, {});
    huge[18] = 0x20, huge[19] = 0x4E, huge[22] = 0x20, huge[23] = 0x4E;
    EXPECT_NE(ImageStatus::Ok, decode(huge, decoded));
}

TEST(ImageDecode, SixteenBitPnmIsRefused) {
    const std::string header = "P5\n2 1\n65535\n";
    Bytes file(header.begin(), header.end());
    file.insert(file.end(), {0x12, 0x34, 0xFF, 0xFF});
    DecodedImage decoded;
    EXPECT_EQ(ImageStatus::Corrupt, decode(file, decoded));
}

TEST(ImageDecode, JpegWithAnOversizedHuffmanTableIsRefused) {
    // stb_image 2.27 would write past its tables for more than 256 codes; we refuse first,
    // also behind fill bytes (FF) before the start marker, which stb_image skips.
    for (size_t fill : {0, 3}) {
        Bytes jpeg = makeJpeg(8, 8, std::vector<uint32_t>(64, 0x336699));
        size_t table = 0;
        for (size_t i = 2; i + 1 < jpeg.size() && !table; ++i)
            if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC4) table = i;
        ASSERT_NE(0u, table);
        // Marker (2), length (2), class and id (1), then the 16 counts.
        jpeg[table + 5 + 14] = 200;
        jpeg[table + 5 + 15] = 200;
        jpeg.insert(jpeg.begin(), fill, 0xFF);
        DecodedImage decoded;
        EXPECT_EQ(ImageStatus::Corrupt, decode(jpeg, decoded)) << fill << " fill bytes";
    }
}

TEST(ImageDecode, PnmHeaderNumbersOfTenDigitsAreRefused) {
    // stb_image 2.27 would overflow an int on them; nine digits still read.
    const struct {
        const char* header;
        ImageStatus expected;
    } cases[] = {
        {"P5\n000000001 1\n255\n", ImageStatus::Ok},
        {"P5\n0000000001 1\n255\n", ImageStatus::Corrupt},
        {"P5\n1 2222222222\n255\n", ImageStatus::Corrupt},
        {"P6 1 1 99999999999\n", ImageStatus::Corrupt},
        {"P5\n# a comment that ends at a return\r2222222222 1\n255\n", ImageStatus::Corrupt},
    };
    for (const auto& c : cases) {
        const std::string header = c.header;
        Bytes file(header.begin(), header.end());
        file.resize(file.size() + 3, 0x40);
        DecodedImage decoded;
        EXPECT_EQ(c.expected, decode(file, decoded)) << c.header;
    }
}

TEST(ImageDecode, EveryTruncatedFileFails) {
    const std::vector<uint32_t> colours = pattern({kRed, kGreen, kBlue, kWhite});
    expectEveryPrefixFails(makeBmp(24, false, 5, 3, colours, {}));
    expectEveryPrefixFails(makeBmp(4, true, 5, 3, colours, {kRed, kGreen, kBlue, kWhite}));
    expectEveryPrefixFails(makeBmp(1, false, 5, 3, pattern({kBlack, kWhite}), {kBlack, kWhite}));
    expectEveryPrefixFails(makePnm(true, 5, 3, colours));
    expectEveryPrefixFails(makePnm(false, 5, 3, colours));
    expectEveryPrefixFails(makePng(5, 3, colours));
    expectEveryPrefixFails(makeDds("DXT1", 4, 4, {Bytes(8, 1), Bytes(8, 2), Bytes(8, 3)}));
    expectEveryPrefixFails(makeDdsRgb32(2, 2, true, {1, 2, 3, 4}));
}

TEST(ImageDecode, LenientFormatsSurviveTruncation) {
    // TGA and JPEG readers fill a short file's missing pixels; they must still stay inside the
    // buffer (the sanitizers watch) and keep the announced size.
    std::vector<uint32_t> pixels(64, 0x336699);
    for (const Bytes& file : {makeTga(8, 8, pixels), makeJpeg(8, 8, pixels)})
        for (size_t length = 0; length < file.size(); ++length) {
            DecodedImage decoded;
            if (decode(Bytes(file.begin(), file.begin() + length), decoded) == ImageStatus::Ok) {
                EXPECT_EQ(64u, decoded.image.pixels.size());
            }
        }
}

TEST(MipChain, LevelsHalveDownToOnePixel) {
    EXPECT_EQ(1u, nextPowerOfTwo(0));
    EXPECT_EQ(8u, nextPowerOfTwo(5));
    EXPECT_EQ(8u, nextPowerOfTwo(8));
    EXPECT_EQ(4u, mipLevelCount(8, 2));
    EXPECT_EQ(1u, mipLevelCount(1, 1));
    Image image;
    image.width = 5;
    image.height = 3;
    image.pixels = opaque(pattern({kRed, kBlue}));
    const std::vector<Image> levels = mipChain(image);
    ASSERT_EQ(4u, levels.size());
    EXPECT_EQ(8u, levels[0].width);
    EXPECT_EQ(4u, levels[0].height);
    EXPECT_EQ(4u, levels[1].width);
    EXPECT_EQ(2u, levels[2].width);
    EXPECT_EQ(1u, levels[2].height);
    EXPECT_EQ(1u, levels[3].width);
    // Corners keep their colours when scaled up.
    EXPECT_EQ(image.pixels[0], levels[0].pixels[0]);
    EXPECT_EQ(image.pixels[14], levels[0].pixels[31]);
}

TEST(MipChain, HalvingAveragesAndOneWideSidesStay) {
    Image image;
    image.width = 2;
    image.height = 2;
    image.pixels = {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
    const Image half = halve(image);
    ASSERT_EQ(1u, half.pixels.size());
    EXPECT_EQ(0xFF404040u, half.pixels[0]);
    image.width = 1;
    image.height = 4;
    const Image column = halve(image);
    EXPECT_EQ(1u, column.width);
    EXPECT_EQ(2u, column.height);
    EXPECT_EQ(0xFF000080u, column.pixels[0]);
}
