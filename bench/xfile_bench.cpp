// X file speed beside Assimp: a closed torus-knot tube of 600 x 100 vertices (60,000
// vertices, 120,000 triangles, normals and texture coordinates) saved once as text and once
// as binary, then loaded from disk by our reader and by Assimp's importer (no
// post-processing) in the same run, best of several loads each. Prints `name: value unit`
// lines, the ratio being Assimp's time over ours; leaves knot-text.x and knot-binary.x in the
// output folder given as the first argument.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "base/stdio_file.h"
#include "bench/best_time.h"
#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kRuns = 15;   // best of many: this machine is shared

long fileSize(const std::string& path)
{
    const StdioFile file(path.c_str(), "rb");
    if (!file)
        return -1;
    std::fseek(file, 0, SEEK_END);
    return std::ftell(file);
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Best of kRuns loads, freeing each result outside the timing; false when a load fails or
// reads another mesh than was written.
bool timeOurs(const std::string& path, const MeshContent& written, double& bestMs)
{
    bestMs = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        MeshContent mesh;
        const auto start = std::chrono::steady_clock::now();
        XReadStatus status = loadXFile(path.c_str(), mesh);
        bestMs = std::min(bestMs, millisecondsSince(start));
        if (status != XReadStatus::Ok || mesh.indices != written.indices || mesh.positions != written.positions) {
            std::fprintf(stderr, "xfile_bench: %s reads back as %s\n", path.c_str(), xReadStatusName(status));
            return false;
        }
    }
    return true;
}

// The same for Assimp's importer, made once as an application would keep it; false when it
// reads another number of triangles than were written.
bool timeAssimp(const std::string& path, const MeshContent& written, double& bestMs)
{
    Assimp::Importer importer;
    bestMs = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const aiScene* scene = importer.ReadFile(path, 0);
        bestMs = std::min(bestMs, millisecondsSince(start));
        unsigned faces = 0;
        for (unsigned m = 0; scene && m < scene->mNumMeshes; ++m)
            faces += scene->mMeshes[m]->mNumFaces;
        importer.FreeScene();
        if (faces != written.faceCount()) {
            std::fprintf(stderr, "xfile_bench: Assimp reads %u faces from %s: %s\n", faces, path.c_str(),
                         importer.GetErrorString());
            return false;
        }
    }
    return true;
}

bool report(const char* name, const std::string& path, const MeshContent& knot)
{
    double ours, assimp;
    if (!timeOurs(path, knot, ours) || !timeAssimp(path, knot, assimp))
        return false;
    double megabytes = double(fileSize(path)) / (1024.0 * 1024.0);
    std::printf("xload.%s_ms: %.2f ms\n", name, ours);
    std::printf("xload.%s_mb_per_s: %.1f MB/s\n", name, megabytes / (ours / 1000.0));
    std::printf("xload.%s_assimp_ms: %.2f ms\n", name, assimp);
    std::printf("xload.%s_assimp_over_ours: %.2f ratio\n", name, assimp / ours);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : ".";
    std::string textPath = folder + "/knot-text.x";
    std::string binaryPath = folder + "/knot-binary.x";
    MeshContent knot = makeTorusKnot(600, 100);

    bool saved = true;
    double saveMs = bestMilliseconds(kRuns, [&] {
        saved = saved && saveXFile(binaryPath.c_str(), knot, XFileFormat::Binary);
    });
    if (!saved || !saveXFile(textPath.c_str(), knot, XFileFormat::Text)) {
        std::fprintf(stderr, "xfile_bench: cannot write the knot into %s\n", folder.c_str());
        return 1;
    }
    if (!report("text", textPath, knot) || !report("binary", binaryPath, knot))
        return 1;
    std::printf("xsave.binary_ms: %.2f ms\n", saveMs);
    return 0;
}
