#pragma once
// Runs the 3DS reader over a file a test laid out (tests/support/chunk_builder.h), through a
// real file in the suite's folder, and sums up what the read left behind.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/error_box_record.h"
#include "threeds/mesh_record.h"

struct ReadOutcome {
    int result = -1;
    MeshRecord record;
    std::vector<std::string> dump, boxes;   // the lines added to "chunks.tst"; the boxes shown
};

// Reads `bytes`, written to "input.3ds", into `prepared` as the only record, with `file` or a
// fresh file object.
inline ReadOutcome readChunkFile(const std::vector<uint8_t>& bytes, const MeshRecord& prepared = {},
                                 Chunk3dsFile* file = nullptr)
{
    Chunk3dsFile fresh;
    Chunk3dsFile& reader = file ? *file : fresh;
    writeFile("input.3ds", bytes);
    std::remove("chunks.tst");
    g_meshRecords.assign(1, prepared);
    clearRecordedErrorBoxes();
    const int result = reader.openForReading("input.3ds") ? reader.Read() : -1;
    reader.closeReading();
    return {result, g_meshRecords.front(), readTextLines("chunks.tst"), recordedErrorBoxes()};
}

// A read in one line: "v3 f1 t3 i0 tex [skin:] [:skin.bmp]" (the counts, the material index,
// the has-texture flag, each material's name and texture); for a refused file, whose record
// must not be used, "box '<text>' result 0".
inline std::string verdict(const ReadOutcome& outcome)
{
    std::string text;
    for (const std::string& box : outcome.boxes)
        text += "box '" + box + "' ";
    if (outcome.result != 1)
        return text + "result " + std::to_string(outcome.result);
    const MeshRecord& r = outcome.record;
    text += "v" + std::to_string(r.vertexCount()) + " f" + std::to_string(r.faceCount()) + " t" +
            std::to_string(r.texCoordCount()) + " i" + std::to_string(r.materialIndex) + (r.hasTexture ? " tex" : "");
    for (uint32_t i = 0; i < r.materialCount && i < kMaxMaterials; ++i)
        text += std::string(" [") + r.materials[i].name + ":" + r.materials[i].textureFileName + "]";
    return text;
}
