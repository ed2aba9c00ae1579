// What the fuzz replay feeds a harness is all the sanitizers get to see of its seeds: every
// prefix and every single-byte change of a small seed, a large one whole.
#include <gtest/gtest.h>

#include <set>

#include "tests/support/fuzz_replay.h"

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

} // namespace
