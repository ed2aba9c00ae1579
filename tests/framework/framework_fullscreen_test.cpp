// Alt+Enter and F2 on a running framework application: the switch to full screen and back.
// Its own suite: a failed switch would report fatally, and after a fatal report the process
// shows no more error boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/window_capture_win.h"

namespace {

using App = Recording<BlueTestApp>;

struct ModeState {
    bool windowed = true;
    IDirect3DDevice9* device = nullptr;
    SIZE backBuffer = {};
    UINT backBufferCount = 0;
    LONG viewStyle = 0;
    RECT viewRect = {};
    size_t lifecycleCalls = 0;
};

ModeState StateOf(const App& app) {
    ModeState state;
    state.windowed = app.windowed();
    state.device = app.device();
    state.backBuffer = {LONG(app.backBuffer().Width), LONG(app.backBuffer().Height)};
    state.backBufferCount = app.presentParams().BackBufferCount;
    state.viewStyle = GetWindowLongA(app.deviceWindow(), GWL_STYLE);
    GetWindowRect(app.deviceWindow(), &state.viewRect);
    state.lifecycleCalls = app.log.lifecycle().size();
    return state;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::unique_ptr<App> StartedApp() {
    auto app = std::make_unique<App>();
    if (FAILED(app->Create(GetModuleHandleA(nullptr))))
        return nullptr;
    return app;
}

// Under Wine the reset to a full-screen device succeeds, so the switch goes there and back
// without a report.
TEST(FrameworkFullscreen, AltEnterSwitchesToFullScreenAndBackWithOneResetEach) {
    DialogAnswerer answerer;
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const ModeState before = StateOf(*app);
    ModeState full, back;
    Capture viewAfterReturn;
    RunWithSteps(*app, main,
                 {[&] { PressKeys(main, {VK_MENU, VK_RETURN}); },
                  [&] {
                      full = StateOf(*app);
                      PressKeys(main, {VK_MENU, VK_RETURN});
                  },
                  [&] { back = StateOf(*app); },
                  [&] { viewAfterReturn = captureClient(app->deviceWindow()); },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});

    EXPECT_TRUE(answerer.seen().empty());
    // Full screen: the same device, reset to the display mode, the view a popup.
    SIZE desktop;
    HDC screen = GetDC(nullptr);
    desktop.cx = LONG(GetDeviceCaps(screen, HORZRES));
    desktop.cy = LONG(GetDeviceCaps(screen, VERTRES));
    ReleaseDC(nullptr, screen);
    EXPECT_FALSE(full.windowed);
    EXPECT_EQ(full.device, before.device);
    EXPECT_EQ(full.backBuffer.cx, desktop.cx);
    EXPECT_EQ(full.backBuffer.cy, desktop.cy);
    EXPECT_TRUE(full.viewStyle & WS_POPUP);
    EXPECT_EQ(full.lifecycleCalls, before.lifecycleCalls + 2);   // invalidate, restore

    // Back in the window: the view's style and place come back, the back buffer is the
    // view's size again, and a switch that kept the device resets with one back buffer.
    EXPECT_TRUE(back.windowed);
    EXPECT_EQ(back.device, before.device);
    EXPECT_EQ(back.viewStyle, before.viewStyle);
    EXPECT_TRUE(SameRect(back.viewRect, before.viewRect));
    EXPECT_EQ(back.backBuffer.cx, before.backBuffer.cx);
    EXPECT_EQ(back.backBuffer.cy, before.backBuffer.cy);
    EXPECT_EQ(before.backBufferCount, 2u);
    EXPECT_EQ(back.backBufferCount, 1u);
    EXPECT_EQ(back.lifecycleCalls, full.lifecycleCalls + 2);
    ASSERT_GT(viewAfterReturn.width, 0);
    EXPECT_EQ(viewAfterReturn.at(viewAfterReturn.width / 2, viewAfterReturn.height / 2),
              0x0000FFu);
    // Every pause of the two switches was matched.
    EXPECT_EQ(app->log.count("Pause(true)"), app->log.count("Pause(false)") - 1);
}

TEST(FrameworkFullscreen, F2ReturnsFromFullScreenAndChangesNothingInAWindow) {
    DialogAnswerer answerer;
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const ModeState before = StateOf(*app);
    ModeState windowedF2, full, afterF2;
    RunWithSteps(*app, main,
                 {[&] { PressKeys(main, {VK_F2}); },
                  [&] {
                      windowedF2 = StateOf(*app);
                      PressKeys(main, {VK_MENU, VK_RETURN});
                  },
                  [&] {
                      full = StateOf(*app);
                      PressKeys(main, {VK_F2});
                  },
                  [&] { afterF2 = StateOf(*app); },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_TRUE(windowedF2.windowed);
    EXPECT_EQ(windowedF2.lifecycleCalls, before.lifecycleCalls);   // no reset
    EXPECT_FALSE(full.windowed);
    EXPECT_TRUE(afterF2.windowed);
    EXPECT_EQ(afterF2.backBuffer.cx, before.backBuffer.cx);
    EXPECT_TRUE(SameRect(afterF2.viewRect, before.viewRect));
    EXPECT_EQ(afterF2.device, before.device);
}

}  // namespace
