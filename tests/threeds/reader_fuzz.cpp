// Fuzz harness of the 3DS reader, through a real file in the current folder, as the reader
// takes one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "threeds/chunk3ds_file.h"
#include "threeds/error_box_record.h"
#include "threeds/mesh_record.h"

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
