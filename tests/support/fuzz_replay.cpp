#include "tests/support/fuzz_replay.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "tests/support/test_files.h"

namespace {

void runExact(const uint8_t* data, size_t size)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[size ? size : 1]);
    std::copy(data, data + size, exact.get());
    LLVMFuzzerTestOneInput(exact.get(), size);
}

} // namespace

void replaySeed(const std::vector<uint8_t>& seed)
{
    runExact(seed.data(), seed.size());
    if (seed.size() > kMaxSweptSeedSize)
        return;
    for (size_t length = 0; length < seed.size(); ++length)
        runExact(seed.data(), length);
    std::vector<uint8_t> changed = seed;
    for (size_t at = 0; at < seed.size(); ++at) {
        const uint8_t kept = seed[at];
        for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(kept ^ 0x01), uint8_t(kept ^ 0x40)}) {
            changed[at] = value;
            runExact(changed.data(), changed.size());
        }
        changed[at] = kept;
    }
}

size_t replaySeeds(const std::vector<std::string>& paths)
{
    std::vector<std::filesystem::path> files;
    for (const std::string& path : paths)
        if (!std::filesystem::is_directory(path))
            files.push_back(path);
        else
            for (const auto& entry : std::filesystem::directory_iterator(path))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
    for (const std::filesystem::path& file : files)
        replaySeed(readFileBytes(file.string()));
    return files.size();
}
