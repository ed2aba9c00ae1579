#include "tests/support/test_window_win.h"

namespace {

LRESULT CALLBACK testWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        PaintDc dc(window);
        FillRect(dc, &dc.area(), static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (self->painter)
            self->painter(dc);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* registerClass() {
    static const char* name = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = testWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MapwellTestWindow";
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&windowClass);
        return "MapwellTestWindow";
    }();
    return name;
}

} // namespace

TestWindow::TestWindow(int clientWidth, int clientHeight) {
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    window = CreateWindowExA(0, registerClass(), "Test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestWindow::~TestWindow() {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

Canvas::Canvas(int width, int height, uint32_t fill) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    memory = MemoryDc(nullptr);
    surface.reset(CreateDIBSection(memory, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    bits = static_cast<uint32_t*>(pixels);
    selected = SelectedObject(memory, surface);
    for (int i = 0; i < width * height; ++i)
        bits[i] = fill;
}

uint32_t Canvas::at(int x, int y) const {
    GdiFlush();
    return bits[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
}

std::vector<std::vector<uint32_t>> bitmapPixels(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    Canvas canvas(info.bmWidth, info.bmHeight, 0x00FF00FF);
    {
        MemoryDc source(canvas.dc());
        SelectedObject shown(source, bitmap);
        BitBlt(canvas.dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    }
    std::vector<std::vector<uint32_t>> rows(static_cast<size_t>(info.bmHeight));
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x)
            rows[size_t(y)].push_back(canvas.at(x, y));
    return rows;
}
