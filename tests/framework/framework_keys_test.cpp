// Keys and menu commands typed into a running framework application: the accelerators reach
// the view's handler, menu commands the main window's, and the exit, animation and single-step
// commands do what they should.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    for (const std::string& entry : list)
        if (entry == item)
            return true;
    return false;
}

// The last three lifecycle callbacks: the clean-up of WM_CLOSE.
std::vector<std::string> CleanUp(const CallbackLog& log) {
    const std::vector<std::string> calls = log.lifecycle();
    if (calls.size() < 3)
        return calls;
    return {calls.end() - 3, calls.end()};
}

const std::vector<std::string> kFullCleanUp = {"InvalidateDeviceResources",
                                               "DeleteDeviceResources", "CleanupAppOnce"};

TEST(FrameworkKeys, EscClosesTheViewAfterTheFullCleanUp) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND view = app->deviceWindow();
    const RunOutcome outcome =
        RunWithSteps(*app, app->mainWindow(), {[&] { PressKeys(app->mainWindow(), {VK_ESCAPE}); }});
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(Contains(app->log.commands, "MsgProc 40006"));
    EXPECT_FALSE(IsWindow(view));
    EXPECT_EQ(app->device(), nullptr);
    EXPECT_EQ(app->direct3D(), nullptr);
    EXPECT_EQ(CleanUp(app->log), kFullCleanUp);
    EXPECT_EQ(app->log.count("CleanupAppOnce"), 1);
}

TEST(FrameworkKeys, AltXEndsTheProgramLikeEsc) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    const RunOutcome outcome = RunWithSteps(
        *app, app->mainWindow(), {[&] { PressKeys(app->mainWindow(), {VK_MENU, 'X'}); }});
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(Contains(app->log.commands, "MsgProc 40006"));
    EXPECT_EQ(CleanUp(app->log), kFullCleanUp);
}

TEST(FrameworkKeys, FileExitFromTheMenuClosesTheMainWindow) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    const RunOutcome outcome =
        RunWithSteps(*app, main,
                     {[&] {
                          PressKeys(main, {VK_MENU, 'F'});   // opens the File menu
                          HoldUntil([&] { return app->log.count("Pause(true)") == 1; });
                      },
                      [&] { PressKeys(main, {'X'}); }});      // its E&xit item
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(Contains(app->log.commands, "MsgProcMain 40006"));
    EXPECT_FALSE(Contains(app->log.commands, "MsgProc 40006"));
    EXPECT_EQ(CleanUp(app->log), kFullCleanUp);
    // The open menu paused the application once (WM_ENTERMENULOOP) and unpaused it when it
    // closed. (The constructor's own pause runs before the recording exists.)
    EXPECT_EQ(app->log.count("Pause(true)"), 1);
    EXPECT_EQ(app->log.count("Pause(false)"), 2);   // Create's and the menu's
}

// Each key is held until the program has handled it; the frames that count are the test's own.
TEST(FrameworkKeys, EnterStopsAndRestartsTheAnimation) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    auto press = [&](WORD key, const char* command, int times) {
        PressKeys(main, {key});
        HoldUntil([&app, command, times] {
            return int(std::count(app->log.commands.begin(), app->log.commands.end(),
                                  std::string(command))) == times;
        });
    };
    bool animatingAfterFirst = true, animatingAfterSecond = false;
    size_t advancesWhenStopped = 0, advancesStopped = 0, advancesRestarted = 0;
    RunWithSteps(*app, main,
                 {[&] { press(VK_RETURN, "MsgProc 40004", 1); },
                  [&] {
                      animatingAfterFirst = app->animating();
                      advancesWhenStopped = app->log.advanceTimes.size();
                      app->step();
                      app->step();
                      advancesStopped = app->log.advanceTimes.size();
                      press(VK_RETURN, "MsgProc 40004", 2);
                  },
                  [&] {
                      animatingAfterSecond = app->animating();
                      advancesRestarted = app->log.advanceTimes.size();
                  },
                  [&] { app->step(); },   // a gap later: time has passed
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_FALSE(animatingAfterFirst);
    EXPECT_EQ(advancesStopped, advancesWhenStopped);   // no AdvanceFrame while stopped
    EXPECT_TRUE(animatingAfterSecond);
    EXPECT_GT(app->log.advanceTimes.size(), advancesRestarted);
}

TEST(FrameworkKeys, SpaceAdvancesAStoppedSceneOnceByATenthOfASecond) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    auto press = [&](int times) {
        PressKeys(main, {VK_SPACE});
        HoldUntil([&app, times] {
            return int(std::count(app->log.commands.begin(), app->log.commands.end(),
                                  std::string("MsgProc 40005"))) == times;
        });
    };
    size_t afterFirst = 0, stillAfterFirst = 0, afterSecond = 0;
    RunWithSteps(*app, main,
                 {[&] { press(1); },
                  [&] {
                      app->step();   // the single step's frame, unless the loop drew it first
                      afterFirst = app->log.advanceTimes.size();
                      app->step();
                      stillAfterFirst = app->log.advanceTimes.size();
                      press(2);
                  },
                  [&] {
                      app->step();
                      afterSecond = app->log.advanceTimes.size();
                  },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_FALSE(app->animating());
    // The first Space stops the animation and advances once with the frozen time; the
    // second advances once more, a tenth of a second later.
    ASSERT_GE(afterFirst, 1u);
    EXPECT_EQ(stillAfterFirst, afterFirst);
    ASSERT_EQ(afterSecond, afterFirst + 1);
    const std::vector<float>& times = app->log.advanceTimes;
    EXPECT_NEAR(times[afterFirst] - times[afterFirst - 1], 0.1f, 1e-3f);
    EXPECT_EQ(times.size(), afterSecond);
}

}  // namespace
