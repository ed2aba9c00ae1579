#include "viewer/selection_transform.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

bool finiteFloat(double value)
{
    return std::isfinite(value) && std::fabs(value) <= FLT_MAX;
}

double landing(double value, bool snap)
{
    return snap ? std::nearbyint(value) : value;
}

}  // namespace

PointTransform flipHorizontally()
{
    PointTransform t;
    t.xx = -1.0;
    return t;
}

PointTransform flipVertically()
{
    PointTransform t;
    t.yy = -1.0;
    return t;
}

PointTransform quarterTurn(bool clockwise)
{
    // With y down, clockwise on screen takes right (1, 0) to down (0, 1).
    const double s = clockwise ? 1.0 : -1.0;
    PointTransform t;
    t.xx = 0.0;
    t.xy = -s;
    t.yx = s;
    t.yy = 0.0;
    return t;
}

PointTransform typedTransform(double offsetX, double offsetY, double degrees, double scaleXPercent,
                              double scaleYPercent)
{
    const double radians = degrees * kPi / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    const double sx = scaleXPercent / 100.0, sy = scaleYPercent / 100.0;
    // Counter-clockwise on a pane whose y runs down: right (1, 0) goes up to (c, -s).
    PointTransform t;
    t.xx = c * sx;
    t.xy = s * sy;
    t.yx = -s * sx;
    t.yy = c * sy;
    t.offsetX = offsetX;
    t.offsetY = offsetY;
    return t;
}

int32_t selectedCount(const PointList& points)
{
    int32_t count = 0;
    points.forEachPoint([&](const ImagePoint& p) { count += p.selected ? 1 : 0; });
    return count;
}

TransformResult transformSelection(PointList& points, const PointTransform& t, bool snap)
{
    double left = HUGE_VAL, right = -HUGE_VAL, top = HUGE_VAL, bottom = -HUGE_VAL;
    points.forEachPoint([&](const ImagePoint& p) {
        if (!p.selected)
            return;
        left = std::min(left, double(p.x));
        right = std::max(right, double(p.x));
        top = std::min(top, double(p.y));
        bottom = std::max(bottom, double(p.y));
    });
    if (left > right)
        return TransformResult::NothingSelected;
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    std::vector<double> moved;
    bool finite = true;
    points.forEachPoint([&](const ImagePoint& p) {
        if (!p.selected)
            return;
        const double px = p.x - cx, py = p.y - cy;
        const double x = landing(cx + t.xx * px + t.xy * py + t.offsetX, snap);
        const double y = landing(cy + t.yx * px + t.yy * py + t.offsetY, snap);
        finite = finite && finiteFloat(x) && finiteFloat(y);
        moved.push_back(x);
        moved.push_back(y);
    });
    if (!finite)
        return TransformResult::NotFinite;
    size_t next = 0;
    points.forEachPoint([&](ImagePoint& p) {
        if (!p.selected)
            return;
        p.x = float(moved[next++]);
        p.y = float(moved[next++]);
    });
    return TransformResult::Done;
}

TransformResult placeSelection(PointList& points, double x, double y, bool snap)
{
    x = landing(x, snap);
    y = landing(y, snap);
    if (!finiteFloat(x) || !finiteFloat(y))
        return TransformResult::NotFinite;
    if (selectedCount(points) == 0)
        return TransformResult::NothingSelected;
    points.forEachPoint([&](ImagePoint& p) {
        if (p.selected) {
            p.x = float(x);
            p.y = float(y);
        }
    });
    return TransformResult::Done;
}

void snapSelection(PointList& points)
{
    points.forEachPoint([](ImagePoint& p) {
        if (p.selected) {
            p.x = std::nearbyint(p.x);
            p.y = std::nearbyint(p.y);
        }
    });
}
