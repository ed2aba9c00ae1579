#pragma once
// The 2048 x 2048 BMP the image benchmarks load: noise in 24 bits, a ramp through a grey
// palette in 8 bits.
#include <cstdint>
#include <vector>
#include "tests/support/bmp_builder.h"

constexpr int Side = 2048;

inline std::vector<uint8_t> bigBmp(uint16_t bits) {
    BmpLayout layout;
    layout.bitCount = bits;
    layout.width = Side;
    layout.height = Side;
    if (bits == 8)
        for (uint32_t i = 0; i < 256; ++i)
            layout.palette.push_back(i * 0x010101u);
    layout.pixels.resize(size_t(Side) * Side);
    for (size_t i = 0; i < layout.pixels.size(); ++i)
        layout.pixels[i] = bits == 8 ? uint32_t(i % 251) : uint32_t(i * 2654435761u) & 0xFFFFFF;
    return buildBmp(layout);
}
