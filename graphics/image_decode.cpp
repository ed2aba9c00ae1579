#include "graphics/image_decode.h"

#include <cstring>

size_t blockBytes(BlockFormat format) { return format == BlockFormat::Dxt1 ? 8 : 16; }

size_t compressedLevelBytes(BlockFormat format, uint32_t width, uint32_t height) {
    const size_t columns = (size_t(width) + 3) / 4, rows = (size_t(height) + 3) / 4;
    return (columns ? columns : 1) * (rows ? rows : 1) * blockBytes(format);
}

ImageStatus decodeImage(const uint8_t* data, size_t size, DecodedImage& out) {
    out = DecodedImage();
    if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0) return decodeDds(data, size, out);
    return decodeWithStb(data, size, out.image);
}
