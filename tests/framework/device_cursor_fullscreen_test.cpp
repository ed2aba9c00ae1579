// Alt+Enter in a running application: to full screen, where the device cursor stands in for
// the hidden Windows cursor, and back to the window. Where the platform refuses the switch,
// the failure ends the program with exactly one box.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/device_cursor_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"
#include "tests/framework/error_report_boxes.h"

namespace {

class CursorApp : public Recording<BlueTestApp> {
public:
    CursorApp() {
        m_showCursorWhenFullscreen = true;
    }
    bool settingsWindowed() const { return m_settings.windowed; }
    bool presentsWindowed() const { return m_presentParams.Windowed != FALSE; }
    const char* title() const { return m_windowTitle; }
};

struct Snapshot {
    bool taken = false;
    bool windowed = true, settingsWindowed = true, presentsWindowed = true;
    bool device = false;
    LONG style = 0;
    RECT clip = {};
    LRESULT setCursorAnswer = 0;
    HCURSOR shownCursor = nullptr;
    std::vector<uint32_t> shownPixels;
    bool mainMenu = false;
};

// The colour bitmap of a cursor with its alpha, top row first; empty for a monochrome one.
std::vector<uint32_t> ColourPixels(HCURSOR cursor) {
    std::vector<uint32_t> pixels;
    ICONINFO info = {};
    if (!cursor || !GetIconInfo(cursor, &info))
        return pixels;
    BITMAP bitmap = {};
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap)) {
        BITMAPINFO header = {};
        header.bmiHeader.biSize = sizeof(header.bmiHeader);
        header.bmiHeader.biWidth = bitmap.bmWidth;
        header.bmiHeader.biHeight = -bitmap.bmHeight;
        header.bmiHeader.biPlanes = 1;
        header.bmiHeader.biBitCount = 32;
        pixels.resize(size_t(bitmap.bmWidth) * bitmap.bmHeight);
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, info.hbmColor, 0, UINT(bitmap.bmHeight), pixels.data(), &header,
                  DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return pixels;
}

Snapshot Take(const CursorApp& app, HWND window) {
    Snapshot s;
    s.taken = true;
    s.windowed = app.windowed();
    s.settingsWindowed = app.settingsWindowed();
    s.presentsWindowed = app.presentsWindowed();
    s.device = app.device() != nullptr;
    s.style = GetWindowLongA(window, GWL_STYLE);
    GetClipCursor(&s.clip);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    s.setCursorAnswer =
        SendMessageA(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    s.shownCursor = GetCursor();
    s.shownPixels = ColourPixels(s.shownCursor);
    s.mainMenu = GetMenu(GetAncestor(window, GA_ROOT)) != nullptr;
    return s;
}

TEST(DeviceCursorFullscreen, AltEnterGoesFullscreenAndBackOrFailsWithOneBox) {
    DialogAnswerer answerer;
    auto app = std::make_unique<CursorApp>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    HWND view = app->deviceWindow();
    Snapshot fullscreen, back;
    const RunOutcome outcome = RunWithSteps(
        *app, app->mainWindow(),
        {[&] { PressKeys(view, {VK_MENU, VK_RETURN}); },
         [&] { fullscreen = Take(*app, view); },
         [&] {
             if (app->deviceWindow())
                 PressKeys(view, {VK_MENU, VK_RETURN});
         },
         [&] {
             if (app->deviceWindow())
                 back = Take(*app, view);
         },
         [&] {
             if (app->deviceWindow())
                 PostMessageA(view, WM_CLOSE, 0, 0);
         }},
        500);
    EXPECT_TRUE(outcome.endedByItself);
    const auto& commands = app->log.commands;
    EXPECT_NE(std::count(commands.begin(), commands.end(), "MsgProc 40003"), 0);
    const std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, app->title());
    if (!boxes.empty()) {
        // The platform refused: one fatal box, and the program closed itself.
        RecordProperty("fullscreen", "refused");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Could not reset the Direct3D device.\n\nThis sample will now exit.");
        EXPECT_EQ(app->device(), nullptr);
        EXPECT_EQ(app->log.count("CleanupAppOnce"), 1);
        return;
    }
    RecordProperty("fullscreen", "switched");
    ASSERT_TRUE(fullscreen.taken);
    EXPECT_FALSE(fullscreen.windowed);
    EXPECT_FALSE(fullscreen.settingsWindowed);
    EXPECT_FALSE(fullscreen.presentsWindowed);
    EXPECT_TRUE(fullscreen.device);
    EXPECT_TRUE(fullscreen.style & WS_POPUP);
    EXPECT_EQ(fullscreen.setCursorAnswer, TRUE);
    // Wine shows the device cursor as a Windows cursor of its own: the view's class cursor
    // (the arrow) with the watermark.
    CursorImage arrow;
    ASSERT_EQ(ReadCursorImage(LoadCursor(nullptr, IDC_ARROW), TRUE, arrow), S_OK);
    EXPECT_NE(fullscreen.shownCursor, LoadCursor(nullptr, IDC_ARROW));
    ASSERT_EQ(fullscreen.shownPixels.size(), arrow.pixels.size());
    int same = 0;
    for (size_t i = 0; i < arrow.pixels.size(); ++i) {
        // Opaque pixels as made; transparent ones with alpha 0 whatever their colour.
        same += arrow.pixels[i] == 0 ? (fullscreen.shownPixels[i] >> 24) == 0
                                     : fullscreen.shownPixels[i] == arrow.pixels[i];
    }
    RecordProperty("cursor_pixels_matching", same);
    EXPECT_EQ(size_t(same), arrow.pixels.size());
    ASSERT_TRUE(back.taken);
    EXPECT_TRUE(back.windowed);
    EXPECT_TRUE(back.settingsWindowed);
    EXPECT_TRUE(back.presentsWindowed);
    EXPECT_TRUE(back.device);
    EXPECT_FALSE(back.style & WS_POPUP);
    EXPECT_EQ(back.shownCursor, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_TRUE(back.mainMenu);
    // Without the clipping option the cursor stays free in both modes.
    const RECT screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                         GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    EXPECT_TRUE(EqualRect(&back.clip, &screen));
    EXPECT_TRUE(EqualRect(&fullscreen.clip, &screen));
}

}  // namespace
