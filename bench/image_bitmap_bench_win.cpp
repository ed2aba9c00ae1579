// Speed of the pane's bitmap under Windows: the whole BMP load into device bitmaps and a zoom
// by 2 of the shown copy, on a 2048 x 2048 image. Runs in the output folder given as argument.
#include <windows.h>
#include <cstdio>
#include <filesystem>
#include "bench/best_time.h"
#include "bench/big_bmp.h"
#include "imagefile/image_bitmap_win.h"
#include "tests/support/test_files.h"

int main(int argc, char** argv) {
    if (argc > 1)
        std::filesystem::current_path(argv[1]);
    writeFile("bench.bmp", bigBmp(24));
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ImageBitmap bitmap;
    bool ok = true;
    std::printf("image.load_bmp24_2048_ms_wine: %.2f ms\n", bestMilliseconds(5, [&] {
        ok = ok && bitmap.loadBmp(window, "bench.bmp") && bitmap.isLoaded();
    }));
    std::printf("image.zoomed_copy2_2048_ms_wine: %.2f ms\n",
                bestMilliseconds(5, [&] { ok = ok && bitmap.makeZoomedCopy(2.0f) == 0; }));
    DestroyWindow(window);
    if (!ok) {
        std::fprintf(stderr, "image bitmap bench: the bitmap did not load\n");
        return 1;
    }
    return 0;
}
