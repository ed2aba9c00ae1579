// A fatal error: one error box with the exit sentence, one WM_CLOSE to the device window, and
// silence for every report after it. One process, because the silence lasts for its life.
#include <gtest/gtest.h>

#include "framework/error_report_win.h"
#include "tests/framework/error_report_boxes.h"

namespace {

int g_closeCount = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ++g_closeCount;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeDeviceWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ErrorReportFatalWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ErrorReportFatalWindow", "device", WS_OVERLAPPEDWINDOW, 0, 0,
                           100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(ErrorReportFatal, FirstFatalErrorClosesOnceAndSilencesEveryLaterReport) {
    HWND window = MakeDeviceWindow();
    ASSERT_NE(window, nullptr);
    DialogAnswerer answerer;

    EXPECT_EQ(ShowErrorMessage(APPERR_NO_COMPATIBLE_DEVICES, ERRMSG_EXIT, "Mapwell", window),
              APPERR_NO_COMPATIBLE_DEVICES);
    std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, "Mapwell");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Could not find any compatible Direct3D\ndevices.\n\nThis sample will now exit.");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, unsigned(MB_ICONERROR));
    EXPECT_EQ(boxes[0].style & MB_TYPEMASK, unsigned(MB_OK));
    EXPECT_EQ(g_closeCount, 1);
    EXPECT_TRUE(FatalErrorReported());

    // The failed mode switch's own fatal report is followed by the command's: only one box.
    EXPECT_EQ(ShowErrorMessage(APPERR_RESET_FAILED, ERRMSG_EXIT, "Mapwell", window),
              APPERR_RESET_FAILED);
    EXPECT_EQ(ShowErrorMessage(E_OUTOFMEMORY, ERRMSG_WARN, "Mapwell", window), E_OUTOFMEMORY);
    EXPECT_EQ(ShowErrorMessage(E_FAIL, ERRMSG_SWITCHED_TO_REF, "Mapwell", window), E_FAIL);
    EXPECT_EQ(BoxesCaptioned(answerer, "Mapwell").size(), 1u);
    EXPECT_EQ(g_closeCount, 1);
    DestroyWindow(window);
}

}  // namespace
