#pragma once
// The picture "Export UV Layout..." writes: every triangle's edges as the texture pane shows
// them, over the bitmap or over a clear ground, at any size. Portable.
#include <cstdint>
#include <vector>

#include "graphics/image.h"

struct UvLayout {
    uint32_t width = 0, height = 0;     // of the picture
    float bitmapWidth = 0, bitmapHeight = 0;   // the pane's bitmap, whose pixels the points use
    std::vector<float> points;          // x, y per point, in the bitmap's pixels
    std::vector<uint32_t> triangles;    // three point indices per triangle
    uint32_t lineColour = 0xFF000000;   // 0xAARRGGBB
};

// Draws every edge of every triangle whose corners are points, scaled from the bitmap's size
// to the picture's, one pixel wide; parts outside the picture and points that are no finite
// number are left out. The ground is `background` scaled to the picture (nearest pixel), or
// clear (0x00000000) when it is null or empty. Precondition: width and height at least 1 and
// their product at most kMaxImagePixels.
Image drawUvLayout(const UvLayout& layout, const Image* background);
