// Fuzz harness of the BMP decoder: every image it decodes has a sane size and exactly its pixels.
#include <cstdio>
#include <cstdlib>
#include "imagefile/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RgbImage image;
    if (!isBmpFileHeader(data, size) ||
        decodeBmpBody(data + BmpFileHeaderSize, size - BmpFileHeaderSize, image) != BmpStatus::Ok)
        return 0;
    if (image.width < 1 || image.width > MaxImageSide || image.height < 1 || image.height > MaxImageSide ||
        image.bgr.size() != size_t(image.width) * size_t(image.height) * 3) {
        std::fprintf(stderr, "decoder produced an unsound image\n");
        std::abort();
    }
    return 0;
}
