#include "viewer/point_motion.h"

#include <cmath>

void applyPendingMotion(ImagePoint& point, float zoom, FloatPair pivot)
{
    double zx = static_cast<double>(point.x) * zoom;
    double zy = static_cast<double>(point.y) * zoom;
    const double dx = point.motionDx;
    const double dy = point.motionDy;
    const double px = zx - pivot.x;
    const double py = zy - pivot.y;
    switch (point.motionKind) {
    case MotionMove:
        zx += dx;
        zy += dy;
        break;
    case MotionRotate: {
        const double angle = kRotationPerPixel * dy;
        zx = pivot.x + (px * std::cos(angle) - py * std::sin(angle));
        zy = pivot.y + (px * std::sin(angle) + py * std::cos(angle));
        break;
    }
    case MotionScale:
        zx = pivot.x + px * (1.0 + kScalePerPixel * dx);
        zy = pivot.y + py * (1.0 + kScalePerPixel * dy);
        break;
    default:
        break;
    }
    point.x = static_cast<float>(zx / zoom);
    point.y = static_cast<float>(zy / zoom);
    point.motionPending = 0;
}
