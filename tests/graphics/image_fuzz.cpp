// Fuzz harness of the image decoders (BMP, PGM/PPM, TGA, DDS, and PNG/JPEG through stb_image).
// Every image the decoders accept must hold together, and its texture levels must be makeable.
#include <cstdio>
#include <cstdlib>

#include "graphics/dxt_decode.h"
#include "graphics/image_decode.h"
#include "graphics/mip_chain.h"

namespace {

void require(bool condition, const char* what) { if (!condition) std::fprintf(stderr, "image fuzz: %s\n", what), std::abort(); }

void checkLevels(const Image& image) {
    require(image.width > 0 && image.height > 0, "an empty image");
    require(image.pixels.size() == size_t(image.width) * image.height, "pixels not per size");
    if (size_t(image.width) * image.height > 4096) return;
    const std::vector<Image> levels = mipChain(image);
    require(levels.size() == mipLevelCount(levels[0].width, levels[0].height), "short chain");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage decoded;
    if (decodeImage(data, size, decoded) != ImageStatus::Ok) return 0;
    const CompressedImage& blocks = decoded.blocks;
    require(!decoded.compressed || !blocks.levels.empty(), "no levels");
    for (uint32_t level = 0, width = blocks.width, height = blocks.height; level < blocks.levels.size();
         ++level, width = width > 1 ? width / 2 : 1, height = height > 1 ? height / 2 : 1)
        require(blocks.levels[level].size() == compressedLevelBytes(blocks.format, width, height), "level size");
    if (!decoded.compressed)
        checkLevels(decoded.image);
    else if (size_t(blocks.width) * blocks.height <= 4096)
        checkLevels(decodeBlocks(blocks.format, blocks.levels[0].data(), blocks.width, blocks.height));
    return 0;
}
