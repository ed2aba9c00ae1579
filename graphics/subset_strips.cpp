#include "graphics/subset_strips.h"

#include <mutex>

namespace {

struct LastCut {
    std::mutex lock;
    std::vector<uint32_t> corners;
    uint32_t vertexCount = 0;
    StripSet strips;
};

LastCut& lastCut() {
    static LastCut cut;
    return cut;
}

}  // namespace

StripSet cutSubsetStrips(const std::vector<uint32_t>& corners, uint32_t vertexCount) {
    LastCut& last = lastCut();
    {
        std::lock_guard<std::mutex> hold(last.lock);
        if (last.vertexCount == vertexCount && last.corners == corners) {
            StripSet strips = std::move(last.strips);
            std::vector<uint32_t>().swap(last.corners);
            last.vertexCount = 0;
            return strips;
        }
    }
    StripSet strips = buildStrips(corners.data(), corners.size() / 3, vertexCount);
    std::lock_guard<std::mutex> hold(last.lock);
    last.corners = corners;
    last.vertexCount = vertexCount;
    last.strips = strips;
    return strips;
}
