#pragma once
// Whether a BMP, binary PNM or PNG file is complete and one we let stb_image read. stb_image
// takes the missing end of such files as zeros or does not look for it; we refuse them
// instead. Portable.
#include <cstddef>
#include <cstdint>

// True for an uncompressed BMP (BI_RGB or BI_BITFIELDS) or a P5/P6 file that ends before its
// last pixel, a P5/P6 file with 16-bit samples, a PNG that ends before its complete IEND
// chunk, and a TGA too short to hold its sides' pixels; false for complete files and JPEG.
bool isIncompleteOrUnsupported(const uint8_t* data, size_t size);
