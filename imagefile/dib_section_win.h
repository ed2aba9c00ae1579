#pragma once
// Device bitmaps made from 24-bit pixels.
#include <windows.h>
#include <cstdint>
#include "imagefile/rgb_image.h"

// A 24-bit bottom-up DIB section of width x height made on `window`'s device context (the
// screen's when `window` is none); `bits` receives its pixel rows, dibStride(width) bytes
// apart. None when GDI cannot make it, for instance for lack of memory.
HBITMAP createDibSection(HWND window, int width, int height, uint8_t*& bits);

// A DIB section of the image's size holding its pixels, or none.
HBITMAP createBitmapFromPixels(HWND window, const RgbImage& image);
