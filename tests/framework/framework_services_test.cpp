// The framework's Windows services on the real system: the media search with real files in
// the suite's folder, the program-wide timer on the real clock, and the arcball's mapping of
// real mouse messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/app_timer.h"
#include "framework/arc_ball_win.h"
#include "framework/media_search_win.h"

namespace {

void WriteFile(const char* name) {
    FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("xof 0303txt 0032\n", file);
    std::fclose(file);
}

std::string FullPath(const char* name) {
    char path[MAX_PATH];
    GetFullPathNameA(name, MAX_PATH, path, nullptr);
    return path;
}

TEST(FrameworkMediaSearch, FileInTheCurrentFolderIsFoundByItsFullPath) {
    WriteFile("present.x");
    char dest[MAX_PATH];
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "present.x"), S_OK);
    EXPECT_EQ(std::string(dest), FullPath("present.x"));
}

TEST(FrameworkMediaSearch, BareNameInTheCurrentFolderIsFoundWhenItsFolderIsNot) {
    WriteFile("moved.x");
    char dest[MAX_PATH];
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "no such folder\\moved.x"), S_OK);
    EXPECT_STREQ(dest, "moved.x");
}

TEST(FrameworkMediaSearch, NameFoundNowhereStaysInTheDestination) {
    char dest[MAX_PATH];
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "nowhere-at-all.x"),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(dest, "nowhere-at-all.x");
}

TEST(FrameworkMediaSearch, BadArgumentsAndShortBuffersAreRefused) {
    char dest[8] = "x";
    EXPECT_EQ(LocateMediaFile(nullptr, 8, "a.x"), E_INVALIDARG);
    EXPECT_EQ(LocateMediaFile(dest, 8, nullptr), E_INVALIDARG);
    EXPECT_EQ(LocateMediaFile(dest, 0, "a.x"), E_INVALIDARG);
    // The full path of any name is longer than 8 characters.
    EXPECT_EQ(LocateMediaFile(dest, 8, "a.x"), E_FAIL);
    EXPECT_STREQ(dest, "");
}

TEST(FrameworkMediaSearch, MediaFolderIsAnExistingFolderEndingInABackslash) {
    char folder[MAX_PATH];
    ASSERT_EQ(GetMediaFolder(folder, MAX_PATH), S_OK);
    const std::string text = folder;
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\\');
    const DWORD attributes = GetFileAttributesA(text.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    char tiny[4];
    EXPECT_EQ(GetMediaFolder(tiny, sizeof(tiny)), E_INVALIDARG);
    EXPECT_EQ(GetMediaFolder(nullptr, MAX_PATH), E_INVALIDARG);
    EXPECT_EQ(GetMediaFolder(folder, 0), E_INVALIDARG);
}

TEST(FrameworkMediaSearch, CopyToGenericStringCutsAndRefusesBadArguments) {
    char dest[5];
    EXPECT_EQ(CopyToGenericString(dest, "Adapter", 5), S_OK);
    EXPECT_STREQ(dest, "Adap");
    EXPECT_EQ(CopyToGenericString(nullptr, "a", 5), E_INVALIDARG);
    EXPECT_EQ(CopyToGenericString(dest, nullptr, 5), E_INVALIDARG);
    EXPECT_EQ(CopyToGenericString(dest, "a", 0), E_INVALIDARG);
}

TEST(FrameworkTimer, StoppedTimeStandsStillAndAdvanceAddsATenth) {
    AppTimer(TimerCommand::Start);
    Sleep(20);
    AppTimer(TimerCommand::Stop);
    const float stopped = AppTimer(TimerCommand::GetAppTime);
    EXPECT_GT(stopped, 0.0f);
    Sleep(30);
    EXPECT_EQ(AppTimer(TimerCommand::GetAppTime), stopped);
    EXPECT_EQ(AppTimer(TimerCommand::GetElapsedTime), 0.0f);
    AppTimer(TimerCommand::Advance);
    EXPECT_NEAR(AppTimer(TimerCommand::GetAppTime), stopped + 0.1f, 1e-4f);
    AppTimer(TimerCommand::Start);
    EXPECT_NEAR(AppTimer(TimerCommand::GetAppTime), stopped + 0.1f, 0.01f);
    Sleep(30);
    EXPECT_GT(AppTimer(TimerCommand::GetAppTime), stopped + 0.12f);
    // Two readings in a row: the second interval is almost nothing.
    AppTimer(TimerCommand::GetElapsedTime);
    EXPECT_LT(AppTimer(TimerCommand::GetElapsedTime), 0.005f);
    EXPECT_GT(AppTimer(TimerCommand::GetAbsoluteTime), 0.0f);
}

TEST(FrameworkArcBallMessages, MouseMessagesMapOntoTheBallWithSignedCoordinates) {
    CArcBall ball;
    ball.SetWindowSize(200, 100, 1.0f);
    // A right drag that leaves the window to the left: x = -10 arrives as 0xFFF6.
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 50)));
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(-10, 50)));
    // dx = (10 - (-10)) / 200 = 0.1 -> x -0.2.
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._41, -0.2f);

    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50)));
    EXPECT_TRUE(ball.m_drag);
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 50)));
    EXPECT_LT(ball.m_rotation.w, 1.0f);
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_LBUTTONUP, 0, MAKELPARAM(60, 50)));
    EXPECT_FALSE(ball.m_drag);

    EXPECT_FALSE(ball.HandleMouseMessage(nullptr, WM_LBUTTONDBLCLK, MK_LBUTTON, 0));
    EXPECT_FALSE(ball.HandleMouseMessage(nullptr, WM_RBUTTONUP, 0, 0));
    EXPECT_FALSE(ball.HandleMouseMessage(nullptr, WM_KEYDOWN, VK_SPACE, 0));
}

}  // namespace
