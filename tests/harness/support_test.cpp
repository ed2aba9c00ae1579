// The portable helpers: what the fuzz replay feeds a harness is all the sanitizers get to see of
// its seeds, and a temporary folder must start empty and leave nothing behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/support/fuzz_replay.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

using Input = std::vector<uint8_t>;
std::vector<Input> g_inputs;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    g_inputs.emplace_back(data, data + size);
    return 0;
}

namespace {

TEST(FuzzReplay, RunsTheSeedEveryPrefixAndEverySingleByteChangeButALargeSeedOnlyWhole)
{
    const Input seed = {'P', 0x00, 0xFF, 0x41};
    std::set<Input> expected = {seed};
    for (size_t at = 0; at < seed.size(); ++at) {
        expected.insert(Input(seed.begin(), seed.begin() + long(at)));
        for (int value : {0x00, 0xFF, seed[at] ^ 0x01, seed[at] ^ 0x40}) {
            Input changed = seed;
            changed[at] = uint8_t(value);
            expected.insert(changed);
        }
    }
    g_inputs.clear();
    replaySeed(seed);
    EXPECT_EQ(std::set<Input>(g_inputs.begin(), g_inputs.end()), expected);

    g_inputs.clear();
    replaySeed(Input(kMaxSweptSeedSize + 1, 'x'));
    EXPECT_EQ(g_inputs.size(), 1u);
}

TEST(FuzzReplay, ReplaysTheFilesOfFoldersAndNamedFilesButNotSubfolders)
{
    const TempFolder seeds, other, empty;
    writeFile(seeds.file("a.bin"), "a");
    writeFile(seeds.file("b.bin"), "b");
    std::filesystem::create_directory(seeds.file("deeper"));
    writeFile(seeds.file("deeper/d.bin"), "d");
    writeFile(other.file("c.bin"), "c");
    g_inputs.clear();
    EXPECT_EQ(replaySeeds({seeds.path(), other.file("c.bin"), empty.path()}), 3u);
    const std::set<Input> seen(g_inputs.begin(), g_inputs.end());
    for (uint8_t name : {'a', 'b', 'c', 'd'})
        EXPECT_EQ(seen.count(Input{name}), name == 'd' ? 0u : 1u) << name;
    EXPECT_EQ(replaySeeds({empty.path()}), 0u);
}

TEST(TempFolder, EachIsANewEmptyFolderRemovedWithItsFiles)
{
    std::string kept;
    {
        const TempFolder first, second;
        EXPECT_NE(first.path(), second.path());
        for (const TempFolder* folder : {&first, &second})
            EXPECT_TRUE(std::filesystem::is_directory(folder->path()) && std::filesystem::is_empty(folder->path()));
        writeFile(first.file("inside.txt"), "x");
        EXPECT_EQ(readFileText(first.path() + "/inside.txt"), "x");
        kept = first.path();
    }
    EXPECT_FALSE(fileExists(kept));
}

} // namespace
