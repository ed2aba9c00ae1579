// The editor's application object on the framework, in-process: its start-up order and
// defaults, the blue view it starts with, and its clean-up order.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/globals_win.h"
#include "app/my_d3d_application_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/support/window_capture_win.h"
#include "viewer/viewer_settings.h"

namespace {

using Editor = Recording<CMyD3DApplication>;

std::unique_ptr<Editor> StartedEditor() {
    ResetProcessGlobals(GetModuleHandleA(nullptr));
    InitCommonControls();
    auto editor = std::make_unique<Editor>();
    if (FAILED(editor->Create(GetModuleHandleA(nullptr))))
        return nullptr;
    return editor;
}

std::string TextOf(HWND window) {
    char text[128] = "";
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Whether or not the media search finds "knot.x", nothing is drawn before a file is opened.
TEST(FoundationApp, StartsWithTheEditorsDefaultsAndABlueView) {
    auto editor = StartedEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->log.lifecycle(),
              (std::vector<std::string>{"InitAppOnce", "CreateDeviceResources",
                                        "RestoreDeviceResources"}));
    HWND view = editor->deviceWindow();
    EXPECT_EQ(TextOf(view), "Quillfold: Optimizing Meshes in D3D");
    // InitAppOnce gave the view the four-headed sizing cursor.
    EXPECT_EQ(HCURSOR(GetClassLongPtrA(view, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_SIZEALL));
    EXPECT_TRUE(editor->presentParams().EnableAutoDepthStencil);
    EXPECT_EQ(g_hInstance, GetModuleHandleA(nullptr));
    EXPECT_TRUE(g_pointsReady);
    EXPECT_FALSE(g_meshShown);
    EXPECT_FALSE(g_autoUpdateMesh);
    EXPECT_EQ(g_lineColorIndex, 0);
    EXPECT_EQ(g_repeatHorizontal, 2);
    EXPECT_EQ(g_repeatVertical, 2);

    Capture frame;
    const RunOutcome outcome = RunWithSteps(*editor, editor->mainWindow(),
                                            {[] {}, [&] { frame = captureClient(view); },
                                             [&] { PressKeys(editor->mainWindow(), {VK_ESCAPE}); }});
    EXPECT_EQ(outcome.exitCode, 0);
    ASSERT_GT(frame.width, 0);
    // Nothing but the blue background (and the view's short GDI line) is shown.
    EXPECT_GT(frame.count(0x0000FF, 0, 0, frame.width, frame.height),
              frame.width * frame.height - 40);
}

TEST(FoundationApp, ExitRunsTheEditorsCleanUpInTheFrameworksOrder) {
    auto editor = StartedEditor();
    ASSERT_TRUE(editor);
    const RunOutcome outcome = RunWithSteps(
        *editor, editor->mainWindow(), {[&] { PressKeys(editor->mainWindow(), {VK_MENU, 'X'}); }});
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ(outcome.exitCode, 0);
    const std::vector<std::string> calls = editor->log.lifecycle();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
              (std::vector<std::string>{"InvalidateDeviceResources", "DeleteDeviceResources",
                                        "CleanupAppOnce"}));
    EXPECT_EQ(editor->device(), nullptr);
}

}  // namespace
