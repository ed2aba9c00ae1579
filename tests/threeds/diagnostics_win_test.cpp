// The Windows side of the diagnostics: the error box itself and a read-only debug log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "threeds/diagnostics.h"

namespace {

// The boxes captioned "Error", leaving out any dialog Wine itself may show.
std::vector<DialogAnswerer::Box> errorBoxes(const DialogAnswerer& answerer)
{
    std::vector<DialogAnswerer::Box> boxes;
    for (const DialogAnswerer::Box& box : answerer.seen()) {
        if (box.caption == "Error")
            boxes.push_back(box);
    }
    return boxes;
}

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
    const std::vector<DialogAnswerer::Box> boxes = errorBoxes(answerer);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Disk on fire");
    EXPECT_EQ(boxes[0].style, unsigned(MB_OK | MB_ICONERROR));
}

void expectThreeCantOpenFileBoxes(const DialogAnswerer& answerer)
{
    const std::vector<DialogAnswerer::Box> boxes = errorBoxes(answerer);
    ASSERT_EQ(boxes.size(), 3u);
    for (const DialogAnswerer::Box& box : boxes) {
        EXPECT_EQ(box.text, "cant open file");
        EXPECT_EQ(box.style, unsigned(MB_OK | MB_ICONERROR));
    }
}

std::vector<uint8_t> freshLog()
{
    SetFileAttributesA("file.tst", FILE_ATTRIBUTE_NORMAL);
    std::remove("file.tst");
    logLine("before");
    return readFileBytes("file.tst");
}

TEST(DiagnosticsWin, ReadOnlyLogMakesEveryLogLineShowCantOpenFile)
{
    const std::vector<uint8_t> before = freshLog();
    ASSERT_TRUE(SetFileAttributesA("file.tst", FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA("file.tst", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        SetFileAttributesA("file.tst", FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "this user may write read-only files (Wine run as root)";
    }
    {
        DialogAnswerer answerer;
        logLine("one");
        logLine("two");
        logLine("three");
        expectThreeCantOpenFileBoxes(answerer);
    }
    SetFileAttributesA("file.tst", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFileBytes("file.tst"), before);
}

// Held open by another handle that shares no writing: the log cannot be opened either.
TEST(DiagnosticsWin, LockedLogMakesEveryLogLineShowCantOpenFile)
{
    const std::vector<uint8_t> before = freshLog();
    HANDLE holder = CreateFileA("file.tst", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    {
        DialogAnswerer answerer;
        logLine("one");
        logLine("two");
        logLine("three");
        expectThreeCantOpenFileBoxes(answerer);
    }
    CloseHandle(holder);
    EXPECT_EQ(readFileBytes("file.tst"), before);
}

}  // namespace
