#include "graphics/image_size_check.h"
#include "graphics/pnm_check.h"

#include <cstring>

namespace {

const uint64_t kSideLimit = uint64_t(1) << 24;

uint32_t readU16(const uint8_t* at) { return uint32_t(at[0]) | uint32_t(at[1]) << 8; }
uint32_t readU32(const uint8_t* at) { return readU16(at) | readU16(at + 2) << 16; }

bool isShortBmp(const uint8_t* data, size_t size) {
    // File header (14) and at least the 12-byte core header.
    if (size < 26) return true;
    const uint32_t offset = readU32(data + 10), headerSize = readU32(data + 14);
    uint64_t width, height, bits, compression = 0;
    if (headerSize == 12) {
        width = readU16(data + 18);
        height = readU16(data + 20);
        bits = readU16(data + 24);
    } else {
        if (size < 34) return true;
        const int32_t signedHeight = int32_t(readU32(data + 22));
        width = readU32(data + 18);
        height = signedHeight < 0 ? uint64_t(-int64_t(signedHeight)) : uint64_t(signedHeight);
        bits = readU16(data + 28);
        compression = readU32(data + 30);
    }
    // Past these sides stb_image refuses the file anyway; below them nothing overflows.
    if ((compression != 0 && compression != 3) || width > kSideLimit || height > kSideLimit)
        return false;
    const uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    return uint64_t(size) < uint64_t(offset) + rowBytes * height;
}

bool isShortPnm(const uint8_t* data, size_t size) {
    const PnmHeader header = readPnmHeader(data, size);
    // stb_image 2.27 converts 16-bit samples past the end of its buffer: not taken.
    if (!header.complete || header.maximum > 255) return true;
    const uint64_t channels = data[1] == '6' ? 3 : 1;
    return uint64_t(size) < header.samplesStart + header.width * header.height * channels;
}

uint32_t readBigU32(const uint8_t* at) {
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

// A PNG is whole when its chunks, each length + 12 bytes, reach a complete IEND.
bool isShortPng(const uint8_t* data, size_t size) {
    size_t at = 8;
    while (size - at >= 12) {
        const size_t length = readBigU32(data + at);
        if (length > size - at - 12) return true;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) return false;
        at += length + 12;
    }
    return true;
}

// A TGA holds its pixels raw or in run-length packets of at most 128 pixels, each at least a
// count byte and one pixel; a file too short for its sides would otherwise be decoded whole
// from nothing (a 29-byte file can claim 66 million pixels).
bool isShortTga(const uint8_t* data, size_t size) {
    if (size < 18) return true;
    const uint32_t type = data[2], bytesPerPixel = (data[16] + 7u) / 8u;
    const uint64_t colourMapBytes = data[1] ? uint64_t(readU16(data + 5)) * ((data[7] + 7u) / 8u) : 0;
    const uint64_t pixels = uint64_t(readU16(data + 12)) * readU16(data + 14);
    const uint64_t pixelBytes = pixels * bytesPerPixel;
    const uint64_t needed = type >= 9 ? (pixels + 127) / 128 * (1 + bytesPerPixel) : pixelBytes;
    return uint64_t(size) < 18 + data[0] + colourMapBytes + needed;
}

}  // namespace

bool isIncompleteOrUnsupported(const uint8_t* data, size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return isShortBmp(data, size);
    if (size >= 2 && data[0] == 'P' && (data[1] == '5' || data[1] == '6'))
        return isShortPnm(data, size);
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return isShortPng(data, size);
    // TGA is the one format here without a signature: what stb_image took and is none of the
    // others is a TGA.
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return false;
    return isShortTga(data, size);
}
