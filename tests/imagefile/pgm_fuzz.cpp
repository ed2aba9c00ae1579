// Fuzz harness of the PGM reader, through a real file in the current folder, as the reader
// takes one: whatever the file, the image is exactly its plane, and a read one fits the file.
#include <cstdio>
#include <cstdlib>
#include "imagefile/pgm_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (FILE* file = std::fopen("fuzz-input.pgm", "wb"))
        std::fwrite(data, 1, size, file), std::fclose(file);
    PgmImage image;
    const int result = image.read("fuzz-input.pgm");
    const size_t pixels = size_t(image.getRows()) * size_t(image.getColumns());
    image.getPixel(image.getRows(), -1);  // clamped, never outside the plane
    if (image.greyPlane().size() != pixels || (result == 0 && (pixels == 0 || pixels > size))) {
        std::fprintf(stderr, "reader left an unsound image (result %d)\n", result);
        std::abort();
    }
    return 0;
}
