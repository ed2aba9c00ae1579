// The debug log and the chunk dump, on real files in the suite's folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/support/test_files.h"
#include "tests/threeds/error_box_watch.h"
#include "threeds/chunk_dump.h"
#include "threeds/diagnostics.h"

namespace {

#ifdef _WIN32
const std::string kLineEnd = "\r\n";   // the files are written in text mode
#else
const std::string kLineEnd = "\n";
#endif

std::string fileText(const std::string& name)
{
    const std::vector<uint8_t> bytes = readFileBytes(name);
    return std::string(bytes.begin(), bytes.end());
}

TEST(Diagnostics, LogLinesAppendAfterWhatEarlierRunsWrote)
{
    std::remove("file.tst");
    logLine("first run");
    const std::string earlier = fileText("file.tst");
    EXPECT_EQ(earlier, "first run" + kLineEnd);

    logLine("a");
    logLine("b");
    EXPECT_EQ(fileText("file.tst"), earlier + "a" + kLineEnd + "b" + kLineEnd);
}

TEST(Diagnostics, EmptyTextAppendsAnEmptyLine)
{
    std::remove("file.tst");
    logLine("x");
    logLine("");
    logLine("y");
    EXPECT_EQ(readTextLines("file.tst"), (std::vector<std::string>{"x", "", "y"}));
}

TEST(Diagnostics, DumpAppendsTheLabelOrUnknownChunk)
{
    std::remove("chunks.tst");
    dumpChunkName(0x4D4D);
    dumpChunkName(0x1234);
    dumpChunkName(0x10000 | 0x4D4D);
    dumpChunkName(0xAFFF);
    EXPECT_EQ(fileText("chunks.tst"), "MAIN3DS 0x4D4D" + kLineEnd + "UNKNOWN CHUNK" + kLineEnd +
                                          "UNKNOWN CHUNK" + kLineEnd +
                                          "EDIT_MATERIAL or EDIT_UNKNW14 0xAFFF" + kLineEnd);
}

TEST(Diagnostics, SeventyOneIdsHaveLabelsEndingInTheirOwnId)
{
    int labelled = 0;
    for (uint32_t id = 0; id <= 0xFFFF; ++id) {
        const std::string label = chunkLabel(id);
        if (label == "UNKNOWN CHUNK")
            continue;
        ++labelled;
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, " 0x%04X", unsigned(id));
        ASSERT_GT(label.size(), std::string(suffix).size()) << label;
        EXPECT_EQ(label.substr(label.size() - 7), suffix) << label;
    }
    EXPECT_EQ(labelled, 71);
    EXPECT_STREQ(chunkLabel(0x0001), "TOP 0x0001");
    EXPECT_STREQ(chunkLabel(0x0011), "COL_TRU or MAT_RGB1AMBIENT 0x0011");
    EXPECT_STREQ(chunkLabel(0x4120), "TRI_FACEL1 0x4120");
    EXPECT_STREQ(chunkLabel(0x465A), "LIT_UNKNWN01 0x465A");
    EXPECT_STREQ(chunkLabel(0xB000), "KEYF3DS 0xB000");
    EXPECT_STREQ(chunkLabel(0xA300), "UNKNOWN CHUNK");
}

// A folder where the file should be cannot be opened as a file, whoever runs the test.
TEST(Diagnostics, UnopenableFileShowsCantOpenFileOnEveryCall)
{
    for (const char* name : {"file.tst", "chunks.tst"}) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(name);
        std::filesystem::create_directory(name);
        startWatchingErrorBoxes();
        if (std::string(name) == "file.tst") {
            logLine("lost");
            logLine("lost too");
        } else {
            dumpChunkName(0x4D4D);
            dumpChunkName(0x0002);
        }
        EXPECT_EQ(errorBoxesShown(),
                  (std::vector<std::string>{"cant open file", "cant open file"}));
        EXPECT_TRUE(std::filesystem::is_empty(name));
        std::filesystem::remove_all(name);
    }
}

}  // namespace
