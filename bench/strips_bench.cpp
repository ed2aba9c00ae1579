// Triangle strips of a closed torus-knot tube of 600 x 100 (60,000 vertices, 120,000
// triangles): indices per triangle as strips and as one strip, against the (T + 2) / T bound,
// and the time to cut them. Prints `name: value unit` lines.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "graphics/strips.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;

}  // namespace

int main() {
    const MeshContent knot = makeTorusKnot(600, 100);
    const double triangles = knot.faceCount();
    StripSet strips;
    std::vector<uint32_t> single;
    double bestMs = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        strips = buildStrips(knot.indices.data(), knot.faceCount(), knot.vertexCount());
        single = joinStrips(strips);
        bestMs = std::min(bestMs,
                          std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::printf("strips.single_indices_per_triangle: %.4f indices\n", single.size() / triangles);
    std::printf("strips.list_indices_per_triangle: %.4f indices\n",
                strips.indices.size() / triangles);
    std::printf("strips.list_count: %zu strips\n", strips.lengths.size());
    std::printf("strips.ms_per_100k_triangles: %.2f ms\n", bestMs * 100000 / triangles);
    std::printf("strips.bound_indices_per_triangle: %.4f indices\n", (triangles + 2) / triangles);
    return 0;
}
