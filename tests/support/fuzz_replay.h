#pragma once
// The plain build of a fuzz harness: replays every seed of a folder, with each seed's prefixes
// and single-byte changes, through LLVMFuzzerTestOneInput so that the sanitizers see them.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Replays the files of `folder` whose names end in `extension`. Returns the process's exit
// code: 0 when at least one seed was replayed.
int replaySeedFolder(const char* folder, const char* extension);
