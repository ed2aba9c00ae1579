#pragma once
// The pixels a triangle covers, row by row: those whose centres lie inside it (a centre on the
// left edge counts, one on the right edge does not). Two triangles sharing an edge cover each
// pixel along it once between them, so a tinted mesh shows no gaps or twice-tinted lines.
// Portable.
#include <algorithm>
#include <cmath>

namespace triangle_spans_detail {

// x of the edge from (x0, y0) down to (x1, y1) at height y, with y0 < y1. Always computed from
// the upper corner, so both triangles of an edge find the same x.
inline double edgeX(double x0, double y0, double x1, double y1, double y)
{
    return x0 + (x1 - x0) * (y - y0) / (y1 - y0);
}

// The first pixel index whose centre is at or past `position`, kept within 0 ... limit.
inline int firstCentreFrom(double position, int limit)
{
    return int(std::clamp(std::ceil(position - 0.5), 0.0, double(limit)));
}

} // namespace triangle_spans_detail

// Calls visit(row, first, end) for every row of a width x height image that the triangle with
// corners (xs[k], ys[k]) covers, with its covered pixels first ... end - 1 (never empty, always
// within the image). A triangle with a corner that is not finite covers nothing.
template <typename Visit>
void forEachTriangleSpan(const float (&xs)[3], const float (&ys)[3], int width, int height, Visit visit)
{
    using namespace triangle_spans_detail;
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(xs[k]) || !std::isfinite(ys[k]))
            return;
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int a, int b) { return ys[a] < ys[b]; });
    const double xTop = xs[order[0]], yTop = ys[order[0]];
    const double xMiddle = xs[order[1]], yMiddle = ys[order[1]];
    const double xBottom = xs[order[2]], yBottom = ys[order[2]];
    const int endRow = firstCentreFrom(yBottom, height);
    for (int row = firstCentreFrom(yTop, height); row < endRow; ++row) {
        const double y = row + 0.5;
        const double along = edgeX(xTop, yTop, xBottom, yBottom, y);
        const double across = y < yMiddle ? edgeX(xTop, yTop, xMiddle, yMiddle, y)
                                          : edgeX(xMiddle, yMiddle, xBottom, yBottom, y);
        const int first = firstCentreFrom(std::min(along, across), width);
        const int end = firstCentreFrom(std::max(along, across), width);
        if (first < end)
            visit(row, first, end);
    }
}
