// Atomic saving: whatever a save fails at, the earlier file keeps its bytes and nothing of the
// save is left in its folder.
#include "base/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

using Names = std::set<std::string>;

struct AtomicFileTest : testing::Test {
    TempFolder folder;
    const std::string target = folder.file("mesh.x");
    const std::string earlier = "the earlier file";
    const std::string later = "a longer file that takes the earlier one's place";

    SaveResult save(const std::string& path) { return saveFileAtomically(path.c_str(), later.data(), later.size()); }
    Names names() const
    {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
    void TearDown() override { stopFailingSaves(); }
};

TEST_F(AtomicFileTest, FailingAtAnyByteLeavesTheEarlierFileAndNothingElse)
{
    writeFile(target, earlier);
    for (size_t byte = 0; byte < later.size(); ++byte) {
        failSavesAfterBytes(byte);
        EXPECT_EQ(save(target), SaveResult::WriteFailed) << byte;
        EXPECT_EQ(readFileText(target), earlier) << byte;
        EXPECT_EQ(names(), Names{"mesh.x"}) << byte;
    }
    failSavesAfterBytes(later.size());
    EXPECT_EQ(save(target), SaveResult::Saved);
    EXPECT_EQ(readFileText(target), later);
    EXPECT_EQ(names(), Names{"mesh.x"});
}

TEST_F(AtomicFileTest, SavesThatCannotHappenChangeNothing)
{
    std::filesystem::create_directory(folder.file("folder.x"));
    writeFile(folder.file("~mapwell0.tmp"), earlier);   // someone's file, or a crashed save's
    failSavesAfterBytes(5);
    EXPECT_EQ(save(folder.file("new.x")), SaveResult::WriteFailed) << "a new file cut short";
    stopFailingSaves();
    EXPECT_EQ(save(folder.file("no folder/mesh.x")), SaveResult::CannotCreate);
    EXPECT_EQ(save(folder.file("folder.x")), SaveResult::CannotReplace) << "a folder in the way";
    EXPECT_EQ(names(), (Names{"folder.x", "~mapwell0.tmp"}));
    EXPECT_EQ(readFileText(folder.file("~mapwell0.tmp")), earlier);

    EXPECT_EQ(save(target), SaveResult::Saved) << "a name beside the leftover";
    EXPECT_EQ(names(), (Names{"folder.x", "mesh.x", "~mapwell0.tmp"}));
    EXPECT_EQ(readFileText(folder.file("~mapwell0.tmp")), earlier);
}

TEST_F(AtomicFileTest, AFileNeverCommittedTakesItsTemporaryFileAway)
{
    {
        AtomicFile file(target.c_str());
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(names().size(), 1u);
    }
    EXPECT_EQ(names(), Names{});
}

}  // namespace
