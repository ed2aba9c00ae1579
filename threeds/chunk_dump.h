#pragma once
// The chunk dump "chunks.tst": the label of every chunk the 3DS reader meets, one per line.
#include <cstdint>

// Appends the label of the 3DS chunk `id` (or "UNKNOWN CHUNK") to "chunks.tst".
void dumpChunkName(uint32_t id);

// Label of a chunk id as the dump writes it: "MAIN3DS 0x4D4D", or "UNKNOWN CHUNK".
const char* chunkLabel(uint32_t id);
