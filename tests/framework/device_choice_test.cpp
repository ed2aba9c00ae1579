// The device catalog and the windowed, fullscreen and start-up choices, on a scripted Direct3D;
// the catalog's lists show the item array that keeps them.
#include <gtest/gtest.h>

#include <vector>

#include "framework/d3d_settings_win.h"
#include "framework/error_report_win.h"
#include "tests/support/fake_direct3d_win.h"

namespace {

template <typename T>
std::vector<T> Values(const CItemArray& array) {
    std::vector<T> values;
    for (UINT i = 0; i < array.Count(); ++i)
        values.push_back(*static_cast<T*>(array.Item(i)));
    return values;
}

using Kinds = std::vector<VertexProcessingType>;
using Formats = std::vector<D3DFORMAT>;

class Catalog : public ::testing::Test {
protected:
    void SetUp() override {
        d3d.adapters.push_back(TypicalAdapter("Scripted adapter"));
        catalog.SetDirect3D(&d3d);
    }
    void Enumerate() { ASSERT_EQ(catalog.Enumerate(), S_OK); }
    AdapterRecord& Adapter(UINT a = 0) { return *ItemAt<AdapterRecord>(catalog.m_adapters, a); }
    DeviceRecord& Device(UINT d = 0) { return *ItemAt<DeviceRecord>(Adapter().devices, d); }
    FormatCombo* Combo(D3DFORMAT adapter, D3DFORMAT backBuffer, bool windowed, UINT d = 0) {
        for (UINT i = 0; i < Device(d).combos.Count(); ++i) {
            FormatCombo* c = ItemAt<FormatCombo>(Device(d).combos, i);
            if (c->adapterFormat == adapter && c->backBufferFormat == backBuffer && c->windowed == windowed)
                return c;
        }
        return nullptr;
    }
    FormatCombo* Windowed() { return Combo(D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true); }
    Kinds KindsOf(UINT d) { return Values<VertexProcessingType>(ItemAt<FormatCombo>(Device(d).combos, 0)->vertexProcessingTypes); }

    FakeDirect3D d3d;
    CD3DDeviceCatalog catalog;
};

TEST_F(Catalog, KeepsModesFromTheMinimumSizeSortedBySizeFormatAndRefresh) {
    FakeAdapter small = TypicalAdapter("Small");
    small.modes = {{639, 480, 60, D3DFMT_X8R8G8B8}, {640, 479, 60, D3DFMT_R5G6B5}};
    d3d.adapters.insert(d3d.adapters.begin(), small);
    Enumerate();
    ASSERT_EQ(catalog.m_adapters.Count(), 1u);   // every mode of the first is too small
    EXPECT_EQ(std::to_string(Adapter().adapterOrdinal) + Adapter().identifier.Description, "1Scripted adapter");
    // 320 x 240 is left out, 640 x 480 kept; by size, then X8R8G8B8 (22) before R5G6B5 (23),
    // then by refresh rate.
    std::vector<std::vector<UINT>> modes;
    for (const D3DDISPLAYMODE& mode : Values<D3DDISPLAYMODE>(Adapter().displayModes))
        modes.push_back({mode.Width, UINT(mode.Format), mode.RefreshRate});
    std::vector<std::vector<UINT>> expected;
    for (UINT width : {640, 800, 1024})
        for (UINT format : {22, 23})
            for (UINT refresh : {60, 75})
                expected.push_back({width, format, refresh});
    EXPECT_EQ(modes, expected);
    catalog.m_minColorBits = 6;                   // R5G6B5 has a 5-bit channel
    Enumerate();
    for (const D3DDISPLAYMODE& mode : Values<D3DDISPLAYMODE>(Adapter().displayModes))
        EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
}

TEST_F(Catalog, CombosCoverEveryFormatPairWithTheRetraceWaitsTheCapsAllow) {
    Enumerate();
    // No caps for the software device type: HAL and REF remain, in that order.
    ASSERT_EQ(Adapter().devices.Count(), 2u);
    EXPECT_EQ(std::make_pair(Device(0).deviceType, Device(1).deviceType), std::make_pair(D3DDEVTYPE_HAL, D3DDEVTYPE_REF));
    // Two adapter formats in use, six back-buffer formats, fullscreen and windowed each.
    ASSERT_EQ(Device().combos.Count(), 24u);
    EXPECT_EQ(Values<DWORD>(Combo(D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false)->presentIntervals),
              (std::vector<DWORD>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                  D3DPRESENT_INTERVAL_ONE, D3DPRESENT_INTERVAL_TWO,
                                  D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR}));
    // A window never waits for more than one retrace; the default needs no caps bit.
    EXPECT_EQ(Values<DWORD>(Windowed()->presentIntervals),
              (std::vector<DWORD>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                  D3DPRESENT_INTERVAL_ONE}));
    d3d.adapters[0].caps[D3DDEVTYPE_HAL].PresentationIntervals = 0;
    Enumerate();
    EXPECT_EQ(Values<DWORD>(Windowed()->presentIntervals), std::vector<DWORD>{D3DPRESENT_INTERVAL_DEFAULT});
}

bool RejectSoftware(const D3DCAPS9*, VertexProcessingType kind, D3DFORMAT, D3DFORMAT) {
    return kind != SOFTWARE_VP;
}

TEST_F(Catalog, VertexProcessingFollowsTheCapsTheMixedOptionAndTheApplication) {
    Enumerate();
    EXPECT_EQ(KindsOf(0), (Kinds{PURE_HARDWARE_VP, HARDWARE_VP, SOFTWARE_VP}));
    EXPECT_EQ(KindsOf(1), Kinds{SOFTWARE_VP});
    catalog.m_offerMixedVP = true;
    Enumerate();
    EXPECT_EQ(KindsOf(0), (Kinds{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP, SOFTWARE_VP}));
    // Without hardware transform, a pure device cap alone offers nothing more.
    d3d.adapters[0].caps[D3DDEVTYPE_HAL].DevCaps = D3DDEVCAPS_PUREDEVICE;
    Enumerate();
    EXPECT_EQ(KindsOf(0), Kinds{SOFTWARE_VP});
    // Kinds the application rejects are left out; the REF device, left with none, goes.
    d3d.adapters[0] = TypicalAdapter("Again");
    catalog.m_confirmCallback = RejectSoftware;
    Enumerate();
    ASSERT_EQ(Adapter().devices.Count(), 1u);
    EXPECT_EQ(KindsOf(0), (Kinds{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP}));
    // An adapter without any device type is left out.
    d3d.adapters[0].caps.clear();
    Enumerate();
    EXPECT_EQ(catalog.m_adapters.Count(), 0u);
}

TEST_F(Catalog, DepthFormatsMeetTheBitCountsAndBothChecks) {
    d3d.depthFormatOk = [](D3DFORMAT depth) { return depth != D3DFMT_D32; };
    d3d.depthMatchOk = [](D3DFORMAT backBuffer, D3DFORMAT depth) {
        return depth != D3DFMT_D24X8 && backBuffer != D3DFMT_A8R8G8B8;
    };
    Enumerate();
    EXPECT_EQ(Device().combos.Count(), 24u);   // no depth buffer needed, nothing dropped
    catalog.m_needsDepthBuffer = true;
    Enumerate();
    EXPECT_EQ(Device().combos.Count(), 20u);   // combos without depth formats are dropped
    EXPECT_EQ(Values<D3DFORMAT>(Windowed()->depthStencilFormats),
              (Formats{D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24S8, D3DFMT_D24X4S4}));
    catalog.m_minDepthBitCount = 16;   // D15S1 has 15
    Enumerate();
    EXPECT_EQ(Values<D3DFORMAT>(Windowed()->depthStencilFormats),
              (Formats{D3DFMT_D16, D3DFMT_D24S8, D3DFMT_D24X4S4}));
    catalog.m_minStencilBitCount = 4;
    Enumerate();
    EXPECT_EQ(Values<D3DFORMAT>(Windowed()->depthStencilFormats), (Formats{D3DFMT_D24S8, D3DFMT_D24X4S4}));
}

TEST_F(Catalog, MultisampleTypesKeepTheirQualitiesAndDepthConflicts) {
    catalog.m_needsDepthBuffer = true;
    d3d.depthFormatOk = [](D3DFORMAT depth) { return depth == D3DFMT_D16 || depth == D3DFMT_D24S8; };
    // Four samples work, except with the 24-bit depth buffer; nothing works with A8R8G8B8.
    d3d.multisampleOk = [](D3DFORMAT surface, D3DMULTISAMPLE_TYPE type) {
        return surface != D3DFMT_A8R8G8B8 && (type == D3DMULTISAMPLE_NONE ||
               (type == D3DMULTISAMPLE_4_SAMPLES && surface != D3DFMT_D24S8));
    };
    Enumerate();
    EXPECT_EQ(Device().combos.Count(), 20u);
    const FormatCombo* combo = Windowed();
    EXPECT_EQ(Values<D3DMULTISAMPLE_TYPE>(combo->multisampleTypes),
              (std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_4_SAMPLES}));
    EXPECT_EQ(Values<DWORD>(combo->multisampleQualities), (std::vector<DWORD>{1, 1}));
    const auto conflicts = Values<DepthMultisampleConflict>(combo->conflicts);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(std::make_pair(conflicts[0].depthStencilFormat, conflicts[0].multisampleType),
              std::make_pair(D3DFMT_D24S8, D3DMULTISAMPLE_4_SAMPLES));
}

TEST_F(Catalog, ModeRestrictionsAndAlphaRequirementDropCombos) {
    d3d.deviceTypeOk = [](UINT, D3DDEVTYPE, D3DFORMAT, BOOL windowed) { return !windowed; };
    Enumerate();
    EXPECT_EQ(Device().combos.Count(), 12u);
    EXPECT_EQ(Windowed(), nullptr);
    d3d.deviceTypeOk = nullptr;
    // A8R8G8B8 and A2R10G10B10 have two alpha bits or more.
    catalog.m_minAlphaBits = 2;
    Enumerate();
    EXPECT_EQ(Device().combos.Count(), 8u);
}

// The picks on the catalog (their rules are FrameworkLogic's): each half takes the front of its
// combo's lists, a window the desktop mode and the client size, full screen a mode of the list.
class Choice : public Catalog {
protected:
    void SetUp() override {
        Catalog::SetUp();
        catalog.m_needsDepthBuffer = true;
        d3d.adapters[0].desktop.RefreshRate = 85;
        d3d.adapters.push_back(TypicalAdapter("Second adapter"));
        d3d.depthFormatOk = [](D3DFORMAT depth) { return depth == D3DFMT_D24S8 || depth == D3DFMT_D16; };
    }
    std::vector<DWORD> Summary(const DeviceChoice& c) {
        return {c.adapter->adapterOrdinal, DWORD(c.device->deviceType), c.combo->windowed, DWORD(c.combo->backBufferFormat),
                c.displayMode.Width, c.displayMode.RefreshRate, DWORD(c.width), DWORD(c.height), DWORD(c.depthStencilFormat),
                DWORD(c.vertexProcessingType), c.presentInterval};
    }
    const RECT kClient = {0, 0, 350, 672};
    CD3DDeviceSettings settings;
};

TEST_F(Choice, HalvesTakeTheFrontOfTheirListsAndStartupIsWindowedUnlessAskedOrOnlyFullscreenExists) {
    Enumerate();
    ASSERT_EQ(PickStartupChoices(catalog, kClient, false, settings), S_OK);
    EXPECT_TRUE(settings.windowed && settings.GetFormatCombo() == settings.windowedChoice.combo);
    EXPECT_EQ(Summary(settings.windowedChoice),
              (std::vector<DWORD>{0, D3DDEVTYPE_HAL, true, D3DFMT_X8R8G8B8, 1024, 85, 350, 672, D3DFMT_D16, PURE_HARDWARE_VP,
                                  D3DPRESENT_INTERVAL_IMMEDIATE}));
    EXPECT_EQ(Summary(settings.fullscreenChoice),
              (std::vector<DWORD>{0, D3DDEVTYPE_HAL, false, D3DFMT_X8R8G8B8, 1024, 75, 0, 0, D3DFMT_D16, PURE_HARDWARE_VP,
                                  D3DPRESENT_INTERVAL_DEFAULT}));
    ASSERT_EQ(PickStartupChoices(catalog, kClient, true, settings), S_OK);
    EXPECT_TRUE(!settings.windowed && settings.GetFormatCombo() == settings.fullscreenChoice.combo);
    // The requirements reach the rules.
    ASSERT_TRUE(PickWindowedChoice(catalog, kClient, false, true, settings));
    EXPECT_EQ(std::make_pair(settings.windowedChoice.device->deviceType, settings.windowedChoice.vertexProcessingType),
              std::make_pair(D3DDEVTYPE_REF, SOFTWARE_VP));

    // A desktop format no adapter format matches leaves only full screen.
    d3d.adapters[0].desktop.Format = D3DFMT_R8G8B8;
    settings = CD3DDeviceSettings();
    Enumerate();
    ASSERT_EQ(PickStartupChoices(catalog, kClient, false, settings), S_OK);
    EXPECT_TRUE(!settings.windowed && !settings.windowedChoice.combo);
    d3d.adapters.resize(1);
    d3d.adapters[0].caps.clear();
    Enumerate();
    EXPECT_EQ(PickStartupChoices(catalog, kClient, false, settings), APPERR_NO_COMPATIBLE_DEVICES);
}

}  // namespace
