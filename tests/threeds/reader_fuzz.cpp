// Fuzz harness of the 3DS reader. Built with libFuzzer (MAPWELL_LIBFUZZER defined) it is a
// fuzz target; built plainly it replays every file of the seed folder given as argument, and
// each one's prefixes and single-byte changes, so that the sanitizers see those too.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "threeds/chunk3ds_file.h"
#include "threeds/error_box_record.h"
#include "threeds/mesh_record.h"
#include "tests/support/fuzz_replay.h"

namespace {

// What every read must leave behind, damaged file or not.
void checkRecord(int result, const MeshRecord& record)
{
    bool sound = record.materialCount <= kMaxMaterials;
    for (uint32_t i = 0; i < kMaxMaterials; ++i) {
        sound = sound && std::memchr(record.materials[i].name, 0, kRecordTextLength) &&
                std::memchr(record.materials[i].textureFileName, 0, kRecordTextLength);
    }
    if (result == 1) {
        for (const Face3ds& face : record.faces) {
            sound = sound && face.a < record.vertexCount() && face.b < record.vertexCount() &&
                    face.c < record.vertexCount();
        }
    }
    if (!sound) {
        std::fprintf(stderr, "reader left an unsound record (result %d)\n", result);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        std::ofstream out("fuzz-input.3ds", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    std::remove("chunks.tst");
    clearRecordedErrorBoxes();
    g_meshRecords.clear();
    g_meshRecords.emplace_back();
    Chunk3dsFile file;
    if (!file.openForReading("fuzz-input.3ds"))
        return 0;
    const int result = file.Read();
    checkRecord(result, g_meshRecords.front());
    g_meshRecords.clear();
    return 0;
}

#ifndef MAPWELL_LIBFUZZER
int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    return replaySeedFolder(argv[1], ".3ds");
}
#endif
