#include "imagefile/bmp_decode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "imagefile/bmp_rle.h"

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

constexpr uint32_t CompressionRle8 = 1;
constexpr uint32_t CompressionRle4 = 2;

struct InfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;    // made positive; `topDown` tells the row order
    bool topDown;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t colorsUsed;
    uint32_t tableEntrySize;   // OS/2 core headers have 3-byte colours, the others 4
};

// `p` holds at least the header's own size (12, or 40 and more).
InfoHeader readInfoHeader(const uint8_t* p) {
    InfoHeader h{};
    h.size = readU32(p);
    if (h.size == CoreHeaderSize) {
        h.width = readU16(p + 4);
        h.height = readU16(p + 6);
        h.planes = readU16(p + 8);
        h.bitCount = readU16(p + 10);
        h.tableEntrySize = 3;
        return h;
    }
    h.width = readS32(p + 4);
    const int64_t height = readS32(p + 8);
    h.topDown = height < 0;
    h.height = int32_t(std::min<int64_t>(std::abs(height), INT32_MAX));
    h.planes = readU16(p + 12);
    h.bitCount = readU16(p + 14);
    h.compression = readU32(p + 16);
    h.colorsUsed = readU32(p + 32);
    h.tableEntrySize = 4;
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

struct ColourTable {
    const uint8_t* entries;
    uint32_t count;
    uint32_t entrySize;
};

void copyTableColour(const ColourTable& table, uint32_t index, uint8_t* out) {
    if (index < table.count) { // indices past the table show black
        const uint8_t* entry = table.entries + size_t(index) * table.entrySize;
        out[0] = entry[0];
        out[1] = entry[1];
        out[2] = entry[2];
    }
}

void decodeIndexedRow(const uint8_t* row, int width, int bits, const ColourTable& table,
                      uint8_t* out) {
    if (bits == 8) { // the common case, one index per byte
        for (int x = 0; x < width; ++x, out += 3)
            copyTableColour(table, row[x], out);
        return;
    }
    const int perByte = 8 / bits;
    const unsigned indexMask = (1u << bits) - 1u;
    for (int x = 0; x < width; ++x, out += 3) {
        const uint8_t packed = row[x / perByte];
        const int shift = 8 - bits * (x % perByte + 1);
        copyTableColour(table, (packed >> shift) & indexMask, out);
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

bool isRunLength(const InfoHeader& h) {
    return (h.compression == CompressionRle8 && h.bitCount == 8) ||
           (h.compression == CompressionRle4 && h.bitCount == 4);
}

BmpStatus checkHeader(const InfoHeader& h) {
    if ((h.size != CoreHeaderSize && h.size < InfoHeaderSize) || h.planes != 1)
        return BmpStatus::BadHeader;
    if (h.width < 1 || h.width > MaxImageSide || h.height < 1 || h.height > MaxImageSide)
        return BmpStatus::BadHeader;
    if (size_t(h.width) * size_t(h.height) * 3 > MaxImageBytes)
        return BmpStatus::BadHeader;
    if (!isSupportedBitCount(h.bitCount) ||
        (h.size == CoreHeaderSize && (h.bitCount == 16 || h.bitCount == 32)))
        return BmpStatus::Unsupported;
    if (h.compression == CompressionBitFields && (h.bitCount == 16 || h.bitCount == 32))
        return BmpStatus::Ok;
    if (isRunLength(h))   // run-length rows are stored bottom-up only
        return h.topDown ? BmpStatus::BadHeader : BmpStatus::Ok;
    return h.compression == CompressionNone ? BmpStatus::Ok : BmpStatus::Unsupported;
}

// Run-length pixels: unpacked to one index a pixel, then looked up row by row.
void decodeRunLength(const uint8_t* data, size_t size, const InfoHeader& h,
                     const ColourTable& table, std::vector<uint8_t>& indices, RgbImage& image) {
    unpackRle(data, size, h.bitCount == 4, h.width, h.height, indices.data());
    for (int y = 0; y < h.height; ++y)
        decodeIndexedRow(indices.data() + size_t(y) * size_t(h.width), h.width, 8, table,
                         image.bgr.data() + size_t(y) * size_t(h.width) * 3);
}

} // namespace

bool isBmpFileHeader(const uint8_t* header, size_t size) {
    return size >= BmpFileHeaderSize && readU16(header) == BmpFileType;
}

BmpStatus decodeBmpBody(const uint8_t* body, size_t size, RgbImage& out) {
    if (size < 4)
        return BmpStatus::TooShort;
    const uint32_t headerSize = readU32(body);
    const size_t neededHeader = headerSize == CoreHeaderSize ? CoreHeaderSize : InfoHeaderSize;
    if (std::max<size_t>(neededHeader, headerSize) > size)
        return BmpStatus::TooShort;
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

    ColourTable table{body + offset, h.colorsUsed, h.tableEntrySize};
    if (h.bitCount <= 8) {
        const uint32_t indexable = 1u << h.bitCount;
        if (table.count > indexable)
            return BmpStatus::BadColourCount;
        if (table.count == 0)
            table.count = indexable;
    }
    if (table.count > (size - offset) / table.entrySize)
        return BmpStatus::TooShort;
    offset += size_t(table.count) * table.entrySize;

    RgbImage image;
    std::vector<uint8_t> indices;
    if (isRunLength(h)) {
        if (!allocateRgbImage(image, h.width, h.height) ||
            !tryZeroedBuffer(indices, size_t(h.width) * size_t(h.height)))
            return BmpStatus::OutOfMemory;
        decodeRunLength(body + offset, size - offset, h, table, indices, image);
        out = std::move(image);
        return BmpStatus::Ok;
    }

    // Rows are padded to 4 bytes; the last one may come without its pad.
    const size_t stride = (size_t(h.width) * h.bitCount + 31) / 32 * 4;
    const size_t rowBytes = (size_t(h.width) * h.bitCount + 7) / 8;
    if (rowBytes > size - offset || size_t(h.height - 1) > (size - offset - rowBytes) / stride)
        return BmpStatus::TooShort;
    if (!allocateRgbImage(image, h.width, h.height))
        return BmpStatus::OutOfMemory;
    for (int y = 0; y < h.height; ++y) {
        const uint8_t* row = body + offset + size_t(y) * stride;
        const int imageRow = h.topDown ? h.height - 1 - y : y;
        uint8_t* target = image.bgr.data() + size_t(imageRow) * size_t(h.width) * 3;
        if (h.bitCount <= 8)
            decodeIndexedRow(row, h.width, h.bitCount, table, target);
        else if (h.bitCount == 24)
            std::memcpy(target, row, size_t(h.width) * 3);
        else
            decodeMaskedRow(row, h.width, h.bitCount, layout, target);
    }
    out = std::move(image);
    return BmpStatus::Ok;
}
