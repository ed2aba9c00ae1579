// The PGM reader on real files: one table of files and what each leaves in an image that held
// a 1 x 1 picture before, and the limits of its memory and its pixel access.
#include "imagefile/pgm_image.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "tests/support/test_files.h"

namespace {

// Reads `content` from a real file into an image that held "z" before: the result, the image
// and what was printed. The file must be closed afterwards: on Windows an open file cannot be
// removed.
std::string readPgm(const std::string& content) {
    PgmImage image;
    writeFile("before.pgm", std::string("P5\n1 1\n9\nz"));
    EXPECT_EQ(image.read("before.pgm"), 0);
    writeFile("image.pgm", content);
    testing::internal::CaptureStdout();
    const int read = image.read("image.pgm");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::remove("image.pgm"), 0) << "the file was left open";
    const std::vector<uint8_t>& plane = image.greyPlane();
    return std::to_string(read) + ": " + std::to_string(image.getColumns()) + "x" + std::to_string(image.getRows()) +
           " max " + std::to_string(image.getMaxValue()) + " " + std::string(plane.begin(), plane.end()) + "|" + printed;
}

TEST(PgmImage, EachFileLeavesItsImageAndMessage) {
    const std::string unread = "-1: 1x1 max 9 z|";
    const struct { std::string content, outcome; } cases[] = {
        {"P5\n# made by hand\n# twice\n3 2\n255\nabcdef", "0: 3x2 max 255 abcdef|"},
        {"P5 3 2\n255\nabcdef", unread + "magic number was P5 , expected P5\n"},
        {"P5\r\n3 2\n255\nabcdef", unread + "magic number was P5\r, expected P5\n"},
        {"P2\n3 2\n255\nabcdef", unread + "magic number was P2\n, expected P5\n"},
        {"P5", unread + "magic number was P5, expected P5\n"},
        {"", unread + "magic number was , expected P5\n"},
        // A comment where the maximum belongs is taken as its line; the pixels follow it.
        {"P5\n2 2\n# note\n255\nxyz", "0: 2x2 max 9 255\n|"},
        {"P5\n3 2\n255\nabcde", "-1: 3x2 max 255 abcde" + std::string(1, '\0') + "|file was short: -1 (1,2;2,3)\n"},
        {"P5\n3 2\n255\nab", "-1: 3x2 max 255 ab" + std::string(4, '\0') + "|file was short: -1 (0,2;2,3)\n"},
        {"P5\n2 1\n65535\n\x01\x02", "0: 2x1 max 65535 \x01\x02|"},
        {"P5\n0 2\n255\n", unread}, {"P5\n2 -1\n255\n", unread}, {"P5\nwide\n255\n", unread},
        {"P5\n99999999999 2\n255\n", unread}, {"P5\n3\n255\n", unread}, {"P5\n# only\n", unread},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readPgm(c.content), c.outcome) << c.content;
    PgmImage image;
    testing::internal::CaptureStdout();
    EXPECT_EQ(image.read("no such image.pgm") + image.read(nullptr), -2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "couldnt open input file no such image.pgm\ncouldnt open input file (null)\n");
}

TEST(PgmImage, RejectsEveryTruncatedPrefix) {
    const std::string good = "P5\n# c\n4 3\n255\n0123456789AB";
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_EQ(readPgm(good.substr(0, length)).substr(0, 3), "-1:") << "cut at " << length;
}

TEST(PgmImage, SizeAtTheMemoryLimitIsReadAndOnePastIsRefused) {
    PgmImage image;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(image.allocate(1 << 13, 1 << 13));   // exactly MaxPixels
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(image.allocate((1 << 13) + 1, 1 << 13));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Insufficient memory for new image\n");
    EXPECT_EQ(image.getRows(), 0);
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

} // namespace
