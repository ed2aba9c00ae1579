// Keys and menu commands typed into a running framework application: the accelerators reach
// the view's handler, menu commands the main window's, and the exit, animation and single-step
// commands do what they should.
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
                     {[&] { PressKeys(main, {VK_MENU, 'F'}); },   // opens the File menu
                      [&] { PressKeys(main, {'X'}); }});          // its E&xit item
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

TEST(FrameworkKeys, EnterStopsAndRestartsTheAnimation) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    size_t advancesWhenStopped = 0, advancesLater = 0;
    bool animatingAfterFirst = true, animatingAfterSecond = false;
    RunWithSteps(*app, main,
                 {[&] { PressKeys(main, {VK_RETURN}); },
                  [&] {
                      animatingAfterFirst = app->animating();
                      advancesWhenStopped = app->log.advanceTimes.size();
                  },
                  [&] { advancesLater = app->log.advanceTimes.size(); },
                  [&] { PressKeys(main, {VK_RETURN}); },
                  [&] { animatingAfterSecond = app->animating(); },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_TRUE(Contains(app->log.commands, "MsgProc 40004"));
    EXPECT_FALSE(animatingAfterFirst);
    EXPECT_GT(advancesWhenStopped, 0u);
    EXPECT_EQ(advancesLater, advancesWhenStopped);   // no AdvanceFrame while stopped
    EXPECT_TRUE(animatingAfterSecond);
    EXPECT_GT(app->log.advanceTimes.size(), advancesLater);
}

TEST(FrameworkKeys, SpaceAdvancesAStoppedSceneOnceByATenthOfASecond) {
    auto app = StartedApp();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    size_t before = 0, afterFirst = 0, afterSecond = 0;
    RunWithSteps(*app, main,
                 {[&] {
                      before = app->log.advanceTimes.size();
                      PressKeys(main, {VK_SPACE});
                  },
                  [&] { afterFirst = app->log.advanceTimes.size(); },
                  [&] {
                      EXPECT_EQ(app->log.advanceTimes.size(), afterFirst);
                      PressKeys(main, {VK_SPACE});
                  },
                  [&] { afterSecond = app->log.advanceTimes.size(); },
                  [&] { PressKeys(main, {VK_ESCAPE}); }});
    EXPECT_TRUE(Contains(app->log.commands, "MsgProc 40005"));
    EXPECT_FALSE(app->animating());
    // The first Space stops the animation and advances once with the frozen time; the
    // second advances once more, a tenth of a second later.
    ASSERT_GE(afterFirst, 1u);
    ASSERT_EQ(afterSecond, afterFirst + 1);
    const std::vector<float>& times = app->log.advanceTimes;
    EXPECT_NEAR(times[afterFirst] - times[afterFirst - 1], 0.1f, 1e-3f);
    EXPECT_EQ(app->log.advanceTimes.size(), afterSecond);
    (void)before;
}

}  // namespace
