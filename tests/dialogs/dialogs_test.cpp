// The Open Bitmap dialog (the real common dialog on a real owner window, answered by the hook)
// and the names of the common dialogs' extended errors, against the platform's own names.
#include "dialogs/common_dialog_errors.h"
#include "dialogs/open_bitmap_dialog_win.h"

#include <gtest/gtest.h>
#include <cderr.h>
#include <dlgs.h>
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "tests/support/test_window_win.h"

namespace {

#define PLATFORM_NAME(code) {code, #code}

TEST(Dialogs, EachErrorNameIsThePlatformsNameOfItsCode) {
    const struct {
        uint32_t code;
        const char* name;
    } platform[] = {PLATFORM_NAME(CDERR_STRUCTSIZE), PLATFORM_NAME(CDERR_INITIALIZATION),
                    PLATFORM_NAME(CDERR_NOTEMPLATE), PLATFORM_NAME(CDERR_NOHINSTANCE),
                    PLATFORM_NAME(CDERR_LOADSTRFAILURE), PLATFORM_NAME(CDERR_FINDRESFAILURE),
                    PLATFORM_NAME(CDERR_LOADRESFAILURE), PLATFORM_NAME(CDERR_LOCKRESFAILURE),
                    PLATFORM_NAME(CDERR_MEMALLOCFAILURE), PLATFORM_NAME(CDERR_MEMLOCKFAILURE),
                    PLATFORM_NAME(CDERR_NOHOOK), PLATFORM_NAME(FNERR_SUBCLASSFAILURE),
                    PLATFORM_NAME(FNERR_INVALIDFILENAME), PLATFORM_NAME(FNERR_BUFFERTOOSMALL)};
    int tabs = 0;
    for (const auto& entry : platform) {
        std::string name = commonDialogErrorName(entry.code) ? commonDialogErrorName(entry.code) : "";
        if (!name.empty() && name.back() == '\t')
            ++tabs, name.pop_back();
        EXPECT_EQ(name, entry.name);
    }
    EXPECT_EQ(tabs, 3) << "three names end in a tab";
    int named = 0;
    for (uint32_t code = 0; code <= 0x10000; ++code)
        named += commonDialogErrorName(code) != nullptr;
    EXPECT_EQ(named, 14) << "no other code has a name, 0 (cancel) included";
}

struct OpenBitmap : testing::Test {
    TestWindow owner{320, 240};
    DialogAnswerer answerer;
};

// The user sees the three filters, "BMP" chosen; cancelling returns nothing and shows nothing.
TEST_F(OpenBitmap, OffersTheThreeFiltersAndCancelReturnsNothing) {
    HWND dialogOwner = nullptr;
    std::string filters;
    answerer.runOnNext([&](HWND dialog) {
        dialogOwner = GetWindow(dialog, GW_OWNER);
        HWND types = GetDlgItem(dialog, cmb1);
        const int chosen = int(SendMessageA(types, CB_GETCURSEL, 0, 0));
        for (int i = 0; i < int(SendMessageA(types, CB_GETCOUNT, 0, 0)); ++i) {
            char text[64] = {};
            SendMessageA(types, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
            filters += std::string(text) + (i == chosen ? "* " : " ");
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, LPARAM(GetDlgItem(dialog, IDCANCEL)));
    });
    EXPECT_EQ(chooseBitmapFile(owner.handle(), 246), "");
    EXPECT_EQ(dialogOwner, owner.handle());
    EXPECT_EQ(filters, "BMP* All PGM ");
    EXPECT_TRUE(answerer.boxTexts().empty());
}

// A name typed without its extension gets ".bmp", even beside a file of the bare name; a name
// longer than the buffer makes the dialog fail: the one path that shows a name in the box.
TEST_F(OpenBitmap, ANameWithoutExtensionOpensTheBitmapAndAFailureShowsItsName) {
    for (const char* name : {"picked", "picked.bmp"})
        writeFile(name, std::string("bytes"));
    answerer.typeFileName("picked");
    const std::string chosen = chooseBitmapFile(owner.handle(), 260);
    EXPECT_EQ(chosen.substr(chosen.find_last_of("\\/") + 1), "picked.bmp");
    writeFile("a longer name than fits.bmp", std::string("bytes"));
    answerer.typeFileName("a longer name than fits.bmp");
    EXPECT_EQ(chooseBitmapFile(owner.handle(), 8), "");
    EXPECT_EQ(answerer.boxTexts(), std::vector<std::string>{"FNERR_BUFFERTOOSMALL"});
}

} // namespace
