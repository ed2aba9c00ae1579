// A running framework application in the test's own process: its windows and device, the
// frames on the view, size changes, keys and menu, the switch to full screen and back, and the
// error reports, each driven through the application's real loop and handlers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <string>

#include "framework/d3d_application_win.h"
#include "framework/error_report_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/window_capture_win.h"
#include "viewer/image_group_win.h"

namespace {

// The smallest application on the framework: the editor's device requirements (a depth
// buffer) and a view cleared to blue every frame.
class BlueTestApp : public CD3DApplication {
public:
    BlueTestApp() {
        m_windowTitle = "Framework Under Test";
        m_deviceCatalog.m_needsDepthBuffer = true;
    }

    // As the editor does: the main window's size splits between the view and the pane, and
    // every message goes on to the framework's handler.
    LRESULT MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SIZE && m_hDeviceWnd)
            LayOutPanes();
        return CD3DApplication::MsgProc(hWnd, msg, wParam, lParam);
    }

    HRESULT RenderFrame() override {
        m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x000000FF, 1.0f, 0);
        if (SUCCEEDED(m_pDevice->BeginScene()))
            m_pDevice->EndScene();
        return S_OK;
    }
};

class App : public Recording<BlueTestApp> {
public:
    explicit App(bool deviceCursor = false) { m_showCursorWhenFullscreen = deviceCursor; }
    int commandCount(const std::string& command) const {
        return int(std::count(log.commands.begin(), log.commands.end(), command));
    }
    // Types `key` and holds the next step until the program has handled it `times` times.
    void press(std::initializer_list<WORD> keys, const std::string& command, int times) {
        PressKeys(mainWindow(), keys);
        HoldUntil([this, command, times] { return commandCount(command) == times; });
    }
};

std::string TextOf(HWND window, bool className = false) {
    char text[128] = "";
    className ? GetClassNameA(window, text, sizeof(text)) : GetWindowTextA(window, text, sizeof(text));
    return text;
}

RECT ChildRect(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

class FrameworkApp : public ::testing::Test {
protected:
    void SetUp() override { resetFatalErrorReport(); }
    std::unique_ptr<App> Started(bool deviceCursor = false) {
        auto app = std::make_unique<App>(deviceCursor);
        return SUCCEEDED(app->Create(GetModuleHandleA(nullptr))) ? std::move(app) : nullptr;
    }
};

TEST_F(FrameworkApp, CreateBuildsTheWindowsAndDeviceTheViewShowsBlueAndEscCleansUp) {
    auto app = Started();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow(), view = app->deviceWindow();
    EXPECT_EQ(TextOf(main, true) + "|" + TextOf(main) + "|" + TextOf(view, true) + "|" + TextOf(view),
              "D3D Window Parent|Mapwell|D3D Window|Framework Under Test");
    // A 700 x 700 window: the view fills the left half of the client area, the texture pane
    // the right half; a windowed device with two back buffers of the view's size.
    RECT outer;
    GetWindowRect(main, &outer);
    const SIZE client = ClientSize(main);
    const LONG half = client.cx / 2;
    ASSERT_NE(app->texturePane()->activeWindow(), nullptr);
    HWND pane = app->texturePane()->activeWindow()->hwnd;
    EXPECT_EQ((std::vector<LONG>{outer.right - outer.left, outer.bottom - outer.top, ChildRect(view).right,
                                 ChildRect(view).bottom, ChildRect(pane).left, ChildRect(pane).right,
                                 LONG(app->backBuffer().Width), LONG(app->backBuffer().Height),
                                 LONG(app->presentParams().BackBufferCount)}),
              (std::vector<LONG>{700, 700, half, client.cy, half, 2 * half, half, client.cy, 2}));
    EXPECT_TRUE(std::regex_match(app->deviceStats(), std::regex("HAL \\((pure hw|hw|sw) vp\\): .+")));
    EXPECT_EQ(app->log.lifecycle(), (std::vector<std::string>{"InitAppOnce", "CreateDeviceResources",
                                                              "RestoreDeviceResources"}));

    std::string stats;
    Capture window, screen, painted;
    int framesPaused = 0, framesAfterWait = 0, framesAfterPaint = 0;
    std::vector<std::function<void()>> steps(2, [&] { app->step(); });
    steps.push_back([&] {
        stats = app->frameStats();
        UpdateWindow(view);   // pending paints first, then a whole frame, then the copies
        app->step();
        window = captureClient(view);
        RECT onScreen;
        GetWindowRect(view, &onScreen);
        screen = captureScreen(onScreen);
        SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0);   // paused
        framesPaused = app->log.renderCount;
    });
    steps.push_back([&] {
        framesAfterWait = app->log.renderCount;
        RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        framesAfterPaint = app->log.renderCount;
        waitForDevice(app->device());
        painted = captureClient(view);
        SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
    });
    steps.push_back([&] { PressKeys(main, {VK_ESCAPE}); });
    const RunOutcome outcome = RunWithSteps(*app, main, steps);
    // The frame text names the rate, the size and the formats.
    EXPECT_TRUE(std::regex_match(stats, std::regex("[0-9]+\\.[0-9]{2} fps \\(" + std::to_string(half) +
                                 "x" + std::to_string(client.cy) + "\\), X8R8G8B8 \\([A-Z0-9]+\\)")))
        << stats;
    // The whole view is blue, on the window and on the screen, except its short GDI line.
    ASSERT_EQ(screen.width, window.width);
    const int total = window.width * window.height;
    EXPECT_GT(window.count(0x0000FF, 0, 0, window.width, window.height), total - 40);
    EXPECT_GT(screen.count(0x0000FF, 0, 0, screen.width, screen.height), total - 40);
    // While paused no frame is drawn in idle time; a paint draws exactly one, under the line
    // from (30, 30) to (40, 40).
    EXPECT_EQ(std::make_pair(framesAfterWait, framesAfterPaint), std::make_pair(framesPaused, framesPaused + 1));
    ASSERT_GT(painted.width, 100);
    EXPECT_EQ(std::make_pair(painted.at(100, 100), painted.at(35, 35)), std::make_pair(0x0000FFu, 0x000000u));
    // Esc closes the view after the full clean-up, once, and ends the loop.
    EXPECT_TRUE(outcome.endedByItself && outcome.exitCode == 0 && !IsWindow(view) && !app->direct3D());
    EXPECT_EQ(app->commandCount("MsgProc 40006") + app->log.count("CleanupAppOnce"), 2);
    const std::vector<std::string> calls = app->log.lifecycle();
    EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
              (std::vector<std::string>{"InvalidateDeviceResources", "DeleteDeviceResources", "CleanupAppOnce"}));
}

TEST_F(FrameworkApp, SizeChangesResetTheDeviceOnceWithTheViewsSizeAndMinimisingPauses) {
    auto app = Started();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow(), view = app->deviceWindow();
    std::vector<std::pair<LONG, LONG>> views;   // the view's size at creation, maximised, restored, dragged
    auto look = [&] { views.emplace_back(ClientSize(view).cx, ClientSize(view).cy); };
    std::vector<std::string> seen;   // what each step saw
    size_t mark = 0;
    auto news = [&](bool withPauses = false) {   // the calls since the last look, one text
        const std::vector<std::string> calls = withPauses ? app->log.calls : app->log.lifecycle();
        std::string text;
        for (size_t i = std::min(mark, calls.size()); i < calls.size(); ++i)
            text += calls[i] + " ";
        mark = calls.size();
        return text;
    };
    auto activity = [&] { return app->active() ? "active " : "paused "; };
    auto move = [&](int x, int y, int w, int h, UINT flags) { SetWindowPos(main, nullptr, x, y, w, h, flags | SWP_NOZORDER); };
    int frames = 0;
    look();
    const RunOutcome outcome = RunWithSteps(*app, main, {
        [&] { news(); ShowWindow(main, SW_MAXIMIZE); },
        [&] { look(); seen.push_back("maximised: " + news()); ShowWindow(main, SW_RESTORE); },
        [&] {
            look();
            news();
            SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0);
            move(0, 0, 760, 640, SWP_NOMOVE);
            move(0, 0, 820, 600, SWP_NOMOVE);
            seen.push_back(std::string("dragging: ") + activity() + news());
            SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
            seen.push_back("dragged: " + news());
            look();
            SendMessageA(main, WM_ENTERSIZEMOVE, 0, 0);
            move(40, 30, 0, 0, SWP_NOSIZE);
            SendMessageA(main, WM_EXITSIZEMOVE, 0, 0);
            seen.push_back(std::string("moved: ") + activity() + news());
        },
        [&] { news(true); ShowWindow(main, SW_MINIMIZE); },
        [&] { seen.push_back(std::string("minimised: ") + activity()); frames = app->log.renderCount; },
        [&] { seen.push_back(frames == app->log.renderCount ? "no frame" : "frames"); ShowWindow(main, SW_RESTORE); },
        [&] { seen.push_back("restored: " + news(true)); PressKeys(main, {VK_MENU, 'X'}); }});
    // A size change resets the device once, a drag only when it ends, a move that keeps the
    // size not at all; minimised, the application pauses once and draws nothing.
    const std::string reset = "InvalidateDeviceResources RestoreDeviceResources ";
    EXPECT_EQ(seen, (std::vector<std::string>{"maximised: " + reset, "dragging: paused ", "dragged: " + reset,
                                              "moved: active ", "minimised: paused ", "no frame",
                                              "restored: Pause(true) Pause(false) "}));
    // Each back buffer of the view's size; a size change keeps both.
    ASSERT_EQ(views.size(), 4u);
    EXPECT_TRUE(views[1].first > views[0].first && views[2].first == views[0].first && views[3].first != views[0].first);
    std::vector<std::pair<LONG, LONG>> buffers;
    for (const SIZE& size : app->log.restoredBackBuffers)
        buffers.emplace_back(size.cx, size.cy);
    EXPECT_EQ(buffers, (std::vector<std::pair<LONG, LONG>>{views[0], views[1], views[0], views[3]}));
    EXPECT_EQ(app->presentParams().BackBufferCount, 2u);
    // Alt+X ends the program like Esc.
    EXPECT_TRUE(outcome.endedByItself && app->commandCount("MsgProc 40006") == 1);
}

// The frames that count are drawn by the test itself (step()), each after its key was handled.
TEST_F(FrameworkApp, EnterAndSpaceStopRestartAndStepTheSceneAndTheMenuExits) {
    auto app = Started();
    ASSERT_TRUE(app);
    HWND main = app->mainWindow();
    auto advances = [&] { return app->log.advanceTimes.size(); };
    bool animatingStopped = true, animatingRestarted = false;
    size_t stopped = 0, stillStopped = 0, restarted = 0, running = 0, stepped = 0, still = 0,
           steppedAgain = 0;
    const RunOutcome outcome = RunWithSteps(*app, main, {
        [&] { app->press({VK_RETURN}, "MsgProc 40004", 1); },
        [&] {
            animatingStopped = app->animating();
            stopped = advances();
            app->step();
            app->step();
            stillStopped = advances();
            app->press({VK_RETURN}, "MsgProc 40004", 2);
        },
        [&] { animatingRestarted = app->animating(); restarted = advances(); },
        [&] { app->step(); running = advances(); },   // a gap later: time has passed
        [&] { app->press({VK_SPACE}, "MsgProc 40005", 1); },
        [&] {
            app->step();   // the single step's frame, unless the loop drew it first
            stepped = advances();
            app->step();
            still = advances();
            app->press({VK_SPACE}, "MsgProc 40005", 2);
        },
        [&] {
            app->step();
            steppedAgain = advances();
            PressKeys(main, {VK_MENU, 'F'});   // opens the File menu
            HoldUntil([&] { return app->log.count("Pause(true)") == 1; });
        },
        [&] { PressKeys(main, {'X'}); }});   // its E&xit item
    // No AdvanceFrame while stopped; restarted, time runs again.
    EXPECT_TRUE(!animatingStopped && stillStopped == stopped && animatingRestarted && running > restarted);
    // The first Space stops the scene and advances it once with the frozen time; the second
    // advances once more, a tenth of a second later.
    EXPECT_TRUE(!app->animating() && still == stepped);
    ASSERT_EQ(steppedAgain, stepped + 1);
    EXPECT_NEAR(app->log.advanceTimes[stepped] - app->log.advanceTimes[stepped - 1], 0.1f, 1e-3f);
    // File, Exit reaches the main window's handler; the open menu paused the application once
    // and unpaused it when it closed (Create's unpause is the other one).
    EXPECT_TRUE(outcome.endedByItself);
    EXPECT_EQ((std::vector<int>{app->commandCount("MsgProcMain 40006"), app->commandCount("MsgProc 40006"),
                                app->log.count("Pause(true)"), app->log.count("Pause(false)")}),
              (std::vector<int>{1, 0, 1, 2}));
}

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
    ModeState s = {app.windowed(), app.device(),
                   {LONG(app.backBuffer().Width), LONG(app.backBuffer().Height)},
                   app.presentParams().BackBufferCount,
                   GetWindowLongA(app.deviceWindow(), GWL_STYLE), {}, app.log.lifecycle().size()};
    GetWindowRect(app.deviceWindow(), &s.viewRect);
    return s;
}

TEST_F(FrameworkApp, AltEnterSwitchesToFullScreenAndBackAndF2ReturnsFromIt) {
    DialogAnswerer answerer;
    auto app = Started(true);
    ASSERT_TRUE(app);
    HWND main = app->mainWindow(), view = app->deviceWindow();
    const ModeState before = StateOf(*app);
    ModeState windowedF2, full, back, afterF2;
    LRESULT setCursorAnswer = 0;
    HCURSOR shownCursor = nullptr;
    RECT clip = {};
    Capture viewAfterReturn;
    const RunOutcome outcome = RunWithSteps(*app, main, {
        [&] { app->press({VK_F2}, "MsgProc 40002", 1); },
        [&] { windowedF2 = StateOf(*app); app->press({VK_MENU, VK_RETURN}, "MsgProc 40003", 1); },
        [&] {
            full = StateOf(*app);
            GetClipCursor(&clip);
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
            setCursorAnswer = SendMessageA(view, WM_SETCURSOR, WPARAM(view), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            shownCursor = GetCursor();
            app->press({VK_MENU, VK_RETURN}, "MsgProc 40003", 2);
        },
        [&] { back = StateOf(*app); viewAfterReturn = captureClient(view); },
        [&] { app->press({VK_MENU, VK_RETURN}, "MsgProc 40003", 3); },
        [&] { app->press({VK_F2}, "MsgProc 40002", 2); },
        [&] { afterF2 = StateOf(*app); PressKeys(main, {VK_ESCAPE}); }}, 100, 10000);
    EXPECT_TRUE(outcome.endedByItself && answerer.seen().empty());
    // F2 in a window changes nothing.
    EXPECT_TRUE(windowedF2.windowed && windowedF2.lifecycleCalls == before.lifecycleCalls);
    // Full screen: the same device reset (invalidate, restore) to the display mode, the view a
    // popup, the Windows cursor hidden for the device's own, and the cursor free.
    EXPECT_TRUE(!full.windowed && full.device == before.device && (full.viewStyle & WS_POPUP));
    EXPECT_EQ((std::vector<LONG>{full.backBuffer.cx, full.backBuffer.cy, LONG(full.lifecycleCalls), LONG(setCursorAnswer),
                                 clip.right - clip.left}),
              (std::vector<LONG>{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), LONG(before.lifecycleCalls + 2),
                                 TRUE, GetSystemMetrics(SM_CXVIRTUALSCREEN)}));
    EXPECT_TRUE(shownCursor && shownCursor != LoadCursor(nullptr, IDC_ARROW));
    // Back in the window: style, place and size come back, with one back buffer now.
    for (const ModeState& s : {back, afterF2}) {
        EXPECT_TRUE(s.windowed && s.device == before.device && s.viewStyle == before.viewStyle &&
                    EqualRect(&s.viewRect, &before.viewRect));
        EXPECT_EQ((std::vector<LONG>{s.backBuffer.cx, s.backBuffer.cy, LONG(s.backBufferCount)}),
                  (std::vector<LONG>{before.backBuffer.cx, before.backBuffer.cy, 1}));
    }
    EXPECT_EQ(back.lifecycleCalls, full.lifecycleCalls + 2);
    ASSERT_GT(viewAfterReturn.width, 0);
    EXPECT_EQ(viewAfterReturn.at(viewAfterReturn.width / 2, viewAfterReturn.height / 2), 0x0000FFu);
    EXPECT_EQ(app->log.count("Pause(true)"), app->log.count("Pause(false)") - 1);
}

// The one real box: an application that accepts no device.
TEST_F(FrameworkApp, NoAcceptableDeviceEndsCreateWithOneBoxAndACleanShutdown) {
    struct PickyApp : App {
        HRESULT ConfirmDeviceCaps(const D3DCAPS9*, DWORD, D3DFORMAT, D3DFORMAT) override {
            return E_FAIL;
        }
    };
    DialogAnswerer answerer;
    auto app = std::make_unique<PickyApp>();
    EXPECT_EQ(app->Create(GetModuleHandleA(nullptr)), APPERR_NO_COMPATIBLE_DEVICES);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption + "|" + answerer.seen()[0].text,
              "Framework Under Test|Could not find any compatible Direct3D\ndevices.\n\nThis sample will now exit.");
    EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_ICONERROR | MB_OK));
    // The box's WM_CLOSE ran the clean-up: no device, no Direct3D, the view gone, the loop told
    // to end.
    EXPECT_TRUE(!app->direct3D() && !app->deviceWindow());
    EXPECT_EQ(app->log.lifecycle(), std::vector<std::string>{"CleanupAppOnce"});
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    DestroyWindow(app->mainWindow());
}

int s_closes = 0;

LRESULT CALLBACK CountClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    s_closes += message == WM_CLOSE;
    return message == WM_CLOSE ? 0 : DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(FrameworkApp, ReportsWarnOrEndTheProgramOnceAndThenKeepSilent) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountClose;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CountClose";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("CountClose", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    s_closes = 0;
    DialogAnswerer answerer(DialogAnswerer::Boxes::RecordOnly);
    const std::string exit = "\n\nThis sample will now exit.";
    const unsigned warning = MB_ICONWARNING | MB_OK, error = MB_ICONERROR | MB_OK;
    ShowErrorMessage(E_OUTOFMEMORY, ERRMSG_WARN, "C", window);
    ShowErrorMessage(D3DERR_OUTOFVIDEOMEMORY, ERRMSG_SWITCHED_TO_REF, "C", window);
    EXPECT_FALSE(FatalErrorReported());
    // A driver's internal error is fatal even when reported as a warning.
    ShowErrorMessage(D3DERR_DRIVERINTERNALERROR, ERRMSG_WARN, "C", window);
    EXPECT_TRUE(FatalErrorReported());
    ShowErrorMessage(APPERR_RESET_FAILED, ERRMSG_EXIT, "C", window);
    ShowErrorMessage(E_FAIL, ERRMSG_WARN, "C", window);
    EXPECT_EQ(s_closes, 1);
    resetFatalErrorReport();
    ShowErrorMessage(APPERR_RESET_FAILED, ERRMSG_EXIT, "D", nullptr);   // no window to close
    const std::vector<DialogAnswerer::Box> expected = {
        {"Not enough memory.", "C", warning},
        {"Not enough video memory.\n\nSwitching to the reference rasterizer,\na software device "
         "that implements the entire\nDirect3D feature set, but runs very slowly.",
         "C", warning},
        {"A serious problem occured inside the display driver." + exit, "C", error},
        {"Could not reset the Direct3D device." + exit, "D", error}};
    ASSERT_EQ(answerer.seen().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(answerer.seen()[i].caption + "|" + answerer.seen()[i].text + "|" + std::to_string(answerer.seen()[i].style),
                  expected[i].caption + "|" + expected[i].text + "|" + std::to_string(expected[i].style)) << i;
    DestroyWindow(window);
    // Every framework code but the unused 0x82000002 has a text of its own; others the generic one.
    const std::string generic = ErrorMessageText(E_FAIL);
    std::vector<std::string> texts;
    for (HRESULT code = HRESULT(0x82000001); code <= HRESULT(0x8200000e); ++code)
        texts.push_back(ErrorMessageText(code));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), generic), 2);   // 0x82000002 and 0x8200000e
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::unique(texts.begin(), texts.end()) - texts.begin(), 13);
    EXPECT_EQ(std::string(ErrorMessageText(HRESULT(0x8200000b))) + "|" + ErrorMessageText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) +
                  "|" + generic,
              "Could not load required media.|Could not load required media.|Generic application error. Enable\ndebug output for detailed information.");
}

}  // namespace
