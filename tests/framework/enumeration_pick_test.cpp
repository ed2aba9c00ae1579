// The windowed, fullscreen and start-up device choices on scripted catalogs.
#include <gtest/gtest.h>

#include "framework/d3d_settings_win.h"
#include "framework/error_report_win.h"
#include "tests/support/fake_direct3d_win.h"

namespace {

const RECT kClient = {0, 0, 350, 672};

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        d3d.adapters.push_back(TypicalAdapter("Scripted adapter"));
        catalog.SetDirect3D(&d3d);
        catalog.m_needsDepthBuffer = true;
    }
    void Enumerate() { ASSERT_EQ(catalog.Enumerate(), S_OK); }
    bool PickWindowed(bool requireHAL = false, bool requireREF = false) {
        return PickWindowedChoice(catalog, kClient, requireHAL, requireREF, settings);
    }
    bool PickFullscreen(bool requireHAL = false, bool requireREF = false) {
        return PickFullscreenChoice(catalog, requireHAL, requireREF, settings);
    }

    FakeDirect3D d3d;
    CD3DDeviceCatalog catalog;
    CD3DDeviceSettings settings;
};

TEST_F(PickTest, WindowedTakesHalWithTheDesktopFormatAndTheFrontOfEachList) {
    d3d.deviceFormatOk = [](D3DDEVTYPE, D3DFORMAT, DWORD, D3DFORMAT format) {
        return format == D3DFMT_D24S8 || format == D3DFMT_D16;
    };
    Enumerate();
    ASSERT_TRUE(PickWindowed());
    const DeviceChoice& choice = settings.windowedChoice;
    EXPECT_TRUE(settings.windowed);
    EXPECT_EQ(choice.device->deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(choice.adapter->adapterOrdinal, 0u);
    ASSERT_NE(choice.combo, nullptr);
    EXPECT_TRUE(choice.combo->windowed);
    // A8R8G8B8 comes first in the catalog, but the search goes on to the equal formats.
    EXPECT_EQ(choice.combo->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(choice.combo->backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(choice.displayMode.Width, 1024u);
    EXPECT_EQ(choice.displayMode.Height, 768u);
    EXPECT_EQ(choice.displayMode.RefreshRate, 60u);
    EXPECT_EQ(choice.width, 350);
    EXPECT_EQ(choice.height, 672);
    EXPECT_EQ(choice.depthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(choice.multisampleType, D3DMULTISAMPLE_NONE);
    EXPECT_EQ(choice.multisampleQuality, 0u);
    EXPECT_EQ(choice.vertexProcessingType, PURE_HARDWARE_VP);
    EXPECT_EQ(choice.presentInterval, DWORD(D3DPRESENT_INTERVAL_IMMEDIATE));
}

TEST_F(PickTest, WindowedStopsAtTheFirstHalWithEqualFormats) {
    d3d.adapters.push_back(TypicalAdapter("Second adapter"));
    Enumerate();
    ASSERT_TRUE(PickWindowed());
    EXPECT_EQ(settings.windowedChoice.adapter->adapterOrdinal, 0u);
}

TEST_F(PickTest, WindowedKeepsTheFirstHalComboOverLaterReferenceOnes) {
    // The hardware device renders into a window only through an A8R8G8B8 back buffer.
    d3d.deviceTypeOk = [](UINT, D3DDEVTYPE type, D3DFORMAT, D3DFORMAT backBuffer, BOOL windowed) {
        return !(windowed && type == D3DDEVTYPE_HAL && backBuffer != D3DFMT_A8R8G8B8);
    };
    Enumerate();
    ASSERT_TRUE(PickWindowed());
    EXPECT_EQ(settings.windowedChoice.device->deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.windowedChoice.combo->backBufferFormat, D3DFMT_A8R8G8B8);
}

TEST_F(PickTest, HalReplacesAnEarlierNonHalCombo) {
    // Adapter 0 has only a reference device; adapter 1 a HAL whose windowed back buffer
    // must be A8R8G8B8. The HAL wins although it comes later and its formats differ.
    d3d.adapters[0].caps.erase(D3DDEVTYPE_HAL);
    d3d.adapters.push_back(TypicalAdapter("Second adapter"));
    d3d.adapters[1].caps.erase(D3DDEVTYPE_REF);
    d3d.deviceTypeOk = [](UINT adapter, D3DDEVTYPE, D3DFORMAT, D3DFORMAT backBuffer, BOOL) {
        return adapter == 0 || backBuffer == D3DFMT_A8R8G8B8;
    };
    Enumerate();
    ASSERT_TRUE(PickWindowed());
    EXPECT_EQ(settings.windowedChoice.device->deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.windowedChoice.adapter->adapterOrdinal, 1u);
}

TEST_F(PickTest, ReferenceAndHardwareRequirementsFilterDevices) {
    Enumerate();
    ASSERT_TRUE(PickWindowed(false, true));
    EXPECT_EQ(settings.windowedChoice.device->deviceType, D3DDEVTYPE_REF);
    EXPECT_EQ(settings.windowedChoice.vertexProcessingType, SOFTWARE_VP);
    ASSERT_TRUE(PickFullscreen(false, true));
    EXPECT_EQ(settings.fullscreenChoice.device->deviceType, D3DDEVTYPE_REF);

    d3d.adapters[0].caps.erase(D3DDEVTYPE_HAL);
    Enumerate();
    EXPECT_FALSE(PickWindowed(true, false));
    EXPECT_FALSE(PickFullscreen(true, false));
}

TEST_F(PickTest, DesktopOutsideTheAdapterFormatsHasNoWindowedChoiceAndStartsFullscreen) {
    d3d.adapters[0].desktop.Format = D3DFMT_R8G8B8;
    Enumerate();
    EXPECT_FALSE(PickWindowed());
    settings = CD3DDeviceSettings();
    ASSERT_EQ(PickStartupChoices(catalog, kClient, false, settings), S_OK);
    EXPECT_FALSE(settings.windowed);
    EXPECT_EQ(settings.GetDeviceType(), D3DDEVTYPE_HAL);
    EXPECT_EQ(settings.GetFormatCombo()->windowed, false);
    EXPECT_EQ(settings.windowedChoice.combo, nullptr);
}

TEST_F(PickTest, FullscreenTakesTheDesktopModeOnHalWithEqualFormats) {
    Enumerate();
    ASSERT_TRUE(PickFullscreen());
    const DeviceChoice& choice = settings.fullscreenChoice;
    EXPECT_FALSE(settings.windowed);
    EXPECT_EQ(choice.device->deviceType, D3DDEVTYPE_HAL);
    EXPECT_FALSE(choice.combo->windowed);
    EXPECT_EQ(choice.combo->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(choice.combo->backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(choice.displayMode.Width, 1024u);
    EXPECT_EQ(choice.displayMode.Height, 768u);
    EXPECT_EQ(choice.displayMode.RefreshRate, 60u);
    EXPECT_EQ(choice.displayMode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(choice.presentInterval, DWORD(D3DPRESENT_INTERVAL_DEFAULT));
    EXPECT_EQ(choice.vertexProcessingType, PURE_HARDWARE_VP);
}

TEST_F(PickTest, FullscreenPrefersAComboOnTheDesktopFormat) {
    d3d.adapters[0].desktop.Format = D3DFMT_R5G6B5;
    Enumerate();
    ASSERT_TRUE(PickFullscreen());
    EXPECT_EQ(settings.fullscreenChoice.combo->adapterFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(settings.fullscreenChoice.combo->backBufferFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(settings.fullscreenChoice.displayMode.Format, D3DFMT_R5G6B5);
}

TEST_F(PickTest, FullscreenDesktopFormatMatchWithoutEqualBackBufferStillReplaces) {
    // R5G6B5 back buffers do not exist: the best on the desktop format is its first combo.
    d3d.adapters[0].desktop.Format = D3DFMT_R5G6B5;
    d3d.deviceTypeOk = [](UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT backBuffer, BOOL) {
        return backBuffer != D3DFMT_R5G6B5;
    };
    Enumerate();
    ASSERT_TRUE(PickFullscreen());
    EXPECT_EQ(settings.fullscreenChoice.combo->adapterFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(settings.fullscreenChoice.combo->backBufferFormat, D3DFMT_A8R8G8B8);
}

struct ModeCase {
    D3DDISPLAYMODE desktop;
    UINT width, height, refresh;
};

TEST_F(PickTest, FullscreenModeFallsBackFromRefreshToSizeToWidthToFirst) {
    const ModeCase cases[] = {
        // Desktop size at a refresh rate the adapter lacks: the highest one of that size.
        {{1024, 768, 85, D3DFMT_X8R8G8B8}, 1024, 768, 75},
        // A desktop height no mode has: the last mode of the desktop's width.
        {{1024, 600, 60, D3DFMT_X8R8G8B8}, 1024, 768, 75},
        // Neither width nor height: the first mode in sorted order.
        {{1280, 1024, 60, D3DFMT_X8R8G8B8}, 640, 480, 60},
        // The exact desktop mode.
        {{800, 600, 75, D3DFMT_X8R8G8B8}, 800, 600, 75},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.desktop.Width * 10000 + c.desktop.Height);
        d3d.adapters[0].desktop = c.desktop;
        Enumerate();
        ASSERT_TRUE(PickFullscreen());
        EXPECT_EQ(settings.fullscreenChoice.displayMode.Width, c.width);
        EXPECT_EQ(settings.fullscreenChoice.displayMode.Height, c.height);
        EXPECT_EQ(settings.fullscreenChoice.displayMode.RefreshRate, c.refresh);
    }
}

TEST_F(PickTest, StartupIsWindowedUnlessAskedOrOnlyFullscreenExists) {
    Enumerate();
    ASSERT_EQ(PickStartupChoices(catalog, kClient, false, settings), S_OK);
    EXPECT_TRUE(settings.windowed);
    EXPECT_NE(settings.fullscreenChoice.combo, nullptr);
    EXPECT_EQ(settings.GetFormatCombo(), settings.windowedChoice.combo);

    ASSERT_EQ(PickStartupChoices(catalog, kClient, true, settings), S_OK);
    EXPECT_FALSE(settings.windowed);
    EXPECT_EQ(settings.GetFormatCombo(), settings.fullscreenChoice.combo);
}

TEST_F(PickTest, NoUsableDeviceGivesNoCompatibleDevices) {
    d3d.adapters[0].caps.clear();
    Enumerate();
    EXPECT_EQ(PickStartupChoices(catalog, kClient, false, settings),
              APPERR_NO_COMPATIBLE_DEVICES);
    d3d.adapters.clear();
    Enumerate();
    EXPECT_EQ(PickStartupChoices(catalog, kClient, true, settings),
              APPERR_NO_COMPATIBLE_DEVICES);
}

TEST_F(PickTest, AccessorsFollowTheWindowedFlag) {
    d3d.adapters[0].desktop.Format = D3DFMT_R5G6B5;
    Enumerate();
    ASSERT_EQ(PickStartupChoices(catalog, kClient, false, settings), S_OK);
    settings.fullscreenChoice.multisampleType = D3DMULTISAMPLE_2_SAMPLES;
    for (bool windowed : {true, false}) {
        settings.windowed = windowed;
        const DeviceChoice& half = windowed ? settings.windowedChoice : settings.fullscreenChoice;
        EXPECT_EQ(settings.GetAdapterRecord(), half.adapter);
        EXPECT_EQ(settings.GetDeviceRecord(), half.device);
        EXPECT_EQ(settings.GetFormatCombo(), half.combo);
        EXPECT_EQ(settings.GetAdapterOrdinal(), half.combo->adapterOrdinal);
        EXPECT_EQ(settings.GetDeviceType(), half.combo->deviceType);
        EXPECT_EQ(settings.GetDisplayMode().RefreshRate, half.displayMode.RefreshRate);
        EXPECT_EQ(settings.GetDepthStencilFormat(), half.depthStencilFormat);
        EXPECT_EQ(settings.GetMultisampleType(), half.multisampleType);
        EXPECT_EQ(settings.GetMultisampleQuality(), half.multisampleQuality);
        EXPECT_EQ(settings.GetVertexProcessingType(), half.vertexProcessingType);
        EXPECT_EQ(settings.GetPresentInterval(), half.presentInterval);
    }
    EXPECT_EQ(settings.GetMultisampleType(), D3DMULTISAMPLE_2_SAMPLES);
    settings.windowed = true;
    EXPECT_EQ(settings.GetMultisampleType(), D3DMULTISAMPLE_NONE);
}

}  // namespace
