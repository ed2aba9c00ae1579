#include "tests/support/window_capture_win.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK paintTwoHalves(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT left{0, 0, 50, 80}, right{50, 0, 100, 80};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(window, &ps);
    return 0;
}

} // namespace

TEST(WindowCapture, ReadsWhatTheWindowPainted)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = paintTwoHalves;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CaptureTestWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("CaptureTestWindow", "capture", WS_POPUP | WS_VISIBLE, 10, 10,
                                100, 80, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(window);
    pumpMessages(100);

    Capture capture = captureClient(window);
    ASSERT_EQ(capture.width, 100);
    ASSERT_EQ(capture.height, 80);
    EXPECT_EQ(capture.at(10, 40), rgb(255, 0, 0));
    EXPECT_EQ(capture.at(90, 40), rgb(0, 0, 255));
    EXPECT_EQ(capture.count(rgb(255, 0, 0), 0, 0, 100, 80), 50 * 80);
    DestroyWindow(window);
}
