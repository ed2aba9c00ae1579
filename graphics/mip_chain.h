#pragma once
// Texture levels from one picture. Portable.
#include <vector>

#include "graphics/image.h"

// Levels of a full chain for a width x height level 0: down to 1 x 1.
uint32_t mipLevelCount(uint32_t width, uint32_t height);

// The smallest power of two not below n (1 for 0).
uint32_t nextPowerOfTwo(uint32_t n);

// Bilinear resampling to width x height (both at least 1).
Image resample(const Image& image, uint32_t width, uint32_t height);

// Half the size, each pixel the mean of the 2 x 2 (or 2 x 1) pixels it covers.
Image halve(const Image& image);

// Level 0 resampled up to power-of-two sides, then each level half the one before, down to 1 x 1.
std::vector<Image> mipChain(const Image& image);
