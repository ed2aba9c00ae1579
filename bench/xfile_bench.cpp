// X file speed: a closed torus-knot tube of 600 x 100 vertices (60,000 vertices, 120,000
// triangles, normals and texture coordinates) saved once as text and once as binary, then
// loaded from disk. Prints `name: value unit` lines; leaves knot-text.x and knot-binary.x in
// the output folder given as the first argument.
#include <chrono>
#include <cstdio>
#include <string>

#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"

namespace {

constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long fileSize(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    std::fseek(file, 0, SEEK_END);
    long size = std::ftell(file);
    std::fclose(file);
    return size;
}

// Best of kRuns loads; false when a load fails or reads another mesh than was written.
bool timeLoad(const std::string& path, const MeshContent& written, double& bestMs)
{
    bestMs = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        MeshContent mesh;
        Clock::time_point start = Clock::now();
        XReadStatus status = loadXFile(path.c_str(), mesh);
        double ms = millisecondsSince(start);
        if (status != XReadStatus::Ok || mesh.indices != written.indices || mesh.positions != written.positions) {
            std::fprintf(stderr, "xfile_bench: %s reads back as %s\n", path.c_str(), xReadStatusName(status));
            return false;
        }
        bestMs = ms < bestMs ? ms : bestMs;
    }
    return true;
}

bool report(const char* name, const std::string& path, const MeshContent& knot)
{
    double ms;
    if (!timeLoad(path, knot, ms))
        return false;
    double megabytes = double(fileSize(path)) / (1024.0 * 1024.0);
    std::printf("xload.%s_ms: %.2f ms\n", name, ms);
    std::printf("xload.%s_mb_per_s: %.1f MB/s\n", name, megabytes / (ms / 1000.0));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : ".";
    std::string textPath = folder + "/knot-text.x";
    std::string binaryPath = folder + "/knot-binary.x";
    MeshContent knot = makeTorusKnot(600, 100);

    double saveMs = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        Clock::time_point start = Clock::now();
        bool saved = saveXFile(binaryPath.c_str(), knot, XFileFormat::Binary);
        double ms = millisecondsSince(start);
        if (!saved) {
            std::fprintf(stderr, "xfile_bench: cannot write %s\n", binaryPath.c_str());
            return 1;
        }
        saveMs = ms < saveMs ? ms : saveMs;
    }
    if (!saveXFile(textPath.c_str(), knot, XFileFormat::Text)) {
        std::fprintf(stderr, "xfile_bench: cannot write %s\n", textPath.c_str());
        return 1;
    }
    if (!report("text", textPath, knot) || !report("binary", binaryPath, knot))
        return 1;
    std::printf("xsave.binary_ms: %.2f ms\n", saveMs);
    return 0;
}
