// Bounded copies and appends into fixed buffers, and the path cutting of the media search.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/text_buffer.h"

namespace {

TEST(TextBuffer, CopyCutsToTheBufferAndTerminates) {
    char buffer[6];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_TRUE(CopyBounded(buffer, "abcdefgh", sizeof(buffer)));
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_TRUE(CopyBounded(buffer, "ab", sizeof(buffer)));
    EXPECT_STREQ(buffer, "ab");
}

TEST(TextBuffer, CopyOfExactlyFittingTextKeepsItWhole) {
    char buffer[4];
    EXPECT_TRUE(CopyBounded(buffer, "abc", 4));
    EXPECT_STREQ(buffer, "abc");
}

TEST(TextBuffer, CopyRefusesNullAndEmptyBuffers) {
    char buffer[4] = "zz";
    EXPECT_FALSE(CopyBounded(nullptr, "a", 4));
    EXPECT_FALSE(CopyBounded(buffer, nullptr, 4));
    EXPECT_FALSE(CopyBounded(buffer, "a", 0));
    EXPECT_STREQ(buffer, "zz");
    EXPECT_TRUE(CopyBounded(buffer, "abc", 1));
    EXPECT_STREQ(buffer, "");
}

TEST(TextBuffer, CopyReadsNoFurtherThanItNeeds) {
    // An unterminated source exactly as long as the buffer: the sanitizer sees any over-read.
    std::unique_ptr<char[]> source(new char[4]{'a', 'b', 'c', 'd'});
    char buffer[4];
    EXPECT_TRUE(CopyBounded(buffer, source.get(), sizeof(buffer)));
    EXPECT_STREQ(buffer, "abc");
}

TEST(TextBuffer, AppendAtTheLimitAndOnePast) {
    char buffer[8] = "abc";
    EXPECT_TRUE(AppendBounded(buffer, sizeof(buffer), "defg"));   // 7 characters fit
    EXPECT_STREQ(buffer, "abcdefg");
    char full[8] = "abc";
    EXPECT_FALSE(AppendBounded(full, sizeof(full), "defgh"));     // 8 do not
    EXPECT_STREQ(full, "abc");
}

TEST(TextBuffer, CutAfterLastSeparatorKeepsTheFolder) {
    char path[] = "C:\\media\\sub/knot.x";
    EXPECT_TRUE(CutAfterLastSeparator(path));
    EXPECT_STREQ(path, "C:\\media\\sub/");
    char bare[] = "knot.x";
    EXPECT_FALSE(CutAfterLastSeparator(bare));
    EXPECT_STREQ(bare, "knot.x");
}

TEST(TextBuffer, FileNamePartFollowsTheLastSeparator) {
    EXPECT_STREQ(FileNamePart("C:\\a\\b\\knot.x"), "knot.x");
    EXPECT_STREQ(FileNamePart("a/b"), "b");
    EXPECT_STREQ(FileNamePart("knot.x"), "knot.x");
    EXPECT_STREQ(FileNamePart("C:\\folder\\"), "");
}

}  // namespace
