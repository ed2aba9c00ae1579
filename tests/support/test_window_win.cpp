#include "tests/support/test_window_win.h"

#include <algorithm>

#include "tests/support/window_capture_win.h"

namespace {

const char* registerClass() {
    static const char* name = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "MapwellTestWindow";
        RegisterClassA(&windowClass);
        return "MapwellTestWindow";
    }();
    return name;
}

} // namespace

TestWindow::TestWindow(int clientWidth, int clientHeight) {
    window = CreateWindowExA(0, registerClass(), "Test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, clientWidth, clientHeight, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() { DestroyWindow(window); }

Canvas::Canvas(int width, int height, uint32_t fill)
    : width(width), memory(nullptr), surface(createSurface(memory, width, height, bits)),
      selected(memory, surface) {
    std::fill(bits, bits + width * height, fill);
}

uint32_t Canvas::at(int x, int y) const {
    GdiFlush();
    return bits[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
}

std::vector<std::vector<uint32_t>> bitmapPixels(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    MemoryDc source(nullptr);
    SelectedObject shown(source, bitmap);
    const Capture capture = capturePixels(source, 0, 0, info.bmWidth, info.bmHeight);
    std::vector<std::vector<uint32_t>> rows;
    for (auto row = capture.pixels.begin(); row != capture.pixels.end(); row += capture.width)
        rows.emplace_back(row, row + capture.width);
    return rows;
}
