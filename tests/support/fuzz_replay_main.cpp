// main() of a fuzz harness built without libFuzzer: replays the seed files and folders named
// on the command line and fails when there was nothing to replay.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/fuzz_replay.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <seed file or folder>...\n", argv[0]);
        return 2;
    }
    const size_t files = replaySeeds(std::vector<std::string>(argv + 1, argv + argc));
    std::printf("replayed %zu seed files\n", files);
    return files > 0 ? 0 : 1;
}
