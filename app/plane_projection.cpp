#include "app/plane_projection.h"

namespace {

// Each range starts from these bounds, not from the first value: a mesh lying wholly beyond
// them on an axis keeps the bound as that end of its range.
constexpr float kSearchLimit = 1.0e8f;

struct Range {
    float smallest = kSearchLimit;
    float largest = -kSearchLimit;

    void take(float value)
    {
        if (value < smallest)
            smallest = value;
        if (value > largest)
            largest = value;
    }
};

void rangesOf(const std::vector<PlanePoint>& points, Range& s, Range& t)
{
    for (const PlanePoint& p : points) {
        s.take(p.s);
        t.take(p.t);
    }
}

} // namespace

const char* planeName(int32_t plane)
{
    switch (plane) {
    case PlaneXY: return "xy";
    case PlaneYZ: return "yz";
    case PlaneXZ: return "xz";
    default: return nullptr;
    }
}

bool planeCoordinates(const std::vector<Vertex3ds>& positions, int32_t plane,
                      std::vector<PlanePoint>& out)
{
    out.clear();
    if (!planeName(plane))
        return false;
    out.reserve(positions.size());
    const Axis along = plane == PlaneYZ ? Axis::X : plane == PlaneXZ ? Axis::Y : Axis::Z;
    for (const Vertex3ds& v : positions)
        out.push_back(planePointAlong({v.x, v.y, v.z}, along));
    return true;
}

void mirrorPlaneCoordinates(std::vector<PlanePoint>& points, bool reverseU, bool reverseV)
{
    if (!reverseU && !reverseV)
        return;
    Range s, t;
    rangesOf(points, s, t);
    // Twice the half extent: equal to the extent except for subnormal extents, where the
    // halving rounds and the rounded value is the one mirrored about.
    const float twiceHalfS = 2.0f * ((s.largest - s.smallest) / 2.0f);
    const float twiceHalfT = 2.0f * ((t.largest - t.smallest) / 2.0f);
    for (PlanePoint& p : points) {
        if (reverseU)
            p.s = twiceHalfS - p.s;
        if (reverseV)
            p.t = twiceHalfT - p.t;
    }
}

void normalisePlaneCoordinates(std::vector<PlanePoint>& points)
{
    Range s, t;
    rangesOf(points, s, t);
    const float extentS = s.largest - s.smallest;
    const float extentT = t.largest - t.smallest;
    for (PlanePoint& p : points) {
        p.s = extentS > 0.0f ? (p.s - s.smallest) / extentS : 0.0f;
        p.t = extentT > 0.0f ? (p.t - t.smallest) / extentT : 0.0f;
    }
}
