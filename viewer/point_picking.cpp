#include "viewer/point_picking.h"

#include <algorithm>
#include <cmath>

int32_t pickPoint(const PointList& points, FloatPair click, float zoom)
{
    float bestDistance = kLargestPickDistance;
    int32_t candidate = -1;
    for (int32_t i = 0; i < points.pointCount(); ++i) {
        const ImagePoint& p = points.at(i);
        const float sx = p.x * zoom;
        const float sy = p.y * zoom;
        const bool inHitBox = sx - kHitBoxHalfSize < click.x && click.x < sx + kHitBoxHalfSize &&
                              sy - kHitBoxHalfSize < click.y && click.y < sy + kHitBoxHalfSize;
        if (!inHitBox)
            continue;
        const float distance = std::sqrt((click.x - sx) * (click.x - sx) + (click.y - sy) * (click.y - sy));
        if (distance < bestDistance) {
            bestDistance = distance;
            candidate = i;
        }
    }
    return candidate;
}

bool selectionCentroid(const PointList& points, FloatPair& mean)
{
    double sumX = 0.0;
    double sumY = 0.0;
    int32_t selected = 0;
    for (int32_t i = 0; i < points.pointCount(); ++i) {
        const ImagePoint& p = points.at(i);
        if (!p.selected)
            continue;
        sumX += p.x;
        sumY += p.y;
        ++selected;
    }
    if (selected == 0)
        return false;
    mean.x = static_cast<float>(sumX / selected);
    mean.y = static_cast<float>(sumY / selected);
    return true;
}

void selectInsideBand(PointList& points, FloatPair cornerA, FloatPair cornerB, const PaneView& view)
{
    const float minX = std::min(cornerA.x, cornerB.x);
    const float maxX = std::max(cornerA.x, cornerB.x);
    const float minY = std::min(cornerA.y, cornerB.y);
    const float maxY = std::max(cornerA.y, cornerB.y);
    for (int32_t i = 0; i < points.pointCount(); ++i) {
        ImagePoint& p = points.at(i);
        const float wx = p.x * view.zoom - static_cast<float>(view.scrollX);
        const float wy = p.y * view.zoom - static_cast<float>(view.scrollY);
        if (minX < wx && wx < maxX && minY < wy && wy < maxY)
            p.selected = 1;
        else if (!p.keepSelected)
            p.selected = 0;
    }
}
