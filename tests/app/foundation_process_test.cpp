// The real program started as its own process: its window tree, the blue view it presents,
// and the exit code of each way out.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/program_process_win.h"
#include "tests/support/temp_folder.h"

namespace {

std::string TextOf(HWND window) {
    char text[128] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

RECT ClientRectOf(HWND window) {
    RECT rect;
    GetClientRect(window, &rect);
    return rect;
}

bool WaitForBlueView(const ProgramProcess& program, int timeoutMs) {
    const DWORD end = GetTickCount() + DWORD(timeoutMs);
    do {
        const RECT view = ClientRectOf(program.deviceWindow);
        if (view.right > 0 && DeviceWindowPixel(program, view.right / 2, view.bottom / 2) == 0x0000FF)
            return true;
        Sleep(20);
    } while (int(end - GetTickCount()) > 0);
    return false;
}

class FoundationProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartProgram(program)) << ProgramPath();
        ASSERT_TRUE(WaitForMainWindow(program, 20000));
        ASSERT_TRUE(WaitForBlueView(program, 20000));
    }
    void TearDown() override {
        if (program.info.hProcess)
            WaitForExit(program, 0);
    }
    ProgramProcess program;
};

TEST_F(FoundationProcess, ShowsMapwellWithItsMenuAndTheBlueViewOnTheLeftHalf) {
    HWND main = program.mainWindow;
    EXPECT_EQ(TextOf(main), "Mapwell");
    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.right - outer.left, 700);
    EXPECT_EQ(outer.bottom - outer.top, 700);
    // The window has its menu (its items are checked in-process: under Wine a menu handle is
    // only readable by the process that loaded it).
    EXPECT_NE(GetMenu(main), nullptr);

    HWND view = program.deviceWindow;
    EXPECT_EQ(TextOf(view), "Quillfold: Optimizing Meshes in D3D");
    const RECT client = ClientRectOf(main);
    const RECT viewClient = ClientRectOf(view);
    EXPECT_EQ(viewClient.right, client.right / 2);
    EXPECT_EQ(viewClient.bottom, client.bottom);
    // Blue over the whole view, corners included.
    EXPECT_EQ(DeviceWindowPixel(program, 1, 1), 0x0000FFu);
    EXPECT_EQ(DeviceWindowPixel(program, viewClient.right - 1, viewClient.bottom - 1), 0x0000FFu);
    // The right half belongs to another child: the texture pane.
    POINT paneCentre = {client.right / 2 + client.right / 4, client.bottom / 2};
    HWND atPane = ChildWindowFromPointEx(main, paneCentre, CWP_SKIPINVISIBLE);
    EXPECT_NE(atPane, nullptr);
    EXPECT_NE(atPane, main);
    EXPECT_NE(atPane, view);

    PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(WaitForExit(program, 20000), 0);
}

TEST_F(FoundationProcess, FileExitEndsWithExitCodeZero) {
    // What the menu sends for "E&xit\tESC".
    PostMessageA(program.mainWindow, WM_COMMAND, MAKEWPARAM(40006, 0), 0);
    EXPECT_EQ(WaitForExit(program, 20000), 0);
}

TEST_F(FoundationProcess, CloseBoxEndsWithExitCodeZero) {
    PostMessageA(program.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForExit(program, 20000), 0);
}

// A copy of the program in a folder with no "media" folder anywhere above it, started in an
// empty folder: the media search finds no "knot.x", and the program still starts and ends.
TEST(FoundationProcessWithoutMedia, StartsWithTheBlueViewAndEndsWithZero) {
    const TempFolder temp;
    const std::string program = temp.file("mapwell.exe");
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(temp.path().c_str()));
    ProgramProcess process;
    const bool started = StartProgram(process, program);
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(started);
    ASSERT_TRUE(WaitForMainWindow(process, 20000));
    EXPECT_TRUE(WaitForBlueView(process, 20000));

    // The right half belongs to the texture pane, not to the view.
    RECT client = ClientRectOf(process.mainWindow);
    POINT paneCentre = {client.right * 3 / 4, client.bottom / 2};
    HWND pane = ChildWindowFromPointEx(process.mainWindow, paneCentre, CWP_SKIPINVISIBLE);
    EXPECT_NE(pane, nullptr);
    EXPECT_NE(pane, process.deviceWindow);

    PostMessageA(process.mainWindow, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(WaitForExit(process, 20000), 0);
}

}  // namespace
