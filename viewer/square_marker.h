#pragma once
// The square outline that marks a point, written straight into a 32-bit top-down pixel
// buffer: the same 24 pixels that MoveToEx / LineTo round the square (cx ± half, cy ± half)
// give, without a GDI call per side. Pixels outside the buffer are skipped.
#include <cstdint>

struct PixelBuffer {
    uint32_t* pixels = nullptr;   // 0x00RRGGBB, `width` per row, top row first
    int width = 0;
    int height = 0;
};

void drawSquareOutline(const PixelBuffer& target, int cx, int cy, int half, uint32_t colour);
