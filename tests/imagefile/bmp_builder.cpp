#include "tests/imagefile/bmp_builder.h"

#include <fstream>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putRow(std::vector<uint8_t>& out, const BmpLayout& layout, size_t first) {
    const size_t start = out.size();
    if (layout.bitCount <= 8) {
        uint8_t packed = 0;
        int used = 0;
        for (int x = 0; x < layout.width; ++x) {
            packed = uint8_t(packed | (layout.pixels[first + x] << (8 - layout.bitCount - used)));
            used += layout.bitCount;
            if (used == 8) {
                out.push_back(packed);
                packed = 0;
                used = 0;
            }
        }
        if (used)
            out.push_back(packed);
    } else {
        for (int x = 0; x < layout.width; ++x) {
            const uint32_t value = layout.pixels[first + x];
            for (int byte = 0; byte < layout.bitCount / 8; ++byte)
                out.push_back(uint8_t(value >> (8 * byte)));
        }
    }
    while ((out.size() - start) % 4)
        out.push_back(0);
}

} // namespace

std::vector<uint8_t> buildBmp(const BmpLayout& layout) {
    std::vector<uint8_t> body;
    put32(body, 40);
    put32(body, uint32_t(layout.width));
    put32(body, uint32_t(layout.height));
    put16(body, layout.planes);
    put16(body, layout.bitCount);
    put32(body, layout.compression);
    put32(body, 0);  // image size: not read
    put32(body, 2835);
    put32(body, 2835);
    put32(body, layout.colorsUsed);
    put32(body, 0);
    for (uint32_t mask : layout.masks)
        put32(body, mask);
    for (uint32_t colour : layout.palette)
        put32(body, colour);  // little-endian 0x00RRGGBB is blue, green, red, 0
    const size_t offBits = 14 + body.size();
    if (layout.width > 0 && layout.height > 0 && !layout.pixels.empty())
        for (int y = 0; y < layout.height; ++y)
            putRow(body, layout, size_t(y) * size_t(layout.width));

    std::vector<uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    put32(file, uint32_t(14 + body.size()));
    put32(file, 0);
    put32(file, uint32_t(offBits));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
