// The Windows helpers every suite leans on: a box left unanswered would hang a suite, a wrong
// recording or a blind capture would make other tests pass for the wrong reason.
#include "tests/support/device_fixture_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_window_win.h"

#include <commdlg.h>
#include <gtest/gtest.h>

namespace {

TEST(DialogAnswerer, AnswersMessageBoxesAndRecordsTextCaptionAndStyleShownOrNot)
{
    for (auto boxes : {DialogAnswerer::Boxes::Show, DialogAnswerer::Boxes::RecordOnly}) {
        const bool shown = boxes == DialogAnswerer::Boxes::Show;
        DialogAnswerer answerer(boxes);
        answerer.pressOnNextBox(IDNO);
        EXPECT_EQ(MessageBoxA(nullptr, "first\nline two", "Caption A", MB_YESNO | MB_ICONWARNING), shown ? IDNO : IDOK);
        EXPECT_EQ(MessageBoxA(nullptr, "second", nullptr, MB_ICONERROR), IDOK);
        ASSERT_EQ(answerer.seen().size(), 2u);
        EXPECT_EQ(answerer.seen()[0].caption, "Caption A");
        EXPECT_EQ(answerer.seen()[0].style, unsigned(MB_YESNO | MB_ICONWARNING));
        EXPECT_EQ(answerer.seen()[1].caption + " " + std::to_string(answerer.seen()[1].style), "Error 16");
        EXPECT_EQ(answerer.boxTexts(), (std::vector<std::string>{"first\nline two", "second"}));
    }
}

// Typed names and chosen buttons are shown by the Open Bitmap dialog's suite; here the default.
TEST(DialogAnswerer, CancelsADialogNobodyExpectedInsteadOfHanging)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    DialogAnswerer answerer;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.boxTexts(), std::vector<std::string>{});
}

// Both captures read back what was drawn, every pixel of it: a window's client area (from its
// paint) and a device's render target.
TEST(Capture, ReadsBackWhatAWindowPaintedAndWhatADeviceDrew)
{
    TestWindow window(100, 80);
    HWND left = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 50, 80, window.handle(),
                              nullptr, nullptr, nullptr);
    ASSERT_TRUE(left);
    const Capture client = captureClient(window.handle());
    ASSERT_EQ(client.width * 1000 + client.height, 100080);
    EXPECT_EQ(client.at(90, 40), rgb(255, 255, 255));
    EXPECT_EQ(client.count(client.at(10, 40), 0, 0, 50, 80), 50 * 80);
    EXPECT_NE(client.at(10, 40), client.at(90, 40));

    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test, 64, 32));
    ASSERT_TRUE(SUCCEEDED(test.device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0)));
    const Capture target = captureRenderTarget(test.device);
    ASSERT_EQ(target.width * 1000 + target.height, 64032);
    EXPECT_EQ(target.count(0x0000FF, 0, 0, 64, 32), 64 * 32);
    EXPECT_EQ(releaseTestDevice(test), 0u);
}

} // namespace
