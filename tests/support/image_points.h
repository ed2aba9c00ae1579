#pragma once
// Points of the texture pane as tests write them: a fresh ImagePoint at (x, y) in image pixels.
#include "viewer/image_point.h"

inline ImagePoint pointAt(float x, float y)
{
    ImagePoint point;
    point.x = x;
    point.y = y;
    return point;
}
