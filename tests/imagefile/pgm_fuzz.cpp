// Fuzz harness of the PGM reader, through a real file as the reader takes one. Built with
// libFuzzer (MAPWELL_LIBFUZZER defined) it is a fuzz target; built plainly it replays the
// ".pgm" seeds of the folder given as argument.
#include <cstdio>
#include <cstdlib>
#include "imagefile/pgm_image.h"
#include "tests/support/fuzz_replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (FILE* file = std::fopen("fuzz-input.pgm", "wb")) {
        if (size)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    PgmImage image;
    const int result = image.read("fuzz-input.pgm");
    const size_t pixels = size_t(image.getRows()) * size_t(image.getColumns());
    const bool sound = image.greyPlane().size() == pixels &&
                       (result != 0 || (pixels > 0 && pixels <= size));
    if (!sound) {
        std::fprintf(stderr, "reader left an unsound image (result %d)\n", result);
        std::abort();
    }
    image.getPixel(image.getRows(), -1);  // clamped, never outside the plane
    return 0;
}

#ifndef MAPWELL_LIBFUZZER
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    return replaySeedFolder(argv[1], ".pgm");
}
#endif
