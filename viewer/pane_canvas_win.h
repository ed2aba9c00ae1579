#pragma once
// The off-screen picture of an image window: a 32-bit DIB section in a memory DC, kept
// between paints. The window renders into it and copies it to the screen in one BitBlt, so
// thousands of lines never flicker, and a WM_PRINTCLIENT can be answered with exactly what
// the screen shows.
#include "base/device_context_win.h"
#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"
#include "viewer/square_marker.h"

#include <windows.h>

class PaneCanvas {
public:
    PaneCanvas() = default;
    PaneCanvas(const PaneCanvas&) = delete;
    PaneCanvas& operator=(const PaneCanvas&) = delete;

    // Makes the canvas `width` x `height` (at least 1 x 1), keeping it when the size is
    // unchanged. Returns the memory DC, or none when GDI could not make it.
    HDC prepare(int width, int height);
    // Copies the canvas onto `target` at (0, 0). False when there is no canvas yet.
    bool copyTo(HDC target) const;
    // The canvas's pixels for direct drawing; call GdiFlush first after GDI drawing.
    PixelBuffer pixels() const { return PixelBuffer{bits_, width_, height_}; }

private:
    void release();

    // Declared in this order so that the bitmap is put out of the DC before either goes.
    GdiObject<HBITMAP> bitmap_;
    MemoryDc dc_;
    SelectedObject selection_;
    uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
