#pragma once
// Applies a point's pending motion, as the paint does once per mouse move. The motion works
// in zoomed pixels about `pivot` (zoomed pixels); the result goes back to image pixels and the
// motion is marked done. Move adds (dx, dy); rotate turns by 0.1 rad per pixel of dy
// (clockwise on screen for a downward drag); scale multiplies the offset from the pivot by
// 1 + 0.02 per pixel, per axis. Other kinds leave the point where it is.
#include "viewer/image_point.h"
#include "viewer/point_edit_state.h"

constexpr double kRotationPerPixel = 0.1;
constexpr double kScalePerPixel = 0.02;

void applyPendingMotion(ImagePoint& point, float zoom, FloatPair pivot);
