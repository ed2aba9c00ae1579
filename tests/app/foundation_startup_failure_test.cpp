// A Direct3D failure at start-up goes through the framework's error report: one fatal box
// captioned with the view's title, the clean-up, and Create's failure for WinMain.
// Its own suite: after a fatal report the process shows no more error boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "framework/error_report_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"
#include "tests/support/dialog_answerer_win.h"

namespace {

// An application that accepts no device at all.
class NoDeviceWantedApp : public BlueTestApp {
public:
    HRESULT ConfirmDeviceCaps(const D3DCAPS9*, DWORD, D3DFORMAT, D3DFORMAT) override {
        return E_FAIL;
    }
};

TEST(FoundationStartupFailure, NoAcceptableDeviceIsReportedFatallyAndCreateFails) {
    DialogAnswerer answerer;
    Recording<NoDeviceWantedApp> app;
    EXPECT_EQ(app.Create(GetModuleHandleA(nullptr)), APPERR_NO_COMPATIBLE_DEVICES);

    ASSERT_EQ(answerer.seen().size(), 1u);
    const DialogAnswerer::Box& box = answerer.seen()[0];
    EXPECT_EQ(box.caption, "Framework Under Test");
    EXPECT_EQ(box.text,
              "Could not find any compatible Direct3D\ndevices.\n\nThis sample will now exit.");
    EXPECT_TRUE(box.style & MB_ICONERROR);
    // The report closed the view: nothing of the device was made, the clean-up ran.
    EXPECT_EQ(app.log.lifecycle(), (std::vector<std::string>{"CleanupAppOnce"}));
    EXPECT_EQ(app.deviceWindow(), nullptr);
    EXPECT_EQ(app.direct3D(), nullptr);
    if (IsWindow(app.mainWindow()))
        DestroyWindow(app.mainWindow());
}

}  // namespace
