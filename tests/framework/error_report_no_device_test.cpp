// An application that accepts no device: Create ends in one fatal box captioned with the
// window title, and the framework shuts down cleanly, once.
#include <gtest/gtest.h>

#include <memory>

#include "framework/error_report_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"
#include "tests/framework/error_report_boxes.h"

namespace {

class PickyApp : public Recording<BlueTestApp> {
public:
    PickyApp() { m_windowTitle = "Picky Application"; }
    HRESULT ConfirmDeviceCaps(const D3DCAPS9*, DWORD, D3DFORMAT, D3DFORMAT) override {
        ++asked;
        return E_FAIL;
    }
    int asked = 0;
};

TEST(ErrorReportNoDevice, NoAcceptableDeviceEndsWithOneBoxAndACleanShutdown) {
    DialogAnswerer answerer;
    auto app = std::make_unique<PickyApp>();
    EXPECT_EQ(app->Create(GetModuleHandleA(nullptr)), APPERR_NO_COMPATIBLE_DEVICES);
    EXPECT_GT(app->asked, 0);

    const std::vector<DialogAnswerer::Box> boxes = BoxesCaptioned(answerer, "Picky Application");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Could not find any compatible Direct3D\ndevices.\n\nThis sample will now exit.");
    EXPECT_EQ(boxes[0].style & MB_ICONMASK, unsigned(MB_ICONERROR));

    // The box's WM_CLOSE ran the framework's clean-up: no device, no Direct3D object, the
    // view gone, and the loop told to end.
    EXPECT_EQ(app->device(), nullptr);
    EXPECT_EQ(app->direct3D(), nullptr);
    EXPECT_EQ(app->deviceWindow(), nullptr);
    EXPECT_EQ(app->log.count("CleanupAppOnce"), 1);
    EXPECT_EQ(app->log.count("InitAppOnce"), 0);
    EXPECT_EQ(app->log.count("CreateDeviceResources"), 0);
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    if (IsWindow(app->mainWindow()))
        DestroyWindow(app->mainWindow());
}

}  // namespace
