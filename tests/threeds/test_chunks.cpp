#include "tests/threeds/test_chunks.h"

#include <cstdio>

#include "tests/support/test_files.h"
#include "tests/threeds/error_box_watch.h"

ReadOutcome readChunkFile(const std::vector<uint8_t>& bytes, const MeshRecord& prepared)
{
    Chunk3dsFile file;
    return readChunkFileWith(file, bytes, prepared);
}

ReadOutcome readChunkFileWith(Chunk3dsFile& file, const std::vector<uint8_t>& bytes,
                              const MeshRecord& prepared)
{
    writeFile("input.3ds", bytes);
    std::remove("chunks.tst");
    g_meshRecords.clear();
    g_meshRecords.push_back(prepared);
    startWatchingErrorBoxes();

    ReadOutcome outcome;
    if (file.openForReading("input.3ds"))
        outcome.result = file.Read();
    file.closeReading();
    outcome.boxes = errorBoxesShown();
    outcome.record = g_meshRecords.front();
    g_meshRecords.clear();
    outcome.dump = readTextLines("chunks.tst");
    return outcome;
}
