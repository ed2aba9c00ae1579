// Speed of image loading: BMP decoding (24 and 8 bits), PGM reading and the nearest-neighbour
// zoom on a 2048 x 2048 image (image_bitmap_bench_win.cpp measures the load into device
// bitmaps). Runs in the output folder given as argument.
#include "bench/best_time.h"
#include "bench/big_bmp.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include "imagefile/bmp_decode.h"
#include "imagefile/pgm_image.h"
#include "imagefile/rgb_image.h"
#include "tests/support/test_files.h"

namespace {

#ifdef _WIN32
const char* const kTree = "_wine";  // the Windows build runs under Wine here
#else
const char* const kTree = "";
#endif

void report(const char* name, double value, const char* unit) {
    std::printf("image.%s%s: %.2f %s\n", name, kTree, value, unit);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        std::filesystem::current_path(argv[1]);
    bool ok = true;
    for (uint16_t bits : {uint16_t(24), uint16_t(8)}) {
        const std::vector<uint8_t> file = bigBmp(bits);
        RgbImage image;
        const double ms = bestMilliseconds(5, [&] {
            ok = ok && decodeBmpBody(file.data() + BmpFileHeaderSize,
                                     file.size() - BmpFileHeaderSize, image) == BmpStatus::Ok;
        });
        report(bits == 24 ? "decode_bmp24_2048_ms" : "decode_bmp8_2048_ms", ms, "ms");
    }

    RgbImage source;
    ok = ok && allocateRgbImage(source, Side, Side);
    RgbImage zoomed;
    report("zoom2_2048_ms", bestMilliseconds(5, [&] { ok = ok && zoomNearest(source, Side * 2, Side * 2, zoomed); }),
           "ms");

    std::vector<uint8_t> pgm;
    const std::string header = "P5\n2048 2048\n255\n";  // Side x Side
    pgm.assign(header.begin(), header.end());
    pgm.resize(pgm.size() + size_t(Side) * Side, 0x80);
    writeFile("bench.pgm", pgm);
    PgmImage grey;
    report("read_pgm_2048_ms", bestMilliseconds(5, [&] { ok = ok && grey.read("bench.pgm") == 0; }), "ms");

    if (!ok) {
        std::fprintf(stderr, "image bench: an image did not load\n");
        return 1;
    }
    return 0;
}
