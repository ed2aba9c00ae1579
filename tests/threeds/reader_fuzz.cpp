// Fuzz harness of the 3DS reader, through a real file in the current folder, as the reader
// takes one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "threeds/chunk3ds_file.h"
#include "threeds/error_box_record.h"
#include "threeds/mesh_record.h"

// What every read must leave behind, damaged file or not: material texts that end, at most the
// room for materials, and for a file that was read, faces that refer to its vertices.
static bool sound(int result, const MeshRecord& record)
{
    bool ok = record.materialCount <= kMaxMaterials;
    for (const MaterialInfo& m : record.materials)
        ok = ok && std::memchr(m.name, 0, kRecordTextLength) && std::memchr(m.textureFileName, 0, kRecordTextLength);
    for (const Face3ds& face : record.faces)
        ok = ok && (result != 1 || std::max({face.a, face.b, face.c}) < record.vertexCount());
    return ok;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (FILE* input = std::fopen("fuzz-input.3ds", "wb")) {
        std::fwrite(data, 1, size, input);
        std::fclose(input);
    }
    std::remove("chunks.tst");
    clearRecordedErrorBoxes();
    g_meshRecords.assign(1, MeshRecord{});
    Chunk3dsFile file;
    if (file.openForReading("fuzz-input.3ds") && !sound(file.Read(), g_meshRecords.front())) {
        std::fprintf(stderr, "reader left an unsound record\n");
        std::abort();
    }
    g_meshRecords.clear();
    return 0;
}
