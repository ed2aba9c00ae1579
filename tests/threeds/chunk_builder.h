#pragma once
// Builds 3DS chunk files byte by byte, the way a test wants to lay them out.
#include <cstdint>
#include <vector>

#include "tests/support/byte_writer.h"

class ChunkBuilder : public ByteWriter {
public:
    // Writes `id` and a length to be filled in by end(); returns the chunk's offset.
    size_t begin(uint16_t id);
    // Sets the length of the chunk begun at `offset` to reach the current end.
    void end(size_t offset);
    // A whole chunk around `contents`.
    ChunkBuilder& chunk(uint16_t id, const std::vector<uint8_t>& contents);
};
