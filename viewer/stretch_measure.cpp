#include "viewer/stretch_measure.h"

#include <algorithm>
#include <cmath>

namespace {

// Strongest tint, of the full colour, reached at a measure of +-1.
constexpr float kStrongestTint = 0.6f;
constexpr double kMeasureLimit = 8.0;
const float kUnmeasured = std::nanf("");

float meshArea(const std::array<float, 3>& a, const std::array<float, 3>& b, const std::array<float, 3>& c)
{
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double cross[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    return float(0.5 * std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]));
}

double paneArea(const ImagePoint& a, const ImagePoint& b, const ImagePoint& c)
{
    return 0.5 * std::fabs(double(b.x - a.x) * (c.y - a.y) - double(c.x - a.x) * (b.y - a.y));
}

// `pixel` moved toward `colour` by weight / 256, channel by channel.
uint32_t mix(uint32_t pixel, uint32_t colour, uint32_t weight)
{
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t from = (pixel >> shift) & 0xFF, to = (colour >> shift) & 0xFF;
        mixed |= ((from * (256 - weight) + to * weight + 128) >> 8) << shift;
    }
    return mixed;
}

} // namespace

void buildStretchFaces(const std::vector<std::array<float, 3>>& positions, const uint16_t* indices,
                       uint32_t faceCount, StretchFaces& out)
{
    out.corners.clear();
    out.areas.clear();
    for (uint32_t f = 0; f < faceCount; ++f) {
        const uint16_t* corner = indices + 3 * size_t(f);
        if (corner[0] >= positions.size() || corner[1] >= positions.size() || corner[2] >= positions.size())
            continue;
        out.corners.insert(out.corners.end(), corner, corner + 3);
        out.areas.push_back(meshArea(positions[corner[0]], positions[corner[1]], positions[corner[2]]));
    }
}

void measureStretch(const StretchFaces& faces, const PointList& points, std::vector<float>& out)
{
    const size_t count = faces.areas.size();
    out.assign(count, kUnmeasured);
    const uint32_t pointCount = uint32_t(std::max(0, points.pointCount()));
    double paneTotal = 0, meshTotal = 0;
    for (size_t f = 0; f < count; ++f) {
        const uint32_t* corner = &faces.corners[3 * f];
        if (!(faces.areas[f] > 0) || corner[0] >= pointCount || corner[1] >= pointCount || corner[2] >= pointCount)
            continue;
        const double area = paneArea(points.at(int32_t(corner[0])), points.at(int32_t(corner[1])),
                                     points.at(int32_t(corner[2])));
        const double ratio = area / faces.areas[f];
        if (!std::isfinite(ratio))
            continue;
        out[f] = float(ratio);   // the face's own ratio until the average is known
        paneTotal += area;
        meshTotal += faces.areas[f];
    }
    const double average = paneTotal / meshTotal;
    const bool measurable = meshTotal > 0 && average > 0 && std::isfinite(average);
    for (float& value : out) {
        if (!measurable || std::isnan(value))
            value = 0.0f;
        else
            value = float(std::clamp(std::log2(value / average), -kMeasureLimit, kMeasureLimit));
    }
}

uint32_t stretchTint(uint32_t pixel, float measure)
{
    if (!(measure != 0.0f))
        return pixel;
    const float amount = kStrongestTint * std::min(std::fabs(measure), 1.0f);
    return mix(pixel, measure > 0 ? 0xFF0000u : 0x0000FFu, uint32_t(amount * 256.0f + 0.5f));
}
