#pragma once
// The image seeds make_image_seeds.py writes: where they are and what they show.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/tree_paths.h"

inline std::string imageSeed(const std::string& name) { return sourcePath("tests/graphics/image_seeds/" + name); }

const std::vector<uint32_t> kTwo = {0x000000, 0xFFFFFF}, kFour = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF},
                            kMany = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x123456, 0xABCDEF},
                            kGreys = {0x000000, 0x808080, 0xFFFFFF, 0x202020};

// The 5 x 3 seeds show pixel (x, y) in colours[(x + 2 * y) % colours.size()], opaque.
inline std::vector<uint32_t> seedPattern(const std::vector<uint32_t>& colours) {
    std::vector<uint32_t> pixels;
    for (size_t y = 0; y < 3; ++y)
        for (size_t x = 0; x < 5; ++x) pixels.push_back(colours[(x + 2 * y) % colours.size()] | 0xFF000000);
    return pixels;
}

const std::vector<std::pair<std::string, std::vector<uint32_t>>> kPatternSeeds = {
    {"bmp1.bmp", kTwo}, {"bmp4.bmp", kFour}, {"bmp8.bmp", kMany}, {"bmp16.bmp", kFour}, {"bmp24.bmp", kMany},
    {"bmp32.bmp", kMany}, {"grey.pgm", kGreys}, {"colour.ppm", kFour}, {"image.tga", kMany}, {"image.png", kMany}};
