// PNG writing through stb_image_write (Debian's libstb-dev), to memory only.
#include "graphics/png_write.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

void append(void* context, void* data, int size)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    const auto* begin = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), begin, begin + size);
}

} // namespace

std::vector<uint8_t> encodePng(const Image& image)
{
    std::vector<uint8_t> png;
    const uint64_t pixels = uint64_t(image.width) * image.height;
    if (pixels == 0 || pixels > kMaxImagePixels || image.pixels.size() != pixels)
        return png;
    std::vector<uint8_t> rgba(size_t(pixels) * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t argb = image.pixels[i];
        rgba[4 * i] = uint8_t(argb >> 16);
        rgba[4 * i + 1] = uint8_t(argb >> 8);
        rgba[4 * i + 2] = uint8_t(argb);
        rgba[4 * i + 3] = uint8_t(argb >> 24);
    }
    if (!stbi_write_png_to_func(append, &png, int(image.width), int(image.height), 4, rgba.data(),
                                int(image.width) * 4))
        png.clear();
    return png;
}
