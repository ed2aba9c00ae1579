// The statistics of a running framework application under Wine: the device text after the
// device is made, and the frame text refreshed about once a second while frames are drawn.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "framework/format_name_win.h"
#include "tests/support/app_driver_win.h"
#include "tests/framework/blue_test_app.h"

namespace {

class StatsApp : public Recording<BlueTestApp> {
public:
    std::string frameStats() const { return m_frameStats; }
    std::string depthFormat() const { return FormatName(m_settings.GetDepthStencilFormat(), false); }
    const D3DADAPTER_IDENTIFIER9& adapter() const {
        return m_settings.GetAdapterRecord()->identifier;
    }
    VertexProcessingType vertexProcessing() const { return m_settings.GetVertexProcessingType(); }
};

TEST(FrameStatsApp, DeviceTextNamesTheHalDeviceItsProcessingAndTheAdapter) {
    auto app = std::make_unique<StatsApp>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    const char* processing = app->vertexProcessing() == PURE_HARDWARE_VP ? " (pure hw vp)"
                             : app->vertexProcessing() == HARDWARE_VP    ? " (hw vp)"
                                                                         : " (sw vp)";
    std::string expected = std::string("HAL") + processing + ": " + app->adapter().Description;
    EXPECT_EQ(app->deviceStats(), expected.substr(0, 89));
    RecordProperty("device_stats", app->deviceStats());
    RunWithSteps(*app, app->mainWindow(),
                 {[&] { PostMessageA(app->deviceWindow(), WM_CLOSE, 0, 0); }});
}

TEST(FrameStatsApp, FrameTextShowsRateSizeAndFormatsAndChangesAtMostOnceASecond) {
    auto app = std::make_unique<StatsApp>();
    ASSERT_EQ(app->Create(GetModuleHandleA(nullptr)), S_OK);
    std::vector<std::string> samples;
    std::vector<std::function<void()>> steps;
    for (int i = 0; i < 25; ++i)
        steps.push_back([&] { samples.push_back(app->frameStats()); });
    steps.push_back([&] { PostMessageA(app->deviceWindow(), WM_CLOSE, 0, 0); });
    const DWORD start = GetTickCount();
    RunWithSteps(*app, app->mainWindow(), steps, 100);
    const double seconds = (GetTickCount() - start) / 1000.0;

    const std::string last = samples.back();
    RecordProperty("frame_stats", last);
    const std::regex shape("[0-9]+\\.[0-9]{2} fps \\(" + std::to_string(app->backBuffer().Width) +
                           "x" + std::to_string(app->backBuffer().Height) + "\\), X8R8G8B8 \\(" +
                           app->depthFormat() + "\\)");
    EXPECT_TRUE(std::regex_match(last, shape)) << last;
    int changes = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        changes += samples[i] != samples[i - 1];
    EXPECT_GE(changes, 1);
    EXPECT_LE(changes, int(seconds) + 1);
}

}  // namespace
