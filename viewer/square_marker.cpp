#include "viewer/square_marker.h"

#include <algorithm>

static void drawRow(const PixelBuffer& target, int y, int x0, int x1, uint32_t colour)
{
    if (y < 0 || y >= target.height)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, target.width - 1);
    uint32_t* row = target.pixels + static_cast<long long>(y) * target.width;
    for (int x = x0; x <= x1; ++x)
        row[x] = colour;
}

static void drawColumn(const PixelBuffer& target, int x, int y0, int y1, uint32_t colour)
{
    if (x < 0 || x >= target.width)
        return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, target.height - 1);
    for (int y = y0; y <= y1; ++y)
        target.pixels[static_cast<long long>(y) * target.width + x] = colour;
}

void drawSquareOutline(const PixelBuffer& target, int cx, int cy, int half, uint32_t colour)
{
    if (cx + half < 0 || cy + half < 0 || cx - half >= target.width || cy - half >= target.height)
        return;
    drawRow(target, cy - half, cx - half, cx + half, colour);
    drawRow(target, cy + half, cx - half, cx + half, colour);
    drawColumn(target, cx - half, cy - half + 1, cy + half - 1, colour);
    drawColumn(target, cx + half, cy - half + 1, cy + half - 1, colour);
}
