#include "imagefile/bmp_decode.h"

#include <cstring>
#include <utility>

namespace {

constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t MaskBytes = 12;
constexpr uint32_t CompressionNone = 0;
constexpr uint32_t CompressionBitFields = 3;

uint16_t readU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t readU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
           (uint32_t(p[3]) << 24);
}
int32_t readS32(const uint8_t* p) {
    int32_t value;
    const uint32_t bits = readU32(p);
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct InfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t colorsUsed;
};

InfoHeader readInfoHeader(const uint8_t* p) {
    InfoHeader h;
    h.size = readU32(p);
    h.width = readS32(p + 4);
    h.height = readS32(p + 8);
    h.planes = readU16(p + 12);
    h.bitCount = readU16(p + 14);
    h.compression = readU32(p + 16);
    h.colorsUsed = readU32(p + 32);
    return h;
}

// One colour channel described by a bit mask, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0; // largest value after shifting

    explicit Channel(uint32_t bits) : mask(bits) {
        if (!mask)
            return;
        while (!((mask >> shift) & 1u))
            ++shift;
        maximum = mask >> shift;
    }
    uint8_t extract(uint32_t pixel) const {
        if (!maximum)
            return 0;
        const uint64_t value = (pixel & mask) >> shift;
        return uint8_t(value * 255u / maximum);
    }
};

struct PixelLayout {
    Channel red, green, blue;
};

bool isSupportedBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void copyTableColour(const uint8_t* table, uint32_t tableCount, uint32_t index, uint8_t* out) {
    if (index < tableCount) { // indices past the table show black
        out[0] = table[index * 4];
        out[1] = table[index * 4 + 1];
        out[2] = table[index * 4 + 2];
    }
}

void decodeIndexedRow(const uint8_t* row, int width, int bits, const uint8_t* table,
                      uint32_t tableCount, uint8_t* out) {
    if (bits == 8) { // the common case, one index per byte
        for (int x = 0; x < width; ++x, out += 3)
            copyTableColour(table, tableCount, row[x], out);
        return;
    }
    const int perByte = 8 / bits;
    const unsigned indexMask = (1u << bits) - 1u;
    for (int x = 0; x < width; ++x, out += 3) {
        const uint8_t packed = row[x / perByte];
        const int shift = 8 - bits * (x % perByte + 1);
        copyTableColour(table, tableCount, (packed >> shift) & indexMask, out);
    }
}

void decodeMaskedRow(const uint8_t* row, int width, int bits, const PixelLayout& layout,
                     uint8_t* out) {
    const int bytes = bits / 8;
    for (int x = 0; x < width; ++x, out += 3, row += bytes) {
        const uint32_t pixel = bytes == 2 ? readU16(row) : readU32(row);
        out[0] = layout.blue.extract(pixel);
        out[1] = layout.green.extract(pixel);
        out[2] = layout.red.extract(pixel);
    }
}

BmpStatus checkHeader(const InfoHeader& h) {
    if (h.size == CoreHeaderSize)
        return BmpStatus::Unsupported;
    if (h.size < InfoHeaderSize || h.planes != 1)
        return BmpStatus::BadHeader;
    if (h.width < 1 || h.width > MaxImageSide || h.height < 1 || h.height > MaxImageSide)
        return BmpStatus::BadHeader;
    if (size_t(h.width) * size_t(h.height) * 3 > MaxImageBytes)
        return BmpStatus::BadHeader;
    if (!isSupportedBitCount(h.bitCount))
        return BmpStatus::Unsupported;
    if (h.compression == CompressionBitFields && (h.bitCount == 16 || h.bitCount == 32))
        return BmpStatus::Ok;
    return h.compression == CompressionNone ? BmpStatus::Ok : BmpStatus::Unsupported;
}

} // namespace

bool isBmpFileHeader(const uint8_t* header, size_t size) {
    return size >= BmpFileHeaderSize && readU16(header) == BmpFileType;
}

BmpStatus decodeBmpBody(const uint8_t* body, size_t size, RgbImage& out) {
    if (size < 4)
        return BmpStatus::TooShort;
    const uint32_t headerSize = readU32(body);
    if (headerSize >= InfoHeaderSize && headerSize > size)
        return BmpStatus::TooShort;
    if (size < InfoHeaderSize)
        return headerSize == CoreHeaderSize ? BmpStatus::Unsupported : BmpStatus::TooShort;
    const InfoHeader h = readInfoHeader(body);
    const BmpStatus headerStatus = checkHeader(h);
    if (headerStatus != BmpStatus::Ok)
        return headerStatus;

    size_t offset = headerSize;
    PixelLayout layout{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
    if (h.bitCount == 32)
        layout = PixelLayout{Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
    if (h.compression == CompressionBitFields) {
        // Version 2 and later headers hold the masks; a 40-byte header is followed by them.
        const size_t masksAt = headerSize >= InfoHeaderSize + MaskBytes ? InfoHeaderSize : offset;
        if (masksAt == offset) {
            if (MaskBytes > size - offset)
                return BmpStatus::TooShort;
            offset += MaskBytes;
        }
        layout = PixelLayout{Channel(readU32(body + masksAt)), Channel(readU32(body + masksAt + 4)),
                             Channel(readU32(body + masksAt + 8))};
    }

    uint32_t tableCount = h.colorsUsed;
    if (h.bitCount <= 8) {
        const uint32_t indexable = 1u << h.bitCount;
        if (tableCount > indexable)
            return BmpStatus::BadColourCount;
        if (tableCount == 0)
            tableCount = indexable;
    }
    if (tableCount > (size - offset) / 4)
        return BmpStatus::TooShort;
    const uint8_t* table = body + offset;
    offset += size_t(tableCount) * 4;

    const size_t stride = (size_t(h.width) * h.bitCount + 31) / 32 * 4;
    if (stride > (size - offset) / size_t(h.height))
        return BmpStatus::TooShort;

    RgbImage image;
    if (!allocateRgbImage(image, h.width, h.height))
        return BmpStatus::OutOfMemory;
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = body + offset + size_t(y) * stride;
        uint8_t* target = image.bgr.data() + size_t(y) * size_t(h.width) * 3;
        if (h.bitCount <= 8)
            decodeIndexedRow(row, h.width, h.bitCount, table, tableCount, target);
        else if (h.bitCount == 24)
            std::memcpy(target, row, size_t(h.width) * 3);
        else
            decodeMaskedRow(row, h.width, h.bitCount, layout, target);
    }
    out = std::move(image);
    return BmpStatus::Ok;
}
