#pragma once
// Image files to pixels: BMP (1, 4, 8, 16, 24, 32 bits, bottom-up or top-down), TGA, PNG,
// JPEG, binary PGM and PPM, and DDS (DXT1, DXT3, DXT5 kept compressed; 32-bit RGB).
// Portable. Never reads outside data[0, size).
#include "graphics/image.h"

// Unknown: not a format we read. Corrupt: truncated or inconsistent. TooLarge: sides or pixel
// count past the limits of image.h.
ImageStatus decodeImage(const uint8_t* data, size_t size, DecodedImage& out);

// The two decoders behind it.
ImageStatus decodeDds(const uint8_t* data, size_t size, DecodedImage& out);
ImageStatus decodeWithStb(const uint8_t* data, size_t size, Image& out);
