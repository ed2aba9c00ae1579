#pragma once
// Run-length encoded BMP pixels (RLE8 on 8 bits, RLE4 on 4 bits), unpacked to one colour index
// per byte.
#include <cstddef>
#include <cstdint>

// Unpacks `size` bytes of encoded pixels into `indices`: width x height bytes, bottom row first
// as the file stores them, which the caller zeroed (pixels the runs skip keep index 0). Runs
// and deltas that leave the image are cut at its edge; the data ends at the end-of-bitmap code,
// after the top row, or where the bytes run out.
void unpackRle(const uint8_t* data, size_t size, bool fourBits, int width, int height,
               uint8_t* indices);
