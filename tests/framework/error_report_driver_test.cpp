// A driver's internal error ends the program even when it is reported as a warning, and a
// fatal report without a device window shows its box and closes nothing.
#include <gtest/gtest.h>

#include <d3d9.h>

#include "framework/error_report_win.h"
#include "tests/framework/error_report_boxes.h"

namespace {

bool g_closed = false;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        g_closed = true;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(ErrorReportDriver, DriverInternalErrorIsAlwaysFatal) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ErrorReportDriverWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ErrorReportDriverWindow", "device", WS_OVERLAPPEDWINDOW, 0,
                                  0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
    ASSERT_NE(window, nullptr);
    DialogAnswerer answerer;
    EXPECT_EQ(ShowErrorMessage(D3DERR_DRIVERINTERNALERROR, ERRMSG_WARN, "Caption", window),
              D3DERR_DRIVERINTERNALERROR);
    std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, "Caption");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "A serious problem occured inside the display driver.\n\nThis sample will now "
              "exit.");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, unsigned(MB_ICONERROR));
    EXPECT_TRUE(g_closed);
    EXPECT_TRUE(FatalErrorReported());
    DestroyWindow(window);
}

}  // namespace
