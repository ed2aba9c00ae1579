#include "imagefile/picture_decode.h"

#include <new>

#include "base/file_names.h"
#include "graphics/dxt_decode.h"
#include "graphics/image_decode.h"

bool isPictureFileName(const char* path)
{
    for (const char* ending : {".png", ".jpg", ".jpeg", ".tga", ".dds"})
        if (nameEndsWith(path, ending))
            return true;
    return false;
}

bool decodePicture(const uint8_t* data, size_t size, RgbImage& out)
{
    try {
        DecodedImage decoded;
        if (decodeImage(data, size, decoded) != ImageStatus::Ok)
            return false;
        if (decoded.compressed) {
            const CompressedImage& blocks = decoded.blocks;
            decoded.image = decodeBlocks(blocks.format, blocks.levels[0].data(), blocks.width,
                                         blocks.height);
        }
        const Image& image = decoded.image;
        RgbImage rgb;
        if (!allocateRgbImage(rgb, int(image.width), int(image.height)))
            return false;
        for (uint32_t y = 0; y < image.height; ++y) {
            const uint32_t* row = &image.pixels[size_t(image.height - 1 - y) * image.width];
            uint8_t* target = &rgb.bgr[size_t(y) * image.width * 3];
            for (uint32_t x = 0; x < image.width; ++x) {
                target[3 * x] = uint8_t(row[x]);
                target[3 * x + 1] = uint8_t(row[x] >> 8);
                target[3 * x + 2] = uint8_t(row[x] >> 16);
            }
        }
        out = std::move(rgb);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
