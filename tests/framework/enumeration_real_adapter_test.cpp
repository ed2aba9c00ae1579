// The catalog and the start-up choice on the machine's real Direct3D: under Wine on the
// virtual display, a HAL adapter whose X8R8G8B8 desktop is matched by an X8R8G8B8 window.
#include <gtest/gtest.h>

#include "framework/d3d_settings_win.h"
#include "framework/format_name_win.h"

namespace {

bool ModeNotAfter(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    if (a.Width != b.Width)
        return a.Width < b.Width;
    if (a.Height != b.Height)
        return a.Height < b.Height;
    if (a.Format != b.Format)
        return INT(a.Format) < INT(b.Format);
    return a.RefreshRate <= b.RefreshRate;
}

class RealAdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        d3d = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(d3d, nullptr);
        catalog.SetDirect3D(d3d);
        catalog.m_needsDepthBuffer = true;
        ASSERT_EQ(catalog.Enumerate(), S_OK);
        ASSERT_GT(catalog.m_adapters.Count(), 0u);
    }
    void TearDown() override {
        if (d3d)
            d3d->Release();
    }

    IDirect3D9* d3d = nullptr;
    CD3DDeviceCatalog catalog;
};

TEST_F(RealAdapterTest, AdapterModesAreSortedAndLargeEnough) {
    const AdapterRecord& adapter = *ItemAt<AdapterRecord>(catalog.m_adapters, 0);
    RecordProperty("adapter", adapter.identifier.Description);
    ASSERT_GT(adapter.displayModes.Count(), 0u);
    for (UINT i = 0; i < adapter.displayModes.Count(); ++i) {
        const D3DDISPLAYMODE& mode = *static_cast<D3DDISPLAYMODE*>(adapter.displayModes.Item(i));
        EXPECT_GE(mode.Width, 640u);
        EXPECT_GE(mode.Height, 480u);
        if (i > 0) {
            const D3DDISPLAYMODE& previous =
                *static_cast<D3DDISPLAYMODE*>(adapter.displayModes.Item(i - 1));
            EXPECT_TRUE(ModeNotAfter(previous, mode)) << "mode " << i;
        }
    }
    const DeviceRecord& first = *ItemAt<DeviceRecord>(adapter.devices, 0);
    EXPECT_EQ(first.deviceType, D3DDEVTYPE_HAL);
    ASSERT_GT(first.combos.Count(), 0u);
    const FormatCombo& combo = *ItemAt<FormatCombo>(first.combos, 0);
    EXPECT_GT(combo.depthStencilFormats.Count(), 0u);
    EXPECT_GT(combo.vertexProcessingTypes.Count(), 0u);
    EXPECT_GT(combo.multisampleTypes.Count(), 0u);
}

TEST_F(RealAdapterTest, StartsWindowedOnHalWithTheDesktopsFormat) {
    D3DDISPLAYMODE desktop = {};
    ASSERT_EQ(d3d->GetAdapterDisplayMode(0, &desktop), S_OK);
    RecordProperty("desktop_format", FormatName(desktop.Format, false));
    ASSERT_EQ(desktop.Format, D3DFMT_X8R8G8B8);
    CD3DDeviceSettings settings;
    const RECT client = {0, 0, 350, 672};
    ASSERT_EQ(PickStartupChoices(catalog, client, false, settings), S_OK);
    EXPECT_TRUE(settings.windowed);
    EXPECT_EQ(settings.GetDeviceType(), D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.GetFormatCombo()->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(settings.GetFormatCombo()->backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(settings.GetDisplayMode().Width, desktop.Width);
    EXPECT_NE(settings.GetDepthStencilFormat(), D3DFMT_UNKNOWN);
    RecordProperty("depth_format", FormatName(settings.GetDepthStencilFormat(), false));
    RecordProperty("vertex_processing", int(settings.GetVertexProcessingType()));
    // The fullscreen half exists too, for the switch.
    ASSERT_NE(settings.fullscreenChoice.combo, nullptr);
    EXPECT_FALSE(settings.fullscreenChoice.combo->windowed);
    EXPECT_GE(settings.fullscreenChoice.displayMode.Width, 640u);
}

}  // namespace
