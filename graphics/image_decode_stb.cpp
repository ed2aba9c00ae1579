// BMP, TGA, PNG, JPEG, PGM and PPM through stb_image (Debian's libstb-dev), from memory only.
#include "graphics/image_decode.h"
#include "graphics/image_size_check.h"
#include "graphics/jpeg_check.h"
#include "graphics/pnm_check.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNM
#define STBI_MAX_DIMENSIONS 16384
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

static_assert(STBI_MAX_DIMENSIONS == kMaxImageSide, "one limit for every format");

ImageStatus decodeWithStb(const uint8_t* data, size_t size, Image& out) {
    out = Image();
    if (size == 0 || size > size_t(INT_MAX)) return size ? ImageStatus::TooLarge : ImageStatus::Unknown;
    if (hasOversizedHuffmanTable(data, size) || hasOverlongPnmNumber(data, size))
        return ImageStatus::Corrupt;
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels))
        return ImageStatus::Unknown;
    // stb_image's info gives a top-down BMP's height as negative, as the file has it.
    if (height < 0 && height != INT_MIN) height = -height;
    if (width <= 0 || height <= 0 || isIncompleteOrUnsupported(data, size)) return ImageStatus::Corrupt;
    if (uint64_t(width) * uint64_t(height) > kMaxImagePixels) return ImageStatus::TooLarge;
    stbi_uc* rgba = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (!rgba) return ImageStatus::Corrupt;
    out.width = uint32_t(width);
    out.height = uint32_t(height);
    out.hasAlpha = channels == 2 || channels == 4;
    out.pixels.resize(size_t(width) * size_t(height));
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        const stbi_uc* p = rgba + 4 * i;
        out.pixels[i] = uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    stbi_image_free(rgba);
    return ImageStatus::Ok;
}
