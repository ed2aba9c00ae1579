#pragma once
// The plain build of a fuzz harness: without libFuzzer, the harness's LLVMFuzzerTestOneInput
// runs over its seeds and over each seed's prefixes and single-byte changes, so that the
// sanitizers see the broken variants a fuzzer would try first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Seeds larger than this are only replayed whole: their sweeps would take minutes under the
// sanitizers.
constexpr size_t kMaxSweptSeedSize = 16 * 1024;

// Runs `seed`, every prefix of it and every single byte set to 0x00 and 0xFF or with bit 0 or
// bit 6 flipped; each input from a buffer of exactly its size, so that reads past its end are
// caught.
void replaySeed(const std::vector<uint8_t>& seed);

// Replays every file of the given files and folders (not recursing into subfolders). Returns
// the number of seed files replayed.
size_t replaySeeds(const std::vector<std::string>& paths);
