// Speed of the 3DS reader and writer on a 60,000-vertex mesh, and of one chunk-dump line;
// natively also lib3ds reading the same file, and the ratio of the two reads.
// Runs in the output folder given as argument, where the dump ("chunks.tst") grows.
#include "bench/best_time.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "threeds/chunk3ds_file.h"
#include "threeds/chunk_dump.h"
#include "threeds/mesh_record.h"

#ifdef MAPWELL_BENCH_LIB3DS
#include <lib3ds/file.h>
#include <lib3ds/mesh.h>
#endif

namespace {

#ifdef _WIN32
const char* const kTree = "_wine";   // the Windows build runs under Wine here
#else
const char* const kTree = "";
#endif

// A ribbon two vertices wide: 60,000 vertices and 59,998 faces, both below 65536.
MeshRecord ribbon()
{
    MeshRecord record;
    const uint32_t length = 30000;
    for (uint32_t i = 0; i < length; ++i) {
        for (uint32_t side = 0; side < 2; ++side) {
            record.vertices.push_back({float(i) * 0.01f, float(side), float(i % 17) * 0.1f});
            record.texCoords.push_back({float(i) / float(length), float(side)});
        }
    }
    for (uint32_t i = 0; i + 1 < length; ++i) {
        record.faces.push_back({2 * i, 2 * i + 1, 2 * i + 2});
        record.faces.push_back({2 * i + 1, 2 * i + 3, 2 * i + 2});
    }
    record.materialCount = 1;
    std::strcpy(record.materials[0].textureFileName, "ribbon.bmp");
    return record;
}


}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        std::filesystem::current_path(argv[1]);
    const char* const path = "threeds_60k.3ds";
    const MeshRecord record = ribbon();

    const double writeMs = bestMilliseconds(5, [&] {
        g_meshRecords.assign(1, record);
        g_chunk3dsFile.openForWriting(path);
        g_chunk3dsFile.Write();
        g_chunk3dsFile.closeWriting();
    });
    int result = 0;
    const double readMs = bestMilliseconds(5, [&] {
        g_meshRecords.assign(1, MeshRecord{});
        g_chunk3dsFile.openForReading(path);
        result = g_chunk3dsFile.Read();
        g_chunk3dsFile.closeReading();
    });
    if (result != 1 || g_meshRecords.front().vertexCount() != 60000) {
        std::fprintf(stderr, "threeds bench: the 60k file did not read back\n");
        return 1;
    }
    const int lines = 2000;
    const double dumpMs = bestMilliseconds(1, [&] {
        for (int i = 0; i < lines; ++i)
            dumpChunkName(0x4D4D);
    });
    std::printf("threeds.write_60k%s_ms: %.2f ms\n", kTree, writeMs);
    std::printf("threeds.read_60k%s_ms: %.2f ms\n", kTree, readMs);
    std::printf("threeds.dump_chunk_name%s_us: %.2f us\n", kTree, dumpMs * 1000.0 / lines);
#ifdef MAPWELL_BENCH_LIB3DS
    unsigned peerPoints = 0;
    const double peerMs = bestMilliseconds(5, [&] {
        Lib3dsFile* file = lib3ds_file_load(path);
        peerPoints = file && file->meshes ? unsigned(file->meshes->points) : 0;
        if (file)
            lib3ds_file_free(file);
    });
    if (peerPoints != 60000) {
        std::fprintf(stderr, "threeds bench: lib3ds did not read the 60k file\n");
        return 1;
    }
    std::printf("threeds.lib3ds_read_60k_ms: %.2f ms\n", peerMs);
    std::printf("threeds.read_speedup_vs_lib3ds: %.2f x\n", peerMs / readMs);
#endif
    return 0;
}
