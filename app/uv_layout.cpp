#include "app/uv_layout.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>

namespace {

Image groundOf(uint32_t width, uint32_t height, const Image* background)
{
    Image picture;
    picture.width = width;
    picture.height = height;
    picture.hasAlpha = true;
    picture.pixels.assign(size_t(width) * height, 0);
    if (!background || background->width == 0 || background->height == 0)
        return picture;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* row = &background->pixels[size_t(uint64_t(y) * background->height / height) *
                                                  background->width];
        for (uint32_t x = 0; x < width; ++x)
            picture.pixels[size_t(y) * width + x] =
                row[uint64_t(x) * background->width / width] | 0xFF000000u;
    }
    return picture;
}

// Cuts the segment to the rectangle [0, right] x [0, bottom] (Liang and Barsky). False when
// nothing of it is inside.
bool clip(float& x0, float& y0, float& x1, float& y1, float right, float bottom)
{
    const float dx = x1 - x0, dy = y1 - y0;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {x0, right - x0, y0, bottom - y0};
    float enter = 0, leave = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    x1 = x0 + leave * dx;
    y1 = y0 + leave * dy;
    x0 += enter * dx;
    y0 += enter * dy;
    return true;
}

void drawLine(Image& picture, float x0, float y0, float x1, float y1, uint32_t colour)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    if (!clip(x0, y0, x1, y1, float(picture.width) - 0.5f, float(picture.height) - 0.5f))
        return;
    const int steps = int(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
    for (int i = 0; i <= steps; ++i) {
        const float t = float(i) / float(steps);
        const auto x = uint32_t(x0 + t * (x1 - x0) + 0.5f), y = uint32_t(y0 + t * (y1 - y0) + 0.5f);
        if (x < picture.width && y < picture.height)
            picture.pixels[size_t(y) * picture.width + x] = colour;
    }
}

} // namespace

Image drawUvLayout(const UvLayout& layout, const Image* background)
{
    assert(layout.width > 0 && layout.height > 0);
    Image picture = groundOf(layout.width, layout.height, background);
    const float scaleX = layout.bitmapWidth > 0 ? float(layout.width) / layout.bitmapWidth : 1;
    const float scaleY = layout.bitmapHeight > 0 ? float(layout.height) / layout.bitmapHeight : 1;
    const size_t pointCount = layout.points.size() / 2;
    for (size_t t = 0; t + 2 < layout.triangles.size(); t += 3) {
        for (int e = 0; e < 3; ++e) {
            const uint32_t a = layout.triangles[t + size_t(e)], b = layout.triangles[t + size_t((e + 1) % 3)];
            if (a >= pointCount || b >= pointCount)
                continue;
            drawLine(picture, layout.points[2 * a] * scaleX, layout.points[2 * a + 1] * scaleY,
                     layout.points[2 * b] * scaleX, layout.points[2 * b + 1] * scaleY,
                     layout.lineColour);
        }
    }
    return picture;
}
