// Size changes of a running framework application: the device is reset once with the new
// back-buffer size when the view's size really changes, only when a drag ends, never for an
// unchanged size; minimising pauses once and restoring unpauses once.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"

namespace {

using App = Recording<BlueTestApp>;

std::unique_ptr<App> StartedApp() {
    auto app = std::make_unique<App>();
    if (FAILED(app->Create(GetModuleHandleA(nullptr))))
        return nullptr;
    return app;
}

SIZE ClientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Lifecycle callbacks from position `from` on.
std::vector<std::string> CallsSince(const App& app, size_t from) {
    const std::vector<std::string> calls = app.log.lifecycle();
    return {calls.begin() + std::min(from, calls.size()), calls.end()};
}

const std::vector<std::string> kOneReset = {"InvalidateDeviceResources", "RestoreDeviceResources"};

TEST(FrameworkSizing, MaximiseAndRestoreResetTheDeviceOnceEachWithTheViewSize) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const size_t start = app->log.lifecycle().size();
    const SIZE original = ClientSize(app->deviceWindow());
    SIZE maximised = {}, restored = {};
    std::vector<std::string> afterMaximise;
    UINT backBuffersAfterReset = 0;
    RunWithSteps(*app, main,
                 {[&] { ShowWindow(main, SW_MAXIMIZE); },
                  [&] {
                      maximised = ClientSize(app->deviceWindow());
                      afterMaximise = CallsSince(*app, start);
                      backBuffersAfterReset = app->presentParams().BackBufferCount;
                      ShowWindow(main, SW_RESTORE);
                  },
                  [&] { restored = ClientSize(app->deviceWindow()); },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});

    ASSERT_GT(maximised.cx, original.cx);
    EXPECT_EQ(afterMaximise, kOneReset);
    ASSERT_EQ(app->log.restoredBackBuffers.size(), 3u);   // creation, maximise, restore
    EXPECT_EQ(app->log.restoredBackBuffers[1].cx, maximised.cx);
    EXPECT_EQ(app->log.restoredBackBuffers[1].cy, maximised.cy);
    EXPECT_EQ(restored.cx, original.cx);
    EXPECT_EQ(app->log.restoredBackBuffers[2].cx, original.cx);
    EXPECT_EQ(app->log.restoredBackBuffers[2].cy, original.cy);
    // A size change keeps the two back buffers the device was made with.
    EXPECT_EQ(backBuffersAfterReset, 2u);
}

TEST(FrameworkSizing, DragResizeResetsOnlyWhenTheDragEnds) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const size_t start = app->log.lifecycle().size();
    std::vector<std::string> duringDrag;
    bool activeDuringDrag = true;
    SIZE finalView = {};
    RunWithSteps(*app, main,
                 {[&] {
                      SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0);
                      SetWindowPos(main, nullptr, 0, 0, 760, 640, SWP_NOMOVE | SWP_NOZORDER);
                  },
                  [&] {
                      SetWindowPos(main, nullptr, 0, 0, 820, 600, SWP_NOMOVE | SWP_NOZORDER);
                      activeDuringDrag = app->active();
                      duringDrag = CallsSince(*app, start);
                      SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
                      finalView = ClientSize(app->deviceWindow());
                  },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});

    EXPECT_FALSE(activeDuringDrag);
    EXPECT_TRUE(duringDrag.empty());
    const std::vector<std::string> calls = CallsSince(*app, start);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 2), kOneReset);
    EXPECT_EQ(app->log.count("RestoreDeviceResources"), 2);
    ASSERT_EQ(app->log.restoredBackBuffers.size(), 2u);
    EXPECT_EQ(app->log.restoredBackBuffers[1].cx, finalView.cx);
    EXPECT_EQ(app->log.restoredBackBuffers[1].cy, finalView.cy);
}

TEST(FrameworkSizing, UnchangedSizeResetsNothing) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const size_t start = app->log.lifecycle().size();
    std::vector<std::string> afterMove;
    bool activeAfterMove = false;
    RunWithSteps(*app, main,
                 {[&] {
                      SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0);
                      SetWindowPos(main, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                      SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
                  },
                  [&] {
                      afterMove = CallsSince(*app, start);
                      activeAfterMove = app->active();
                  },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_TRUE(afterMove.empty());
    EXPECT_TRUE(activeAfterMove);
}

TEST(FrameworkSizing, MinimiseAndRestorePauseAndUnpauseOnce) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const size_t callsAtStart = app->log.calls.size();
    bool activeMinimised = true, activeRestored = false;
    int framesMinimised = 0, framesLater = 0;
    std::vector<std::string> pauses;
    RunWithSteps(*app, main,
                 {[&] { ShowWindow(main, SW_MINIMIZE); },
                  [&] {
                      activeMinimised = app->active();
                      framesMinimised = app->log.renderCount;
                  },
                  [&] {
                      framesLater = app->log.renderCount;
                      ShowWindow(main, SW_RESTORE);
                  },
                  [&] {
                      activeRestored = app->active();
                      pauses.assign(app->log.calls.begin() + callsAtStart, app->log.calls.end());
                  },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_FALSE(activeMinimised);
    EXPECT_EQ(framesLater, framesMinimised);   // nothing is drawn while minimised
    EXPECT_TRUE(activeRestored);
    EXPECT_EQ(pauses, (std::vector<std::string>{"Pause(true)", "Pause(false)"}));
}

}  // namespace
