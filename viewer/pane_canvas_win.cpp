#include "viewer/pane_canvas_win.h"

#include <algorithm>

void PaneCanvas::release()
{
    selection_.restore();
    dc_.reset();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

HDC PaneCanvas::prepare(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (dc_ && width == width_ && height == height_)
        return dc_;
    release();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap_)
        dc_ = MemoryDc(nullptr);
    if (!dc_) {
        release();
        return nullptr;
    }
    selection_ = SelectedObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return dc_;
}

bool PaneCanvas::copyTo(HDC target) const
{
    if (!dc_)
        return false;
    return BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY) != 0;
}
