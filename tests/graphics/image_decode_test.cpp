// Image files decoded to pixels: the seeds of every format and depth (make_image_seeds.py),
// hostile and truncated files, DXT blocks and texture levels.
#include "graphics/image_decode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "graphics/dxt_decode.h"
#include "graphics/mip_chain.h"
#include "tests/graphics/image_seeds.h"
#include "tests/support/test_files.h"

namespace {

// Decodes the file's first `length` bytes from a buffer of exactly that size, so that the
// sanitizers see any read past them.
ImageStatus decode(const std::string& path, DecodedImage& out, size_t length = SIZE_MAX) {
    const std::vector<uint8_t> bytes = readFileBytes(path);
    length = std::min(length, bytes.size());
    std::unique_ptr<uint8_t[]> copy(new uint8_t[length ? length : 1]);
    if (length) std::memcpy(copy.get(), bytes.data(), length);
    return decodeImage(copy.get(), length, out);
}

DecodedImage decodeSeed(const std::string& name) {
    DecodedImage decoded;
    EXPECT_EQ(ImageStatus::Ok, decode(imageSeed(name), decoded)) << name;
    return decoded;
}

// The first column of a decoded 4 x 4 block, each pixel shifted right by `shift`.
std::vector<uint32_t> column(const Image& image, int shift) {
    return {image.pixels[0] >> shift, image.pixels[4] >> shift, image.pixels[8] >> shift, image.pixels[12] >> shift};
}

}  // namespace

TEST(ImageDecode, EverySeedFormatAndDepthGivesItsPixels) {
    for (const auto& [name, colours] : kPatternSeeds) {
        const DecodedImage decoded = decodeSeed(name);
        EXPECT_EQ(std::make_pair(5u, 3u), std::make_pair(decoded.image.width, decoded.image.height)) << name;
        EXPECT_EQ(seedPattern(colours), decoded.image.pixels) << name;
        EXPECT_EQ(name == "bmp32.bmp", decoded.image.hasAlpha) << name;  // a 32-bit BMP has an alpha channel
    }
    EXPECT_EQ((std::vector<uint32_t>{0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x10203040}), decodeSeed("rgba.dds").image.pixels);
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF203040}), decodeSeed("rgb.dds").image.pixels);
    EXPECT_EQ(256u, decodeSeed("image.jpg").image.pixels.size());  // lossy: the texture suite loads it
    // DDS blocks stay compressed, with the levels of their chain: four in the file, three in a
    // 4 x 4 chain.
    const std::vector<uint8_t> file = readFileBytes(imageSeed("dxt1.dds")), level(file.begin() + 128, file.begin() + 136);
    const DecodedImage dxt1 = decodeSeed("dxt1.dds"), dxt5 = decodeSeed("dxt5.dds");
    EXPECT_TRUE(dxt1.compressed);
    EXPECT_EQ(std::make_pair(BlockFormat::Dxt1, std::vector<std::vector<uint8_t>>(3, level)),
              std::make_pair(dxt1.blocks.format, dxt1.blocks.levels));
    EXPECT_EQ(std::make_tuple(BlockFormat::Dxt5, 3u, 2u), std::make_tuple(dxt5.blocks.format, dxt5.blocks.width, dxt5.blocks.height));
}

TEST(ImageDecode, DxtBlocksDecodeToTheirColoursAndAlpha) {
    // Four colours, red, blue and the thirds between them, one index a row; DXT3 adds explicit
    // 4-bit alpha (low nibble first), DXT5 alpha 255 and 0 interpolated in sevenths.
    std::vector<uint8_t> dxt1 = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x55, 0xAA, 0xFF}, dxt3 = {0x0F, 0xF0, 0, 0, 0x0F, 0, 0, 0},
                         dxt5 = {255, 0, 0x88, 0, 0, 0, 0, 0}, three = {0x1F, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF};
    dxt3.insert(dxt3.end(), dxt1.begin(), dxt1.end());
    dxt5.insert(dxt5.end(), dxt1.begin(), dxt1.end());
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}), column(decodeBlocks(BlockFormat::Dxt1, dxt1.data(), 4, 4), 0));
    EXPECT_EQ((std::vector<uint32_t>{0xFF, 0, 0xFF, 0}), column(decodeBlocks(BlockFormat::Dxt3, dxt3.data(), 4, 4), 24));
    const Image image = decodeBlocks(BlockFormat::Dxt5, dxt5.data(), 3, 2);
    ASSERT_EQ(6u, image.pixels.size());
    EXPECT_EQ((std::vector<uint32_t>{255, 0, 6 * 255 / 7}),
              (std::vector<uint32_t>{image.pixels[0] >> 24, image.pixels[1] >> 24, image.pixels[2] >> 24}));
    // Three-colour mode (c0 <= c1): index 3 is transparent black.
    EXPECT_EQ(0u, decodeBlocks(BlockFormat::Dxt1, three.data(), 4, 4).pixels[5]);
}

TEST(ImageDecode, EveryHostileSeedGivesTheStatusItsNameStartsWith) {
    const std::map<std::string, ImageStatus> statuses = {{"ok", ImageStatus::Ok}, {"unknown", ImageStatus::Unknown},
                                                         {"corrupt", ImageStatus::Corrupt}, {"toolarge", ImageStatus::TooLarge}};
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(imageSeed(""))) {
        const std::string name = entry.path().filename().string();
        const auto expected = statuses.find(name.substr(0, name.find('-')));
        if (expected == statuses.end()) continue;
        DecodedImage decoded;
        EXPECT_EQ(expected->second, decode(entry.path().string(), decoded)) << name;
        ++files;
    }
    EXPECT_GT(files, 5u) << "the seed folder was not found";
}

TEST(ImageDecode, EveryPrefixOfAStrictFormatFails) {
    std::vector<std::string> names = {"rgba.dds", "dxt5.dds"};
    for (const auto& seed : kPatternSeeds)
        names.push_back(seed.first);
    for (const std::string& name : names)
        for (size_t length = 0, size = readFileBytes(imageSeed(name)).size(); length < size; ++length) {
            DecodedImage decoded;
            EXPECT_NE(ImageStatus::Ok, decode(imageSeed(name), decoded, length)) << name << ", prefix of " << length << " bytes";
        }
}

TEST(MipChain, LevelsScaleToPowersOfTwoThenHalveByRoundedMeans) {
    EXPECT_EQ((std::vector<uint32_t>{1, 8, 8, 4, 1}),
              (std::vector<uint32_t>{nextPowerOfTwo(0), nextPowerOfTwo(5), nextPowerOfTwo(8), mipLevelCount(8, 2), mipLevelCount(1, 1)}));
    Image image{5, 3, false, seedPattern(kMany)};
    const std::vector<Image> levels = mipChain(image);
    std::vector<std::pair<uint32_t, uint32_t>> sides;
    for (const Image& level : levels)
        sides.emplace_back(level.width, level.height);
    EXPECT_EQ((std::vector<std::pair<uint32_t, uint32_t>>{{8, 4}, {4, 2}, {2, 1}, {1, 1}}), sides);
    // Corners keep their colours when scaled up.
    EXPECT_EQ(std::make_pair(image.pixels[0], image.pixels[14]), std::make_pair(levels[0].pixels[0], levels[0].pixels[31]));
    image = {2, 2, false, {0xFF000000, 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}};
    EXPECT_EQ(std::vector<uint32_t>{0xFF404040}, halve(image).pixels);
    image.width = 1, image.height = 4;  // a one-wide side stays
    const Image half = halve(image);
    EXPECT_EQ(std::make_tuple(1u, 2u, 0xFF000080u), std::make_tuple(half.width, half.height, half.pixels.at(0)));
}
