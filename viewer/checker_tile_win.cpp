#include "viewer/checker_tile_win.h"

#include "base/device_context_win.h"
#include "base/selected_object_win.h"
#include "imagefile/dib_section_win.h"
#include "viewer/checker_pattern.h"

void CheckerTile::draw(HDC dc, HWND window, int left, int top, int width, int height)
{
    if (!tile_ || width != width_ || height != height_) {
        RgbImage pixels;
        tile_.reset(makeChecker(width, height, pixels) ? createBitmapFromPixels(window, pixels) : nullptr);
        width_ = width;
        height_ = height;
    }
    if (!tile_)
        return;
    MemoryDc memory(dc);
    if (!memory)
        return;
    SelectedObject selection(memory, tile_);
    BitBlt(dc, left, top, width, height, memory, 0, 0, SRCCOPY);
}
