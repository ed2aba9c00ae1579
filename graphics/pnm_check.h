#pragma once
// The header of a binary PGM or PPM file (P5, P6) read the way stb_image 2.27 reads it: its
// whitespace, # comments that end at either line end, and no digit at the very last byte. The
// image checks judge such a file by these numbers, so that they see the file stb_image will
// read. Portable.
#include <cstddef>
#include <cstdint>

struct PnmHeader {
    uint64_t width = 0, height = 0, maximum = 0;   // their first nine digits
    size_t samplesStart = 0;   // after the one whitespace character that ends the header
    bool complete = false;     // each of the three numbers has a digit
    bool overlong = false;     // one has more than nine digits: stb_image's int overflows
};

// The header of a P5 or P6 file; an empty, incomplete one for every other file.
PnmHeader readPnmHeader(const uint8_t* data, size_t size);

// True when a P5 or P6 file has a width, height or maximum of more than nine digits.
inline bool hasOverlongPnmNumber(const uint8_t* data, size_t size)
{
    return readPnmHeader(data, size).overlong;
}
