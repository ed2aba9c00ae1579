// The Windows side of this folder: the error box itself (the one real box of these suites) and
// the trace files in text mode, closed after use.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "threeds/diagnostics.h"

namespace {

TEST(ThreedsWin, ErrorBoxIsOwnerlessWithTheErrorIconAndOk)
{
    DialogAnswerer answerer;
    HWND owner = reinterpret_cast<HWND>(1);
    answerer.runOnNext([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(errorBox("Disk on fire"), IDOK);
    EXPECT_EQ(owner, nullptr);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text + " / " + answerer.seen()[0].caption + " / " + std::to_string(answerer.seen()[0].style),
              "Disk on fire / Error / " + std::to_string(MB_OK | MB_ICONERROR));
}

// Trace lines end in a carriage return and a line feed. (That the 3DS streams are binary and
// closed after use the editor's suite shows: it saves 3DS files and opens them again.)
TEST(ThreedsWin, TraceFilesAreTextAndClosedAfterUse)
{
    DeleteFileA("file.tst");
    logLine("a");
    logLine("b");
    EXPECT_EQ(readFileText("file.tst"), "a\r\nb\r\n");
    EXPECT_TRUE(DeleteFileA("file.tst")) << "a file left open cannot be deleted";
}

}  // namespace
