#pragma once
// Runs the reader over a file of chunks (made with tests/support/chunk_builder.h) and tells what
// it left behind.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/chunk_builder.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"

// Error boxes are recorded natively but are real modal boxes on Windows, which take a couple of
// seconds each under Wine. Sweeps that show a box per case take every case natively (where the
// sanitizers watch) and every sweepStride()-th case on Windows.
constexpr size_t sweepStride()
{
#ifdef _WIN32
    return 11;
#else
    return 1;
#endif
}

struct ReadOutcome {
    int result = -1;
    MeshRecord record;
    std::vector<std::string> dump;    // lines the read added to "chunks.tst"
    std::vector<std::string> boxes;   // error boxes shown during the read
};

// Writes `bytes` to "input.3ds", makes `prepared` the only record of g_meshRecords, reads the
// file with `file` (a fresh object by default) and returns what the read left behind.
ReadOutcome readChunkFile(const std::vector<uint8_t>& bytes, const MeshRecord& prepared = {});
ReadOutcome readChunkFileWith(Chunk3dsFile& file, const std::vector<uint8_t>& bytes,
                              const MeshRecord& prepared = {});
