#include "viewer/selection_commands.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace {

void setSelected(ImagePoint& p, bool selected)
{
    p.selected = selected ? 1 : 0;
    p.keepSelected = p.selected;
}

bool isEnd(const PointList& points, int32_t k)
{
    return k >= 0 && k < points.pointCount();
}

// Bit pattern of a position: equal bits are the same position, and a hash of them is cheap.
struct PositionKey {
    uint32_t bits[3];
    bool operator==(const PositionKey& o) const { return std::memcmp(bits, o.bits, sizeof(bits)) == 0; }
};
struct PositionHash {
    size_t operator()(const PositionKey& k) const
    {
        return (size_t(k.bits[0]) * 0x9E3779B1u) ^ (size_t(k.bits[1]) * 0x85EBCA77u) ^ k.bits[2];
    }
};

PositionKey keyOf(const std::array<float, 3>& position)
{
    PositionKey key;
    std::memcpy(key.bits, position.data(), sizeof(key.bits));
    // -0 and +0 are the same place.
    for (uint32_t& b : key.bits)
        if (b == 0x80000000u)
            b = 0;
    return key;
}

}  // namespace

void selectNone(PointList& points)
{
    points.forEachPoint([](ImagePoint& p) { setSelected(p, false); });
}

void invertSelection(PointList& points)
{
    points.forEachPoint([](ImagePoint& p) { setSelected(p, !p.selected); });
}

void growSelection(PointList& points, const EdgeList& edges, bool untilClosed)
{
    const int32_t count = points.pointCount();
    std::vector<std::vector<int32_t>> neighbours(static_cast<size_t>(count));
    for (const EdgePair& e : edges.pairs()) {
        if (!isEnd(points, e.a) || !isEnd(points, e.b))
            continue;
        neighbours[size_t(e.a)].push_back(e.b);
        neighbours[size_t(e.b)].push_back(e.a);
    }
    std::vector<int32_t> ring;
    for (int32_t k = 0; k < count; ++k)
        if (points.at(k).selected)
            ring.push_back(k);
    do {
        std::vector<int32_t> next;
        for (int32_t k : ring)
            for (int32_t n : neighbours[size_t(k)])
                if (!points.at(n).selected) {
                    setSelected(points.at(n), true);
                    next.push_back(n);
                }
        ring.swap(next);
    } while (untilClosed && !ring.empty());
    points.forEachPoint([](ImagePoint& p) { p.keepSelected = p.selected; });
}

void selectStacked(PointList& points, const std::vector<std::array<float, 3>>& positions)
{
    const int32_t count = std::min(points.pointCount(), int32_t(positions.size()));
    std::unordered_set<PositionKey, PositionHash> chosen;
    for (int32_t k = 0; k < count; ++k)
        if (points.at(k).selected)
            chosen.insert(keyOf(positions[size_t(k)]));
    for (int32_t k = 0; k < count; ++k)
        if (chosen.count(keyOf(positions[size_t(k)])))
            setSelected(points.at(k), true);
}
