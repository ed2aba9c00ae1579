#pragma once
// Device bitmaps made from 24-bit pixels.
#include <windows.h>
#include "imagefile/rgb_image.h"

// A 24-bit DIB section of the image's size holding its pixels, made on `window`'s device
// context (the screen's when `window` is none). None when GDI cannot make it.
HBITMAP createBitmapFromPixels(HWND window, const RgbImage& image);
