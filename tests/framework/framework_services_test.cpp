// The framework's Windows services on the real system: the media search with real files in the
// suite's folder, the arcball fed real mouse messages. (The program-wide timer on the real clock
// is the running application's: its suite stops, steps and restarts it.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/arc_ball_win.h"
#include "framework/media_search_win.h"
#include "tests/support/test_files.h"

namespace {

// The media folder the editor's suite shows: it opens its meshes from there. Here: a name found
// as given, then by its bare name, a name found nowhere, arguments missing and buffers too short.
TEST(MediaSearch, FindsByFullPathThenByBareNameAndRefusesBadArguments) {
    writeFile("present.x", std::string("xof 0303txt 0032\n"));
    char dest[MAX_PATH], full[MAX_PATH];
    GetFullPathNameA("present.x", MAX_PATH, full, nullptr);
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "present.x"), S_OK);
    EXPECT_STREQ(dest, full);
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "no such folder\\present.x"), S_OK);
    EXPECT_STREQ(dest, "present.x");
    EXPECT_EQ(LocateMediaFile(dest, MAX_PATH, "nowhere.x"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(dest, "nowhere.x");
    EXPECT_EQ(LocateMediaFile(nullptr, 8, "a.x"), E_INVALIDARG);
    EXPECT_EQ(LocateMediaFile(dest, 8, nullptr), E_INVALIDARG);
    EXPECT_EQ(LocateMediaFile(dest, 0, "a.x"), E_INVALIDARG);
    EXPECT_EQ(LocateMediaFile(dest, 8, "a.x"), E_FAIL);   // any full path is longer
    EXPECT_STREQ(dest, "");
    EXPECT_EQ(GetMediaFolder(dest, 4), E_INVALIDARG);
}

TEST(ArcBallMessages, MouseMessagesCarrySignedCoordinatesOntoTheBall) {
    CArcBall ball;
    ball.SetWindowSize(200, 100, 1.0f);
    // A right drag that leaves the window to the left: x = -10 arrives as 0xFFF6.
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 50)));
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(-10, 50)));
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._41, -0.2f);   // dx = 20 / 200, twice
    EXPECT_TRUE(ball.HandleMouseMessage(nullptr, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50)) && ball.m_drag);
    EXPECT_FALSE(ball.HandleMouseMessage(nullptr, WM_LBUTTONDBLCLK, MK_LBUTTON, 0));
}

}  // namespace
