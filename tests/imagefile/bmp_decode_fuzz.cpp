// Fuzz harness of the BMP decoder.
#include <cstdio>
#include <cstdlib>
#include "imagefile/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!isBmpFileHeader(data, size))
        return 0;
    RgbImage image;
    if (decodeBmpBody(data + BmpFileHeaderSize, size - BmpFileHeaderSize, image) != BmpStatus::Ok)
        return 0;
    // What every decoded image must be: a sane size and exactly its pixels.
    const bool sound = image.width >= 1 && image.width <= MaxImageSide && image.height >= 1 &&
                       image.height <= MaxImageSide &&
                       image.bgr.size() == size_t(image.width) * size_t(image.height) * 3;
    if (!sound) {
        std::fprintf(stderr, "decoder produced an unsound image\n");
        std::abort();
    }
    return 0;
}
