#pragma once
// Chunks of the kinds the reader handles, built byte by byte, and a way to run the reader over
// a file made of them.
#include <cstdint>
#include <string>
#include <vector>

#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"

std::vector<uint8_t> vertexListChunk(const std::vector<Vertex3ds>& vertices);
std::vector<uint8_t> faceListChunk(const std::vector<Face3ds>& faces);
std::vector<uint8_t> texCoordListChunk(const std::vector<TexCoord3ds>& texCoords);
// A chunk holding only a zero-ended text: material name, texture file name, face material.
std::vector<uint8_t> textChunk(uint16_t id, const std::string& text);
// Object `name` holding a triangle mesh with `meshChunks` in it.
std::vector<uint8_t> objectChunk(const std::string& name, const std::vector<uint8_t>& meshChunks);
// Main chunk around an editor chunk around `editorChunks`.
std::vector<uint8_t> mainFile(const std::vector<uint8_t>& editorChunks);
std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts);

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
