#pragma once
// Reading a whole file into memory at once. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

// The bytes of the file at `path`. False when it cannot be opened or read, is larger than
// `maxBytes`, or there is no memory for it; `bytes` is then empty.
bool readWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
