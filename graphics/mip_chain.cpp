#include "graphics/mip_chain.h"

#include <cmath>

namespace {

uint32_t channelAt(uint32_t pixel, int shift) { return pixel >> shift & 0xFF; }

}  // namespace

uint32_t mipLevelCount(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    for (uint32_t side = width > height ? width : height; side > 1; side /= 2) ++levels;
    return levels;
}

uint32_t nextPowerOfTwo(uint32_t n) {
    uint32_t power = 1;
    while (power < n) power *= 2;
    return power;
}

Image resample(const Image& image, uint32_t width, uint32_t height) {
    if (image.width == width && image.height == height) return image;
    Image out;
    out.width = width;
    out.height = height;
    out.hasAlpha = image.hasAlpha;
    out.pixels.resize(size_t(width) * height);
    const float scaleX = float(image.width) / width, scaleY = float(image.height) / height;
    for (uint32_t y = 0; y < height; ++y) {
        // Sample at the centre of the target pixel, clamped to the source's pixel centres.
        const float sy = std::fmin(std::fmax((y + 0.5f) * scaleY - 0.5f, 0.0f), image.height - 1.0f);
        const uint32_t y0 = uint32_t(sy), y1 = y0 + 1 < image.height ? y0 + 1 : y0;
        const float fy = sy - y0;
        for (uint32_t x = 0; x < width; ++x) {
            const float sx = std::fmin(std::fmax((x + 0.5f) * scaleX - 0.5f, 0.0f), image.width - 1.0f);
            const uint32_t x0 = uint32_t(sx), x1 = x0 + 1 < image.width ? x0 + 1 : x0;
            const float fx = sx - x0;
            const uint32_t* row0 = &image.pixels[size_t(y0) * image.width];
            const uint32_t* row1 = &image.pixels[size_t(y1) * image.width];
            uint32_t pixel = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const float top = channelAt(row0[x0], shift) * (1 - fx) + channelAt(row0[x1], shift) * fx;
                const float bottom = channelAt(row1[x0], shift) * (1 - fx) + channelAt(row1[x1], shift) * fx;
                pixel |= uint32_t(top * (1 - fy) + bottom * fy + 0.5f) << shift;
            }
            out.pixels[size_t(y) * width + x] = pixel;
        }
    }
    return out;
}

Image halve(const Image& image) {
    Image out;
    out.width = image.width > 1 ? image.width / 2 : 1;
    out.height = image.height > 1 ? image.height / 2 : 1;
    out.hasAlpha = image.hasAlpha;
    out.pixels.resize(size_t(out.width) * out.height);
    const uint32_t stepX = image.width > 1 ? 2 : 1, stepY = image.height > 1 ? 2 : 1;
    for (uint32_t y = 0; y < out.height; ++y)
        for (uint32_t x = 0; x < out.width; ++x) {
            uint32_t sums[4] = {0, 0, 0, 0};
            for (uint32_t dy = 0; dy < stepY; ++dy)
                for (uint32_t dx = 0; dx < stepX; ++dx) {
                    const uint32_t p =
                        image.pixels[size_t(y * stepY + dy) * image.width + x * stepX + dx];
                    for (int c = 0; c < 4; ++c) sums[c] += channelAt(p, 8 * c);
                }
            const uint32_t count = stepX * stepY;
            uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c) pixel |= (sums[c] + count / 2) / count << (8 * c);
            out.pixels[size_t(y) * out.width + x] = pixel;
        }
    return out;
}

std::vector<Image> mipChain(const Image& image) {
    std::vector<Image> levels;
    levels.push_back(resample(image, nextPowerOfTwo(image.width), nextPowerOfTwo(image.height)));
    while (levels.back().width > 1 || levels.back().height > 1) levels.push_back(halve(levels.back()));
    return levels;
}
