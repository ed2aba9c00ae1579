#include "dialogs/open_bitmap_dialog_win.h"

#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_window_win.h"

namespace {

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The real common dialog on a real owner window, answered by the hook. What is done with the
// chosen file is the caller's (the image window's) and is tested there.
struct OpenBitmap : testing::Test {
    TestWindow owner{320, 240};
    DialogAnswerer answerer;
};

TEST_F(OpenBitmap, ReturnsTheChosenPathAndShowsNoBox) {
    std::ofstream("chosen.bmp") << "any bytes: the dialog does not read the file";
    answerer.typeFileName("chosen.bmp");
    const std::string path = chooseBitmapFile(owner.handle(), 246);
    EXPECT_TRUE(endsWith(path, "chosen.bmp")) << path;
    EXPECT_TRUE(answerer.boxTexts().empty());
    ASSERT_FALSE(answerer.seen().empty());
    EXPECT_EQ(answerer.seen().front().text, "") << "the first dialog is the file dialog";
}

TEST_F(OpenBitmap, CancelReturnsNothing) {
    answerer.cancelNext();
    EXPECT_EQ(chooseBitmapFile(owner.handle(), 246), "");
    EXPECT_TRUE(answerer.boxTexts().empty());
}

} // namespace
