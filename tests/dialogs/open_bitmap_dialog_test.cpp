#include "dialogs/open_bitmap_dialog_win.h"

#include <gtest/gtest.h>
#include <string>
#include "imagefile/image_bitmap_win.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "tests/support/test_window_win.h"

namespace {

using Texts = std::vector<std::string>;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<uint8_t> smallBmp(int width) {
    BmpLayout layout;
    layout.width = width;
    layout.height = 2;
    layout.pixels.assign(size_t(width) * 2, 0x336699);
    return buildBmp(layout);
}

// The real common dialog on a real owner window, answered by the hook.
struct OpenBitmap : testing::Test {
    TestWindow owner{320, 240};
    DialogAnswerer answerer;
    ImageBitmap bitmap;

    // Message boxes only: the common dialog itself has no text.
    Texts boxes() { return answerer.boxTexts(); }
};

TEST_F(OpenBitmap, ChosenBmpIsLoadedAndItsPathReturned) {
    writeFile("chosen.bmp", smallBmp(5));
    answerer.typeFileName("chosen.bmp");
    const std::string path = openBitmap(bitmap, owner.handle());
    EXPECT_TRUE(endsWith(path, "chosen.bmp")) << path;
    EXPECT_EQ(std::string(bitmap.getFilePath()), path);
    EXPECT_EQ(bitmap.getWidth(), 5);
    EXPECT_EQ(bitmap.isLoaded(), 1);
    EXPECT_TRUE(boxes().empty());
    ASSERT_FALSE(answerer.seen().empty());
    EXPECT_EQ(answerer.seen().front().text, "") << "the first dialog is the file dialog";
}

TEST_F(OpenBitmap, CancelReturnsNothingAndKeepsTheImage) {
    writeFile("first.bmp", smallBmp(3));
    answerer.typeFileName("first.bmp");
    ASSERT_FALSE(openBitmap(bitmap, owner.handle()).empty());
    HBITMAP shown = bitmap.getShownBitmap();
    answerer.cancelNext();
    EXPECT_EQ(openBitmap(bitmap, owner.handle()), "");
    EXPECT_STREQ(bitmap.getFilePath(), "");
    EXPECT_EQ(bitmap.getShownBitmap(), shown);
    EXPECT_EQ(bitmap.getWidth(), 3);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(OpenBitmap, ChosenPgmIsLoadedOnce) {
    writeFile("grey.pgm", "P5\n2 2\n255\nabcd");
    answerer.typeFileName("grey.pgm");
    const std::string path = openBitmap(bitmap, owner.handle());
    EXPECT_TRUE(endsWith(path, "grey.pgm")) << path;
    EXPECT_EQ(boxes(), Texts{"stop"});
    EXPECT_EQ(bitmap.getWidth(), 2);
    EXPECT_NE(bitmap.getShownBitmap(), nullptr);
}

TEST_F(OpenBitmap, NameWithBothExtensionsTriesBmpThenPgmTwice) {
    writeFile("both.bmp.pgm", "P5\n2 1\n255\nab");
    answerer.typeFileName("both.bmp.pgm");
    const std::string path = openBitmap(bitmap, owner.handle());
    EXPECT_TRUE(endsWith(path, "both.bmp.pgm")) << path;
    EXPECT_EQ(boxes(), (Texts{"Could not open File", "stop", "stop"}));
    EXPECT_EQ(bitmap.getWidth(), 2);
}

TEST_F(OpenBitmap, CapitalExtensionIsReturnedButNotLoaded) {
    writeFile("LOUD.BMP", smallBmp(2));
    answerer.typeFileName("LOUD.BMP");
    const std::string path = openBitmap(bitmap, owner.handle());
    EXPECT_TRUE(endsWith(path, "LOUD.BMP")) << path;
    EXPECT_EQ(bitmap.getLoadedBitmap(), nullptr);
    EXPECT_TRUE(boxes().empty());
}

} // namespace
