// Speed of image loading: BMP decoding (24 and 8 bits), PGM reading and the nearest-neighbour
// zoom on a 2048 x 2048 image; under Windows also the whole BMP load into device bitmaps and
// a zoom by 2 of the shown copy. Runs in the output folder given as argument.
#include "bench/best_time.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include "imagefile/bmp_decode.h"
#include "imagefile/pgm_image.h"
#include "imagefile/rgb_image.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/test_files.h"
#ifdef _WIN32
#include <windows.h>
#include "imagefile/image_bitmap_win.h"
#endif

namespace {

#ifdef _WIN32
const char* const kTree = "_wine";  // the Windows build runs under Wine here
#else
const char* const kTree = "";
#endif

constexpr int Side = 2048;


std::vector<uint8_t> bigBmp(uint16_t bits) {
    BmpLayout layout;
    layout.bitCount = bits;
    layout.width = Side;
    layout.height = Side;
    if (bits == 8)
        for (uint32_t i = 0; i < 256; ++i)
            layout.palette.push_back(i * 0x010101u);
    layout.pixels.resize(size_t(Side) * Side);
    for (size_t i = 0; i < layout.pixels.size(); ++i)
        layout.pixels[i] = bits == 8 ? uint32_t(i % 251) : uint32_t(i * 2654435761u) & 0xFFFFFF;
    return buildBmp(layout);
}

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
    const std::string header = "P5\n2048 2048\n255\n";
    pgm.assign(header.begin(), header.end());
    pgm.resize(pgm.size() + size_t(Side) * Side, 0x80);
    writeFile("bench.pgm", pgm);
    PgmImage grey;
    report("read_pgm_2048_ms", bestMilliseconds(5, [&] { ok = ok && grey.read("bench.pgm") == 0; }), "ms");

#ifdef _WIN32
    writeFile("bench.bmp", bigBmp(24));
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ImageBitmap bitmap;
    report("load_bmp24_2048_ms",
           bestMilliseconds(5, [&] { ok = ok && bitmap.loadBmp(window, "bench.bmp") && bitmap.isLoaded(); }),
           "ms");
    report("zoomed_copy2_2048_ms", bestMilliseconds(5, [&] { ok = ok && bitmap.makeZoomedCopy(2.0f) == 0; }),
           "ms");
    DestroyWindow(window);
#endif
    if (!ok) {
        std::fprintf(stderr, "image bench: an image did not load\n");
        return 1;
    }
    return 0;
}
