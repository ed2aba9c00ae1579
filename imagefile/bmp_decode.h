#pragma once
// Checks and decodes the body of a BMP file (everything after its 14-byte file header: info
// header, optional bit-field masks, colour table, pixels) into 24-bit pixels. Every size and
// count in the file is checked against the bytes present before it is used.
#include <cstddef>
#include <cstdint>
#include "imagefile/rgb_image.h"

constexpr size_t BmpFileHeaderSize = 14;
constexpr uint16_t BmpFileType = 0x4D42; // "BM"

enum class BmpStatus {
    Ok,
    TooShort,        // info header, masks, colour table or pixels end past the data
    BadHeader,       // info header size, planes or dimensions out of range
    Unsupported,     // bit count or compression the program does not read
    BadColourCount,  // more colours than the bit count can index
    OutOfMemory,
};

// True when the 14 bytes start with "BM".
bool isBmpFileHeader(const uint8_t* header, size_t size);

// Decodes the body. Supported: 1, 4 and 8 bits with a colour table (indices past the table
// give black), 16 bits (5-5-5, or bit fields), 24 bits, 32 bits (BGRX, or bit fields); the
// OS/2 core header (1, 4, 8 and 24 bits, 3-byte colours); rows bottom-up or top-down (negative
// height), padded to 4 bytes but for the last one; compression none, bit fields, RLE8 and
// RLE4. The pixels follow the colour table. Zero or over-large images and JPEG/PNG bodies are
// refused. `out` is written only on Ok.
BmpStatus decodeBmpBody(const uint8_t* body, size_t size, RgbImage& out);
