#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_files.h"

namespace {

TEST(TempFolder, EachIsANewEmptyFolderRemovedWithItsFiles)
{
    std::string kept;
    {
        const TempFolder first;
        const TempFolder second;
        EXPECT_NE(first.path(), second.path());
        for (const TempFolder* folder : {&first, &second}) {
            EXPECT_TRUE(std::filesystem::is_directory(folder->path()));
            EXPECT_TRUE(std::filesystem::is_empty(folder->path()));
        }
        writeFile(first.file("inside.txt"), "x");
        EXPECT_EQ(readFileText(first.path() + "/inside.txt"), "x");
        kept = first.path();
    }
    EXPECT_FALSE(fileExists(kept));
}

} // namespace
