#include "imagefile/pgm_image.h"

#include <gtest/gtest.h>
#include <string>
#include "tests/support/test_files.h"

namespace {

// Reads `content` from a real file and returns the result; `printed` gets stdout.
int readText(PgmImage& image, const std::string& content, std::string& printed,
             const std::string& name = "image.pgm") {
    writeFile(name, content);
    testing::internal::CaptureStdout();
    const int result = image.read(name.c_str());
    printed = testing::internal::GetCapturedStdout();
    return result;
}

TEST(PgmImage, ReadsSizeMaximumAndPixelsRowByRow) {
    PgmImage image;
    std::string printed;
    ASSERT_EQ(readText(image, "P5\n# made by hand\n# twice\n3 2\n255\nabcdef", printed), 0);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(image.getColumns(), 3);
    EXPECT_EQ(image.getRows(), 2);
    EXPECT_EQ(image.getMaxValue(), 255);
    EXPECT_EQ(image.getPixel(0, 0), 'a');
    EXPECT_EQ(image.getPixel(0, 2), 'c');
    EXPECT_EQ(image.getPixel(1, 0), 'd');
    EXPECT_EQ(image.getPixel(1, 2), 'f');
}

TEST(PgmImage, MagicMustBeP5FollowedDirectlyByALineFeed) {
    struct Case {
        std::string content;
        std::string message;
    };
    const Case cases[] = {
        {"P5 3 2\n255\nabcdef", "magic number was P5 , expected P5\n"},
        {"P5\r\n3 2\n255\nabcdef", "magic number was P5\r, expected P5\n"},
        {"P2\n3 2\n255\nabcdef", "magic number was P2\n, expected P5\n"},
        {"P5", "magic number was P5, expected P5\n"},
        {"", "magic number was , expected P5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        PgmImage image;
        std::string printed;
        EXPECT_EQ(readText(image, c.content, printed), -1);
        EXPECT_EQ(printed, c.message);
    }
}

TEST(PgmImage, MissingFileIsReportedByName) {
    PgmImage image;
    testing::internal::CaptureStdout();
    EXPECT_EQ(image.read("no such image.pgm"), -1);
    EXPECT_EQ(image.read(nullptr), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "couldnt open input file no such image.pgm\ncouldnt open input file (null)\n");
}

TEST(PgmImage, CommentBeforeTheMaximumIsTakenAsTheMaximumLine) {
    PgmImage image;
    std::string printed;
    // "# note" stands where the maximum belongs; "255\n" is then read as the first pixels.
    ASSERT_EQ(readText(image, "P5\n2 2\n# note\n255\nxyz", printed), 0);
    EXPECT_EQ(image.getMaxValue(), 0);
    EXPECT_EQ(image.getPixel(0, 0), '2');
    EXPECT_EQ(image.getPixel(0, 1), '5');
    EXPECT_EQ(image.getPixel(1, 0), '5');
    EXPECT_EQ(image.getPixel(1, 1), '\n');
}

TEST(PgmImage, ShortFileNamesTheRowAndColumnTried) {
    PgmImage image;
    std::string printed;
    EXPECT_EQ(readText(image, "P5\n3 2\n255\nabcde", printed), -1);
    EXPECT_EQ(printed, "file was short: -1 (1,2;2,3)\n");
    EXPECT_EQ(image.getPixel(0, 1), 'b') << "rows read so far stay";
    EXPECT_EQ(readText(image, "P5\n3 2\n255\nab", printed), -1);
    EXPECT_EQ(printed, "file was short: -1 (0,2;2,3)\n");
}

TEST(PgmImage, MaximumAbove255StillReadsOneBytePerPixel) {
    PgmImage image;
    std::string printed;
    ASSERT_EQ(readText(image, "P5\n2 1\n65535\n\x01\x02", printed), 0);
    EXPECT_EQ(image.getMaxValue(), 65535);
    EXPECT_EQ(image.getPixel(0, 0), 1);
    EXPECT_EQ(image.getPixel(0, 1), 2);
}

TEST(PgmImage, PixelAccessIsClampedIntoTheImage) {
    PgmImage image;
    ASSERT_TRUE(image.allocate(4, 3));
    image.setPixel(0, 2, 42);
    EXPECT_EQ(image.getPixel(-1, 10000), 42);
    image.setPixel(99, -5, 7);
    EXPECT_EQ(image.getPixel(3, 0), 7);
    PgmImage empty;
    empty.setPixel(0, 0, 1);
    EXPECT_EQ(empty.getPixel(0, 0), 0);
}

TEST(PgmImage, BadSizesAreRefusedWithoutAllocating) {
    const char* const contents[] = {"P5\n0 2\n255\n", "P5\n2 -1\n255\n", "P5\nwide\n255\n",
                                    "P5\n99999999999 2\n255\n", "P5\n3\n255\n", "P5\n# only\n"};
    for (const char* content : contents) {
        SCOPED_TRACE(content);
        PgmImage image;
        std::string printed;
        EXPECT_EQ(readText(image, content, printed), -1);
        EXPECT_EQ(image.greyPlane().size(), 0u);
    }
}

TEST(PgmImage, SizeAtTheMemoryLimitIsReadAndOnePastIsRefused) {
    PgmImage image;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(image.allocate(1 << 13, 1 << 13));  // exactly MaxPixels
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(image.allocate((1 << 13) + 1, 1 << 13));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Insufficient memory for new image\n");
    EXPECT_EQ(image.getRows(), 0);

    std::string printed;
    testing::internal::CaptureStderr();
    EXPECT_EQ(readText(image, "P5\n100000 100000\n255\nab", printed), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Insufficient memory for new image\n");
}

TEST(PgmImage, RejectsEveryTruncatedPrefix) {
    const std::string good = "P5\n# c\n4 3\n255\n0123456789AB";
    PgmImage image;
    std::string printed;
    ASSERT_EQ(readText(image, good, printed), 0);
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(readText(image, good.substr(0, length), printed), -1);
    }
}

TEST(PgmImage, ReadingAgainReplacesThePlane) {
    PgmImage image;
    std::string printed;
    ASSERT_EQ(readText(image, "P5\n3 2\n255\nabcdef", printed), 0);
    ASSERT_EQ(readText(image, "P5\n1 1\n9\nz", printed), 0);
    EXPECT_EQ(image.greyPlane(), std::vector<uint8_t>{'z'});
}

} // namespace
