#pragma once
// Pictures to PNG files. Portable.
#include <cstdint>
#include <vector>

#include "graphics/image.h"

// The PNG file of `image` (with its alpha). Empty when the image is empty or has more pixels
// than kMaxImagePixels.
std::vector<uint8_t> encodePng(const Image& image);
