#pragma once
// Reads back what a window shows, so that tests check painting by pixels.
#include <windows.h>

#include <cstdint>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Number of pixels of exactly `colour` in the rectangle [x0, x1) x [y0, y1).
    int count(uint32_t colour, int x0, int y0, int x1, int y1) const;
};

// Lets pending paint messages run, then copies the client area from the window's DC.
Capture captureClient(HWND window);
// What the display itself shows in `area` (screen coordinates).
Capture captureScreen(const RECT& area);
// `width` x `height` pixels at (x, y) of `source`.
Capture capturePixels(HDC source, int x, int y, int width, int height);

// A 32-bit top-down DIB section of `dc`'s kind; `bits` points at its pixels.
HBITMAP createSurface(HDC dc, int width, int height, uint32_t*& bits);

// Runs the calling thread's message loop for about `milliseconds`, dispatching everything.
void pumpMessages(int milliseconds);

inline uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }
