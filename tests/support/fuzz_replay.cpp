#include "tests/support/fuzz_replay.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

void replay(const std::vector<uint8_t>& seed) {
    // Each input in a buffer of exactly its size, so that over-reads are seen.
    auto run = [](const uint8_t* data, size_t size) {
        std::vector<uint8_t> copy(data, data + size);
        LLVMFuzzerTestOneInput(copy.data(), copy.size());
    };
    run(seed.data(), seed.size());
    for (size_t length = 0; length < seed.size(); ++length)
        run(seed.data(), length);
    std::vector<uint8_t> changed = seed;
    for (size_t at = 0; at < seed.size(); ++at) {
        for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(seed[at] ^ 0x40)}) {
            changed[at] = value;
            run(changed.data(), changed.size());
        }
        changed[at] = seed[at];
    }
}

} // namespace

int replaySeedFolder(const char* folder, const char* extension) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != extension)
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        replay(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}));
        ++seeds;
    }
    std::printf("replayed %d seeds\n", seeds);
    return seeds > 0 ? 0 : 1;
}
