#pragma once
// Points of the texture pane as tests write them.
#include "viewer/image_point.h"

// A fresh ImagePoint at (x, y) in image pixels.
inline ImagePoint pointAt(float x, float y)
{
    ImagePoint point;
    point.x = x;
    point.y = y;
    return point;
}
