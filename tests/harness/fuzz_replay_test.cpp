// The plain build of the fuzz harnesses: what the replay feeds a harness is all the sanitizers
// get to see of its seeds.
#include "tests/support/fuzz_replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

std::vector<std::vector<uint8_t>> g_inputs;

using Input = std::vector<uint8_t>;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    g_inputs.emplace_back(data, data + size);
    return 0;
}

namespace {

TEST(FuzzReplay, RunsTheSeedEveryPrefixAndEverySingleByteChange)
{
    const Input seed = {'P', 0x00, 0xFF, 0x41};
    g_inputs.clear();
    replaySeed(seed);
    const std::set<Input> seen(g_inputs.begin(), g_inputs.end());
    EXPECT_EQ(seen.count(seed), 1u);
    for (size_t length = 0; length < seed.size(); ++length)
        EXPECT_EQ(seen.count(Input(seed.begin(), seed.begin() + long(length))), 1u) << length;
    for (size_t at = 0; at < seed.size(); ++at)
        for (int value : {0x00, 0xFF, seed[at] ^ 0x01, seed[at] ^ 0x40}) {
            Input changed = seed;
            changed[at] = uint8_t(value);
            EXPECT_EQ(seen.count(changed), 1u) << "byte " << at << " as " << value;
        }
}

TEST(FuzzReplay, LargeSeedRunsOnlyWhole)
{
    g_inputs.clear();
    replaySeed(Input(kMaxSweptSeedSize + 1, 'x'));
    EXPECT_EQ(g_inputs.size(), 1u);
}

TEST(FuzzReplay, ReplaysTheFilesOfFoldersAndNamedFilesButNotSubfolders)
{
    const TempFolder seeds;
    writeFile(seeds.file("a.bin"), "a");
    writeFile(seeds.file("b.bin"), "b");
    std::filesystem::create_directory(seeds.file("deeper"));
    writeFile(seeds.file("deeper/d.bin"), "d");
    const TempFolder other;
    writeFile(other.file("c.bin"), "c");
    const TempFolder empty;
    g_inputs.clear();
    EXPECT_EQ(replaySeeds({seeds.path(), other.file("c.bin"), empty.path()}), 3u);
    const std::set<Input> seen(g_inputs.begin(), g_inputs.end());
    for (uint8_t name : {'a', 'b', 'c'})
        EXPECT_EQ(seen.count(Input{name}), 1u) << name;
    EXPECT_EQ(seen.count(Input{'d'}), 0u);
    EXPECT_EQ(replaySeeds({empty.path()}), 0u);
}

} // namespace
