#include "tests/support/bmp_builder.h"

#include <cstdlib>

#include "tests/support/byte_writer.h"

namespace {

void putRow(ByteWriter& out, const BmpLayout& layout, size_t first) {
    const size_t start = out.size();
    if (layout.bitCount <= 8) {   // leftmost pixel in the highest bits
        std::vector<uint8_t> packed((size_t(layout.width) * layout.bitCount + 7) / 8);
        for (int x = 0; x < layout.width; ++x) {
            const int bit = x * layout.bitCount;
            packed[size_t(bit / 8)] |= uint8_t(layout.pixels[first + x] << (8 - layout.bitCount - bit % 8));
        }
        out.bytes(packed);
    } else {
        for (int x = 0; x < layout.width; ++x)
            for (int byte = 0; byte < layout.bitCount / 8; ++byte)
                out.u8(uint8_t(layout.pixels[first + x] >> (8 * byte)));
    }
    while ((out.size() - start) % 4)
        out.u8(0);
}

} // namespace

std::vector<uint8_t> buildBmp(const BmpLayout& layout) {
    ByteWriter body;
    if (layout.coreHeader) {
        body.u32(12).u16(uint16_t(layout.width)).u16(uint16_t(layout.height));
        body.u16(layout.planes).u16(layout.bitCount);
    } else {
        body.u32(40).u32(uint32_t(layout.width)).u32(uint32_t(layout.height));
        body.u16(layout.planes).u16(layout.bitCount).u32(layout.compression);
        body.u32(0);  // image size: not read
        body.u32(2835).u32(2835).u32(layout.colorsUsed).u32(0);
    }
    for (uint32_t mask : layout.masks)
        body.u32(mask);
    for (uint32_t colour : layout.palette) {  // little-endian 0x00RRGGBB is blue, green, red, 0
        body.u16(uint16_t(colour)).u8(uint8_t(colour >> 16));
        if (!layout.coreHeader)
            body.u8(0);
    }
    const size_t offBits = 14 + body.size();
    if (layout.width > 0 && !layout.pixels.empty())
        for (int y = 0; y < std::abs(layout.height); ++y)
            putRow(body, layout, size_t(y) * size_t(layout.width));
    body.bytes(layout.encoded);
    std::vector<uint8_t> bytes = body.data();
    if (layout.lastRowUnpadded)
        bytes.resize(bytes.size() - (4 - (size_t(layout.width) * layout.bitCount + 7) / 8 % 4) % 4);

    return ByteWriter().chars("BM").u32(uint32_t(14 + bytes.size())).u32(0).u32(uint32_t(offBits)).bytes(bytes).data();
}

std::vector<uint8_t> buildBmp24(int width, int height,
                                const std::function<uint32_t(int x, int y)>& colour) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    for (int row = height - 1; row >= 0; --row)  // bottom-up
        for (int x = 0; x < width; ++x)
            layout.pixels.push_back(colour(x, row));
    return buildBmp(layout);
}
