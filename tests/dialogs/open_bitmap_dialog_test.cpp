#include "dialogs/open_bitmap_dialog.h"

#include <gtest/gtest.h>
#include <string>
#include "imagefile/image_bitmap.h"
#include "tests/imagefile/bmp_builder.h"
#include "tests/imagefile/test_window_win.h"
#include "tests/support/dialog_answerer.h"

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

std::vector<uint8_t> text(const std::string& content) {
    return std::vector<uint8_t>(content.begin(), content.end());
}

void CALLBACK cancelStillOpenDialog(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

// The real common dialog on a real owner window, answered by the hook.
struct OpenBitmap : testing::Test {
    TestWindow owner{320, 240};
    DialogAnswerer answerer;
    ImageBitmap bitmap;

    // Types `name` and presses Open. Should the dialog refuse the name and stay open (it then
    // shows a box of its own, which the answerer presses OK on), it is cancelled a little
    // later, so that the test fails instead of hanging.
    void typeOrGiveUp(const std::string& name) {
        answerer.runOnNext([name](HWND dialog) {
            SetDlgItemTextA(dialog, 0x47C, name.c_str());
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            SetTimer(dialog, 0x5EED, 3000, cancelStillOpenDialog);
        });
    }

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
    writeFile("grey.pgm", text("P5\n2 2\n255\nabcd"));
    answerer.typeFileName("grey.pgm");
    const std::string path = openBitmap(bitmap, owner.handle());
    EXPECT_TRUE(endsWith(path, "grey.pgm")) << path;
    EXPECT_EQ(boxes(), Texts{"stop"});
    EXPECT_EQ(bitmap.getWidth(), 2);
    EXPECT_NE(bitmap.getShownBitmap(), nullptr);
}

TEST_F(OpenBitmap, NameWithBothExtensionsTriesBmpThenPgmTwice) {
    writeFile("both.bmp.pgm", text("P5\n2 1\n255\nab"));
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

TEST_F(OpenBitmap, PathLongerThanTheBufferFailsWithItsName) {
    // A short name in a deep folder: the typed text fits, the full path does not. How Wine's
    // dialog treats such a path depends on its whole length, so the case runs in a folder of
    // fixed length (51 characters) wherever the suite itself runs.
    char suiteFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, suiteFolder);
    const std::string base = "C:\\" + std::string(48, 'b');
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(SetCurrentDirectoryA(base.c_str()));
    const std::string folder(200, 'd');
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    writeFile(folder + "\\deep.bmp", smallBmp(2));
    char current[MAX_PATH] = {};
    // The full path needs 246 characters and the terminating zero: one more than the buffer.
    ASSERT_GE(GetCurrentDirectoryA(MAX_PATH, current) + 1 + folder.size() + 9, 246u);
    typeOrGiveUp(folder + "\\deep.bmp");
    EXPECT_EQ(openBitmap(bitmap, owner.handle()), "");
    EXPECT_EQ(boxes(), Texts{"FNERR_BUFFERTOOSMALL"});
    EXPECT_EQ(bitmap.getLoadedBitmap(), nullptr);
    EXPECT_STREQ(bitmap.getFilePath(), "");
    SetCurrentDirectoryA(suiteFolder);
}

} // namespace
