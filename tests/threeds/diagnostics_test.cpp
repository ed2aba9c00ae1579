// The chunk labels, and the debug log on a real file in the suite's folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "threeds/chunk_dump.h"
#include "threeds/diagnostics.h"
#include "threeds/error_box_record.h"

namespace {

TEST(Diagnostics, SeventyOneIdsHaveLabelsEndingInTheirOwnId)
{
    int labelled = 0;
    for (uint32_t id = 0; id <= 0x1FFFF; ++id) {
        const std::string label = chunkLabel(id);
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, " 0x%04X", unsigned(id));
        labelled += label != "UNKNOWN CHUNK";
        EXPECT_TRUE(label == "UNKNOWN CHUNK" || label.substr(label.size() < 8 ? 0 : label.size() - 7) == suffix) << label;
    }
    EXPECT_EQ(labelled, 71);
}

// A folder where the file should be cannot be opened as a file, whoever runs the test.
TEST(Diagnostics, UnopenableFileShowsCantOpenFileOnEveryCall)
{
    std::filesystem::remove_all("file.tst");
    std::filesystem::create_directory("file.tst");
    clearRecordedErrorBoxes();
    logLine("lost");
    logLine("lost");
    EXPECT_EQ(recordedErrorBoxes(), std::vector<std::string>(2, "cant open file"));
    EXPECT_TRUE(std::filesystem::is_empty("file.tst"));
    std::filesystem::remove_all("file.tst");
}

}  // namespace
