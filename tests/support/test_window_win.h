#pragma once
// A real top-level window for the Windows suites (a parent for controls, an owner for dialogs)
// and a memory surface to draw into and read back.
#include <windows.h>
#include <cstdint>
#include <vector>

#include "base/device_context_win.h"
#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"

class TestWindow {
public:
    // A visible popup window at the screen's top-left with exactly this client size.
    TestWindow(int clientWidth, int clientHeight);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window; }

private:
    HWND window = nullptr;
};

// A 32-bit memory surface, filled with one colour, to draw into and read back.
class Canvas {
public:
    Canvas(int width, int height, uint32_t fill);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return memory; }
    // 0x00RRGGBB of pixel (x, y), top row 0. Flushes GDI first.
    uint32_t at(int x, int y) const;

private:
    int width;
    uint32_t* bits = nullptr;
    // Declared in this order so that the surface is put out of the DC before either goes.
    MemoryDc memory;
    GdiObject<HBITMAP> surface;
    SelectedObject selected;
};

// The pixels of `bitmap`, a row per vector, top row first, as 0x00RRGGBB.
std::vector<std::vector<uint32_t>> bitmapPixels(HBITMAP bitmap);
