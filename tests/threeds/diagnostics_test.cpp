// The debug log and the chunk dump, on real files in the suite's folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/test_files.h"
#include "threeds/chunk_dump.h"
#include "threeds/diagnostics.h"
#include "threeds/error_box_record.h"

namespace {

TEST(Diagnostics, LogLinesAppendAfterWhatEarlierCallsWrote)
{
    std::remove("file.tst");
    logLine("a");
    logLine("");
    EXPECT_EQ(readFileText("file.tst"), "a\n\n");
    logLine("b");
    EXPECT_EQ(readFileText("file.tst"), "a\n\nb\n");
}

// Every label ends in its own id; the dump appends the label, or "UNKNOWN CHUNK".
TEST(Diagnostics, SeventyOneIdsHaveLabelsEndingInTheirOwnId)
{
    int labelled = 0;
    for (uint32_t id = 0; id <= 0x1FFFF; ++id) {
        const std::string label = chunkLabel(id);
        if (label == "UNKNOWN CHUNK")
            continue;
        ++labelled;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, " 0x%04X", unsigned(id));
        EXPECT_EQ(label.substr(label.size() < 8 ? 0 : label.size() - 7), suffix) << label;
    }
    EXPECT_EQ(labelled, 71);
    std::remove("chunks.tst");
    dumpChunkName(0x4D4D);
    dumpChunkName(0x10000 | 0x4D4D);
    EXPECT_EQ(readFileText("chunks.tst"), "MAIN3DS 0x4D4D\nUNKNOWN CHUNK\n");
}

// A folder where the file should be cannot be opened as a file, whoever runs the test.
TEST(Diagnostics, UnopenableFileShowsCantOpenFileOnEveryCall)
{
    for (const char* name : {"file.tst", "chunks.tst"}) {
        std::filesystem::remove_all(name);
        std::filesystem::create_directory(name);
        clearRecordedErrorBoxes();
        for (int call = 0; call < 2; ++call)
            name[0] == 'f' ? logLine("lost") : dumpChunkName(0x4D4D);
        EXPECT_EQ(recordedErrorBoxes(), std::vector<std::string>(2, "cant open file")) << name;
        EXPECT_TRUE(std::filesystem::is_empty(name));
        std::filesystem::remove_all(name);
    }
}

}  // namespace
