#include "tests/support/window_capture_win.h"

#include "base/device_context_win.h"
#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"

int Capture::count(uint32_t colour, int x0, int y0, int x1, int y1) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += contains(x, y) && at(x, y) == colour;
    return n;
}

void pumpMessages(int milliseconds)
{
    const DWORD end = GetTickCount() + DWORD(milliseconds);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (int(end - GetTickCount()) > 0);
}

HBITMAP createSurface(HDC dc, int width, int height, uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};   // top row first
    void* pixels = nullptr;
    HBITMAP surface = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<uint32_t*>(pixels);
    return surface;
}

Capture capturePixels(HDC source, int x, int y, int width, int height)
{
    Capture capture;
    uint32_t* bits = nullptr;
    MemoryDc memory(source);
    GdiObject<HBITMAP> surface(width > 0 && height > 0 ? createSurface(source, width, height, bits) : nullptr);
    if (!memory || !surface)
        return capture;
    SelectedObject selected(memory, surface);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    capture.width = width;
    capture.height = height;
    for (size_t i = 0; i < size_t(width) * size_t(height); ++i)
        capture.pixels.push_back(bits[i] & 0x00FFFFFF);
    return capture;
}

Capture captureClient(HWND window)
{
    UpdateWindow(window);
    GdiFlush();
    RECT client{};
    GetClientRect(window, &client);
    return capturePixels(WindowDc(window), 0, 0, client.right, client.bottom);
}

Capture captureScreen(const RECT& area)
{
    return capturePixels(WindowDc(nullptr), area.left, area.top, area.right - area.left, area.bottom - area.top);
}
