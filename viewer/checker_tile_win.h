#pragma once
// One tile of the checker as a device bitmap, made at the size the pane draws its tiles and
// kept until that size changes, so a paint costs one BitBlt per tile, as a bitmap does.
#include <windows.h>

#include "base/gdi_object_win.h"

class CheckerTile {
public:
    // Draws the checker over width x height pixels of `dc` from (left, top); makes the tile
    // first when its size changed. Draws nothing when GDI cannot make it.
    void draw(HDC dc, HWND window, int left, int top, int width, int height);

private:
    GdiObject<HBITMAP> tile_;
    int width_ = 0;
    int height_ = 0;
};
