// The Windows side of the diagnostics: the error box itself and a read-only debug log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "tests/support/dialog_answerer.h"
#include "tests/threeds/chunk_builder.h"
#include "threeds/diagnostics.h"

namespace {

TEST(DiagnosticsWin, ErrorBoxIsOwnerlessWithTheErrorIconAndOk)
{
    DialogAnswerer answerer;
    HWND owner = reinterpret_cast<HWND>(1);
    bool hasOk = false;
    bool hasCancel = true;
    answerer.runOnNext([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        hasOk = GetDlgItem(box, IDOK) != nullptr;
        hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(errorBox("Disk on fire"), IDOK);
    EXPECT_EQ(owner, nullptr);
    EXPECT_TRUE(hasOk);
    EXPECT_FALSE(hasCancel);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "Disk on fire");
    EXPECT_EQ(answerer.seen()[0].caption, "Error");
    EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_OK | MB_ICONERROR));
}

TEST(DiagnosticsWin, ReadOnlyLogMakesEveryLogLineShowCantOpenFile)
{
    SetFileAttributesA("file.tst", FILE_ATTRIBUTE_NORMAL);
    std::remove("file.tst");
    logLine("before");
    const std::vector<uint8_t> before = readFileBytes("file.tst");
    ASSERT_TRUE(SetFileAttributesA("file.tst", FILE_ATTRIBUTE_READONLY));
    {
        DialogAnswerer answerer;
        logLine("one");
        logLine("two");
        logLine("three");
        ASSERT_EQ(answerer.seen().size(), 3u);
        for (const DialogAnswerer::Box& box : answerer.seen()) {
            EXPECT_EQ(box.text, "cant open file");
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.style, unsigned(MB_OK | MB_ICONERROR));
        }
    }
    SetFileAttributesA("file.tst", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFileBytes("file.tst"), before);
}

}  // namespace
