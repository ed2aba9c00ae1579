// DDS files: DXT1, DXT3 and DXT5 levels kept as blocks; uncompressed 32-bit RGB(A) level 0.
#include <cstring>

#include "graphics/image_decode.h"
#include "graphics/mip_chain.h"

namespace {

const size_t kHeaderBytes = 128;  // "DDS " and the 124-byte surface description
const uint32_t kFlagMipMapCount = 0x20000;
const uint32_t kPixelAlpha = 0x1, kPixelFourCc = 0x4, kPixelRgb = 0x40;

uint32_t readU32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

struct DdsHeader {
    uint32_t flags, height, width, mipMapCount;
    uint32_t pixelFlags, fourCc, bitCount, redMask, greenMask, blueMask, alphaMask;
};

DdsHeader readHeader(const uint8_t* data) {
    return {readU32(data + 8),  readU32(data + 12), readU32(data + 16), readU32(data + 28),
            readU32(data + 80), readU32(data + 84), readU32(data + 88), readU32(data + 92),
            readU32(data + 96), readU32(data + 100), readU32(data + 104)};
}

uint32_t fourCc(const char* code) { return readU32(reinterpret_cast<const uint8_t*>(code)); }

ImageStatus readBlocks(const uint8_t* data, size_t size, const DdsHeader& header,
                       BlockFormat format, CompressedImage& out) {
    out.format = format;
    out.width = header.width;
    out.height = header.height;
    uint32_t levels = (header.flags & kFlagMipMapCount) ? header.mipMapCount : 1;
    const uint32_t fullChain = mipLevelCount(header.width, header.height);
    if (levels == 0) levels = 1;
    if (levels > fullChain) levels = fullChain;
    size_t offset = kHeaderBytes;
    uint32_t width = header.width, height = header.height;
    for (uint32_t level = 0; level < levels; ++level) {
        const size_t bytes = compressedLevelBytes(format, width, height);
        if (bytes > size - offset) return ImageStatus::Corrupt;
        out.levels.emplace_back(data + offset, data + offset + bytes);
        offset += bytes;
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    return ImageStatus::Ok;
}

// Moves a masked channel to 8 bits at `shift` (a mask narrower than 8 bits is widened).
uint32_t channel(uint32_t value, uint32_t mask, int shift) {
    if (mask == 0) return 0;
    int low = 0;
    while (!(mask >> low & 1)) ++low;
    const uint32_t maximum = mask >> low;
    return ((value & mask) >> low) * 255 / maximum << shift;
}

ImageStatus readRgb32(const uint8_t* data, size_t size, const DdsHeader& header, Image& out) {
    const size_t pixels = size_t(header.width) * header.height;
    if (pixels > (size - kHeaderBytes) / 4) return ImageStatus::Corrupt;
    out.width = header.width;
    out.height = header.height;
    out.hasAlpha = (header.pixelFlags & kPixelAlpha) && header.alphaMask;
    out.pixels.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t value = readU32(data + kHeaderBytes + 4 * i);
        const uint32_t alpha = out.hasAlpha ? channel(value, header.alphaMask, 24) : 0xFF000000;
        out.pixels[i] = alpha | channel(value, header.redMask, 16) |
                        channel(value, header.greenMask, 8) | channel(value, header.blueMask, 0);
    }
    return ImageStatus::Ok;
}

}  // namespace

ImageStatus decodeDds(const uint8_t* data, size_t size, DecodedImage& out) {
    out = DecodedImage();
    if (size < kHeaderBytes || std::memcmp(data, "DDS ", 4) != 0 || readU32(data + 4) != 124)
        return size < kHeaderBytes ? ImageStatus::Corrupt : ImageStatus::Unknown;
    const DdsHeader header = readHeader(data);
    if (header.width == 0 || header.height == 0) return ImageStatus::Corrupt;
    if (header.width > kMaxImageSide || header.height > kMaxImageSide ||
        uint64_t(header.width) * header.height > kMaxImagePixels)
        return ImageStatus::TooLarge;
    if (header.pixelFlags & kPixelFourCc) {
        out.compressed = true;
        if (header.fourCc == fourCc("DXT1"))
            return readBlocks(data, size, header, BlockFormat::Dxt1, out.blocks);
        if (header.fourCc == fourCc("DXT3"))
            return readBlocks(data, size, header, BlockFormat::Dxt3, out.blocks);
        if (header.fourCc == fourCc("DXT5"))
            return readBlocks(data, size, header, BlockFormat::Dxt5, out.blocks);
        return ImageStatus::Unknown;
    }
    if ((header.pixelFlags & kPixelRgb) && header.bitCount == 32)
        return readRgb32(data, size, header, out.image);
    return ImageStatus::Unknown;
}
