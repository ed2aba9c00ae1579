#include "tests/support/window_capture_win.h"

#include "base/device_context_win.h"
#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"

int Capture::count(uint32_t colour, int x0, int y0, int x1, int y1) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (contains(x, y) && at(x, y) == colour)
                ++n;
    return n;
}

void pumpMessages(int milliseconds)
{
    DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (int(end - GetTickCount()) > 0);
}

namespace {

// Copies `width` x `height` pixels at (x, y) of `source` through a top-down 32-bit DIB section.
Capture copyPixels(HDC source, int x, int y, int width, int height)
{
    Capture capture;
    if (width <= 0 || height <= 0)
        return capture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    MemoryDc memory(source);
    GdiObject<HBITMAP> dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !dib)
        return capture;
    SelectedObject selected(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    capture.width = width;
    capture.height = height;
    const auto* pixels = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(pixels, pixels + size_t(width) * size_t(height));
    for (uint32_t& p : capture.pixels)
        p &= 0x00FFFFFF;
    return capture;
}

} // namespace

Capture captureClient(HWND window)
{
    UpdateWindow(window);
    GdiFlush();
    RECT client{};
    GetClientRect(window, &client);
    WindowDc dc(window);
    return copyPixels(dc, 0, 0, client.right, client.bottom);
}

Capture captureScreen(const RECT& area)
{
    WindowDc screen(nullptr);
    return copyPixels(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
}
