// Fuzz harness of the 3DS reader, through a real file in the current folder, as the reader
// takes one. Every read must leave material texts that end, at most the room for materials,
// and, for a file it accepted, faces that refer to its vertices.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "threeds/chunk3ds_file.h"
#include "threeds/error_box_record.h"
#include "threeds/mesh_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (FILE* input = std::fopen("fuzz-input.3ds", "wb"))
        std::fwrite(data, 1, size, input), std::fclose(input);
    std::remove("chunks.tst");
    clearRecordedErrorBoxes();
    g_meshRecords.assign(1, MeshRecord{});
    Chunk3dsFile file;
    const int result = file.openForReading("fuzz-input.3ds") ? file.Read() : 0;
    const MeshRecord& record = g_meshRecords.front();
    bool sound = record.materialCount <= kMaxMaterials;
    for (const MaterialInfo& m : record.materials)
        sound = sound && std::memchr(m.name, 0, kRecordTextLength) && std::memchr(m.textureFileName, 0, kRecordTextLength);
    for (const Face3ds& face : record.faces)
        sound = sound && (result != 1 || std::max({face.a, face.b, face.c}) < record.vertexCount());
    if (!sound) {
        std::fprintf(stderr, "reader left an unsound record (result %d)\n", result);
        std::abort();
    }
    return 0;
}
