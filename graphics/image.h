#pragma once
// Decoded pictures for textures. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels as 0xAARRGGBB (the bytes of Direct3D's A8R8G8B8), top row first.
struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

enum class BlockFormat { Dxt1, Dxt3, Dxt5 };

// Block-compressed levels as a DDS file stores them, level 0 (largest) first.
struct CompressedImage {
    BlockFormat format = BlockFormat::Dxt1;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<std::vector<uint8_t>> levels;
};

struct DecodedImage {
    bool compressed = false;
    Image image;             // when !compressed
    CompressedImage blocks;  // when compressed
};

enum class ImageStatus { Ok, Unknown, Corrupt, TooLarge };

// Largest side and pixel count accepted from a file.
const uint32_t kMaxImageSide = 16384;
const uint64_t kMaxImagePixels = uint64_t(1) << 26;

// Bytes of one 4 x 4 block, and of a whole level.
size_t blockBytes(BlockFormat format);
size_t compressedLevelBytes(BlockFormat format, uint32_t width, uint32_t height);
