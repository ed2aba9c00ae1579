// Create builds the real window tree and device, and the loop shows the frames: checked on the
// windows, the device and the pixels of a running framework application.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include <commctrl.h>

#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"
#include "tests/support/window_capture_win.h"
#include "viewer/image_group_win.h"

namespace {

using App = Recording<BlueTestApp>;

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    char text[128] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string MenuText(HMENU menu, UINT position) {
    char text[64] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}


TEST(FrameworkWindows, CreateBuildsTheWindowTreeAndAWindowedDevice) {
    auto app = std::make_unique<App>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    HWND main = app->mainWindow();
    HWND view = app->deviceWindow();

    EXPECT_EQ(ClassOf(main), "D3D Window Parent");
    EXPECT_EQ(TextOf(main), "Mapwell");
    EXPECT_EQ(GetParent(main), nullptr);
    RECT outer;
    GetWindowRect(main, &outer);
    EXPECT_EQ(outer.right - outer.left, 700);
    EXPECT_EQ(outer.bottom - outer.top, 700);
    HMENU menu = GetMenu(main);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(MenuText(menu, 0), "&File");
    EXPECT_EQ(MenuText(menu, 1), "&Options");
    EXPECT_EQ(MenuText(GetSubMenu(menu, 0), 7), "E&xit\tESC");

    EXPECT_EQ(ClassOf(view), "D3D Window");
    EXPECT_EQ(TextOf(view), "Framework Under Test");
    EXPECT_EQ(GetParent(view), main);
    EXPECT_TRUE(GetWindowLongA(view, GWL_STYLE) & WS_CHILD);

    // The view fills the left half of the client area, the texture pane the right half.
    RECT client;
    GetClientRect(main, &client);
    const int half = client.right / 2;
    const RECT viewRect = ChildRect(view);
    EXPECT_EQ(viewRect.left, 0);
    EXPECT_EQ(viewRect.top, 0);
    EXPECT_EQ(viewRect.right, half);
    EXPECT_EQ(viewRect.bottom, client.bottom);
    ASSERT_NE(app->texturePane(), nullptr);
    ASSERT_NE(app->texturePane()->activeWindow(), nullptr);
    HWND pane = app->texturePane()->activeWindow()->hwnd;
    EXPECT_EQ(GetParent(pane), main);
    EXPECT_EQ(app->texturePane()->paneName, "TexWnd");
    EXPECT_EQ(app->texturePane()->maxPointsPerWindow, 7000);
    EXPECT_EQ(app->texturePane()->maxImages, 1000);
    const RECT paneRect = ChildRect(pane);
    EXPECT_EQ(paneRect.left, half);
    EXPECT_EQ(paneRect.right, 2 * half);
    EXPECT_EQ(paneRect.bottom, client.bottom);
    // The pane carries the toolbar with its 8 entries, the move button pressed.
    HWND toolbar = FindWindowExA(pane, nullptr, "ToolbarWindow32", nullptr);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 8);
    EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 40055, 0));
    EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, 40056, 0));

    // A windowed device with two back buffers of the view's size and a depth buffer.
    ASSERT_NE(app->device(), nullptr);
    EXPECT_TRUE(app->windowed());
    EXPECT_TRUE(app->active());
    EXPECT_EQ(int(app->backBuffer().Width), half);
    EXPECT_EQ(int(app->backBuffer().Height), int(client.bottom));
    EXPECT_EQ(app->presentParams().BackBufferCount, 2u);
    EXPECT_TRUE(app->presentParams().EnableAutoDepthStencil);
    EXPECT_NE(app->presentParams().AutoDepthStencilFormat, D3DFMT_UNKNOWN);
    EXPECT_EQ(std::string(app->deviceStats()).substr(0, 3), "HAL");

    EXPECT_EQ(app->log.lifecycle(), (std::vector<std::string>{
                                        "InitAppOnce", "CreateDeviceResources",
                                        "RestoreDeviceResources"}));

    const RunOutcome outcome =
        RunWithSteps(*app, main, {[&] { PostMessageA(view, WM_CLOSE, 0, 0); }});
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ(outcome.exitCode, 0);
}

TEST(FrameworkWindows, ViewShowsTheBlueFrameOnItsWindowAndOnTheScreen) {
    auto app = std::make_unique<App>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    HWND view = app->deviceWindow();
    Capture window, screen;
    RECT onScreen = {};
    RunWithSteps(*app, app->mainWindow(),
                 {[&] { app->step(); },   // at least one whole frame, whatever the loop drew
                  [&] {
                      window = captureClient(view);
                      GetWindowRect(view, &onScreen);
                      screen = captureScreen(onScreen);
                  },
                  [&] { PostMessageA(view, WM_CLOSE, 0, 0); }});

    ASSERT_GT(window.width, 100);
    const int total = window.width * window.height;
    // The whole view is blue except the window's own short GDI line.
    EXPECT_GT(window.count(0x0000FF, 0, 0, window.width, window.height), total - 40);
    EXPECT_EQ(window.at(window.width / 2, window.height / 2), 0x0000FFu);
    ASSERT_EQ(screen.width, window.width);
    EXPECT_GT(screen.count(0x0000FF, 0, 0, screen.width, screen.height), total - 40);
}

TEST(FrameworkWindows, WhilePausedAPaintRendersOneFrameUnderTheGdiLine) {
    auto app = std::make_unique<App>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    HWND main = app->mainWindow();
    HWND view = app->deviceWindow();
    int framesBefore = 0, framesAfterWait = 0, framesAfterPaint = 0;
    Capture painted;
    RunWithSteps(*app, main,
                 {[&] { SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0); },   // paused
                  [&] { framesBefore = app->log.renderCount; },
                  [&] {
                      framesAfterWait = app->log.renderCount;
                      RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                      framesAfterPaint = app->log.renderCount;
                      waitForDevice(app->device());
                      painted = captureClient(view);
                      SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
                  },
                  [&] { PostMessageA(view, WM_CLOSE, 0, 0); }});
    EXPECT_EQ(framesAfterWait, framesBefore);          // no frames in idle time while paused
    EXPECT_EQ(framesAfterPaint, framesAfterWait + 1);  // the paint renders exactly one
    ASSERT_GT(painted.width, 100);
    EXPECT_EQ(painted.at(100, 100), 0x0000FFu);
    EXPECT_EQ(painted.at(35, 35), 0x000000u);          // on the line from (30, 30) to (40, 40)
    EXPECT_EQ(painted.at(35, 30), 0x0000FFu);
}

}  // namespace
