// Triangle strips against meshoptimizer's, on the inputs users meet: the tidy generated knot
// (600 x 100: 60,000 vertices, 120,000 triangles), the same knot with its triangles in random
// order, and a scanned-style blob (61,452 vertices, 122,900 triangles) with its triangles and
// vertices scrambled. For each: indices per triangle of the one joined strip (the (T + 2) / T
// bound is the floor), the time to cut the strips per 100,000 triangles, and meshoptimizer's
// stripify on the same index list, straight and after its strip-order pre-pass
// (meshopt_optimizeVertexCacheStrip), with the ratio ours / best peer. Prints
// `name: value unit` lines.
#include <meshoptimizer.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/best_time.h"
#include "graphics/strips.h"
#include "scripts/mediagen/scanned_surface.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kRuns = 15;   // best of many: this machine is shared

struct Input {
    const char* name;
    MeshContent mesh;
};

struct Result {
    double indicesPerTriangle = 0;
    double msPer100k = 0;
};

Result ours(const MeshContent& mesh)
{
    const double triangles = mesh.faceCount();
    std::vector<uint32_t> single;
    const double ms = bestMilliseconds(kRuns, [&] {
        single = joinStrips(buildStrips(mesh.indices.data(), mesh.faceCount(), mesh.vertexCount()));
    });
    return Result{single.size() / triangles, ms * 100000 / triangles};
}

Result meshoptimizer(const MeshContent& mesh, bool prePass)
{
    const double triangles = mesh.faceCount();
    std::vector<uint32_t> ordered(mesh.indices.size());
    std::vector<uint32_t> strip(meshopt_stripifyBound(mesh.indices.size()));
    size_t length = 0;
    const double ms = bestMilliseconds(kRuns, [&] {
        const uint32_t* source = mesh.indices.data();
        if (prePass) {
            meshopt_optimizeVertexCacheStrip(ordered.data(), source, mesh.indices.size(), mesh.vertexCount());
            source = ordered.data();
        }
        length = meshopt_stripify(strip.data(), source, mesh.indices.size(), mesh.vertexCount(), 0);
    });
    return Result{length / triangles, ms * 100000 / triangles};
}

void report(const Input& input)
{
    const Result mine = ours(input.mesh);
    const Result straight = meshoptimizer(input.mesh, false);
    const Result prePassed = meshoptimizer(input.mesh, true);
    const double peer = std::min(straight.indicesPerTriangle, prePassed.indicesPerTriangle);
    const double triangles = input.mesh.faceCount();
    std::printf("strips.%s.indices_per_triangle: %.4f indices\n", input.name, mine.indicesPerTriangle);
    std::printf("strips.%s.bound_indices_per_triangle: %.4f indices\n", input.name, (triangles + 2) / triangles);
    std::printf("strips.%s.meshopt_indices_per_triangle: %.4f indices\n", input.name,
                straight.indicesPerTriangle);
    std::printf("strips.%s.meshopt_prepass_indices_per_triangle: %.4f indices\n", input.name,
                prePassed.indicesPerTriangle);
    std::printf("strips.%s.indices_vs_meshopt: %.3f ratio\n", input.name, mine.indicesPerTriangle / peer);
    std::printf("strips.%s.ms_per_100k_triangles: %.2f ms\n", input.name, mine.msPer100k);
    std::printf("strips.%s.meshopt_ms_per_100k_triangles: %.2f ms\n", input.name, straight.msPer100k);
    std::printf("strips.%s.meshopt_prepass_ms_per_100k_triangles: %.2f ms\n", input.name, prePassed.msPer100k);
}

} // namespace

int main()
{
    std::vector<Input> inputs;
    inputs.push_back({"ordered", makeTorusKnot(600, 100)});
    inputs.push_back({"shuffled", makeTorusKnot(600, 100)});
    scrambleMesh(inputs.back().mesh, 12, false);
    inputs.push_back({"scan", makeScannedSurface(90)});
    scrambleMesh(inputs.back().mesh, 34, true);
    for (const Input& input : inputs)
        report(input);
    return 0;
}
