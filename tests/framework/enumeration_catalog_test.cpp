// The device catalog on a scripted Direct3D object: which adapters, modes, device types and
// format combinations it keeps, and what each combination offers.
#include <gtest/gtest.h>

#include <vector>

#include "framework/d3d_enumeration_win.h"
#include "tests/support/fake_direct3d_win.h"

namespace {

template <typename T>
std::vector<T> Values(const CItemArray& array) {
    std::vector<T> values;
    for (UINT i = 0; i < array.Count(); ++i)
        values.push_back(*static_cast<T*>(array.Item(i)));
    return values;
}

AdapterRecord& AdapterAt(const CD3DDeviceCatalog& catalog, UINT index) {
    return *ItemAt<AdapterRecord>(catalog.m_adapters, index);
}

DeviceRecord& DeviceAt(const AdapterRecord& adapter, UINT index) {
    return *ItemAt<DeviceRecord>(adapter.devices, index);
}

// The first combo of the device with these formats and windowed flag, or null.
FormatCombo* FindCombo(const DeviceRecord& device, D3DFORMAT adapterFormat,
                       D3DFORMAT backBufferFormat, bool windowed) {
    for (UINT i = 0; i < device.combos.Count(); ++i) {
        FormatCombo* combo = ItemAt<FormatCombo>(device.combos, i);
        if (combo->adapterFormat == adapterFormat && combo->backBufferFormat == backBufferFormat &&
            combo->windowed == windowed)
            return combo;
    }
    return nullptr;
}

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        d3d.adapters.push_back(TypicalAdapter("Scripted adapter"));
        catalog.SetDirect3D(&d3d);
    }
    HRESULT Enumerate() { return catalog.Enumerate(); }
    DeviceRecord& Hal() { return DeviceAt(AdapterAt(catalog, 0), 0); }

    FakeDirect3D d3d;
    CD3DDeviceCatalog catalog;
};

TEST(Catalog, EnumerateWithoutDirect3DFails) {
    CD3DDeviceCatalog catalog;
    EXPECT_EQ(catalog.Enumerate(), E_FAIL);
    EXPECT_EQ(catalog.m_adapters.Count(), 0u);
}

TEST_F(CatalogTest, KeepsModesFromMinimumSizeSortedBySizeFormatAndRefresh) {
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Values<D3DFORMAT>(catalog.m_adapterFormats),
              (std::vector<D3DFORMAT>{D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5,
                                      D3DFMT_A2R10G10B10}));
    ASSERT_EQ(catalog.m_adapters.Count(), 1u);
    const AdapterRecord& adapter = AdapterAt(catalog, 0);
    EXPECT_STREQ(adapter.identifier.Description, "Scripted adapter");
    std::vector<D3DDISPLAYMODE> modes = Values<D3DDISPLAYMODE>(adapter.displayModes);
    // 320 x 240 is below the minimum; the rest sorted, X8R8G8B8 (22) before R5G6B5 (23).
    const UINT expected[][4] = {
        {640, 480, D3DFMT_X8R8G8B8, 60},  {640, 480, D3DFMT_X8R8G8B8, 75},
        {640, 480, D3DFMT_R5G6B5, 60},    {640, 480, D3DFMT_R5G6B5, 75},
        {800, 600, D3DFMT_X8R8G8B8, 60},  {800, 600, D3DFMT_X8R8G8B8, 75},
        {800, 600, D3DFMT_R5G6B5, 60},    {800, 600, D3DFMT_R5G6B5, 75},
        {1024, 768, D3DFMT_X8R8G8B8, 60}, {1024, 768, D3DFMT_X8R8G8B8, 75},
        {1024, 768, D3DFMT_R5G6B5, 60},   {1024, 768, D3DFMT_R5G6B5, 75},
    };
    ASSERT_EQ(modes.size(), std::size(expected));
    for (size_t i = 0; i < modes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(modes[i].Width, expected[i][0]);
        EXPECT_EQ(modes[i].Height, expected[i][1]);
        EXPECT_EQ(UINT(modes[i].Format), expected[i][2]);
        EXPECT_EQ(modes[i].RefreshRate, expected[i][3]);
    }
}

TEST_F(CatalogTest, CombosComeInAdapterFormatBackBufferAndFullscreenFirstOrder) {
    ASSERT_EQ(Enumerate(), S_OK);
    const AdapterRecord& adapter = AdapterAt(catalog, 0);
    // No caps for the software device type: only HAL and REF remain, in that order.
    ASSERT_EQ(adapter.devices.Count(), 2u);
    EXPECT_EQ(DeviceAt(adapter, 0).deviceType, D3DDEVTYPE_HAL);
    EXPECT_EQ(DeviceAt(adapter, 1).deviceType, D3DDEVTYPE_REF);
    const DeviceRecord& hal = DeviceAt(adapter, 0);
    // Two adapter formats in use, six back-buffer formats, fullscreen and windowed each.
    ASSERT_EQ(hal.combos.Count(), 24u);
    const FormatCombo* first = ItemAt<FormatCombo>(hal.combos, 0);
    const FormatCombo* second = ItemAt<FormatCombo>(hal.combos, 1);
    const FormatCombo* third = ItemAt<FormatCombo>(hal.combos, 2);
    const FormatCombo* thirteenth = ItemAt<FormatCombo>(hal.combos, 12);
    EXPECT_EQ(first->adapterFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(first->backBufferFormat, D3DFMT_A8R8G8B8);
    EXPECT_FALSE(first->windowed);
    EXPECT_TRUE(second->windowed);
    EXPECT_EQ(third->backBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(thirteenth->adapterFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(first->adapterOrdinal, 0u);
    EXPECT_EQ(first->deviceType, D3DDEVTYPE_HAL);
}

TEST_F(CatalogTest, AdapterWhoseModesAreAllTooSmallIsLeftOut) {
    FakeAdapter small = TypicalAdapter("Small");
    small.modes = {{320, 240, 60, D3DFMT_X8R8G8B8}, {639, 480, 60, D3DFMT_X8R8G8B8},
                   {640, 479, 60, D3DFMT_R5G6B5}};
    d3d.adapters.insert(d3d.adapters.begin(), small);
    ASSERT_EQ(Enumerate(), S_OK);
    ASSERT_EQ(catalog.m_adapters.Count(), 1u);
    EXPECT_EQ(AdapterAt(catalog, 0).adapterOrdinal, 1u);
    EXPECT_STREQ(AdapterAt(catalog, 0).identifier.Description, "Scripted adapter");
}

TEST_F(CatalogTest, ModeAtTheMinimumSizeIsKept) {
    d3d.adapters[0].modes = {{640, 480, 60, D3DFMT_X8R8G8B8}};
    ASSERT_EQ(Enumerate(), S_OK);
    ASSERT_EQ(catalog.m_adapters.Count(), 1u);
    EXPECT_EQ(AdapterAt(catalog, 0).displayModes.Count(), 1u);
}

TEST_F(CatalogTest, ColourBitsBelowTheMinimumDropTheFormat) {
    catalog.m_minColorBits = 6;
    ASSERT_EQ(Enumerate(), S_OK);
    for (const D3DDISPLAYMODE& mode : Values<D3DDISPLAYMODE>(AdapterAt(catalog, 0).displayModes))
        EXPECT_EQ(mode.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(Hal().combos.Count(), 12u);
}

TEST_F(CatalogTest, VertexProcessingFollowsTheCapsAndTheMixedOption) {
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Values<VertexProcessingType>(ItemAt<FormatCombo>(Hal().combos, 0)->vertexProcessingTypes),
              (std::vector<VertexProcessingType>{PURE_HARDWARE_VP, HARDWARE_VP, SOFTWARE_VP}));
    const DeviceRecord& ref = DeviceAt(AdapterAt(catalog, 0), 1);
    EXPECT_EQ(Values<VertexProcessingType>(ItemAt<FormatCombo>(ref.combos, 0)->vertexProcessingTypes),
              (std::vector<VertexProcessingType>{SOFTWARE_VP}));

    catalog.m_offerMixedVP = true;
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Values<VertexProcessingType>(ItemAt<FormatCombo>(Hal().combos, 0)->vertexProcessingTypes),
              (std::vector<VertexProcessingType>{PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP,
                                                 SOFTWARE_VP}));
}

TEST_F(CatalogTest, WithoutHardwareTransformOnlySoftwareIsOffered) {
    d3d.adapters[0].caps[D3DDEVTYPE_HAL] = FakeCaps(D3DDEVTYPE_HAL, D3DDEVCAPS_PUREDEVICE);
    catalog.m_offerMixedVP = true;
    ASSERT_EQ(Enumerate(), S_OK);
    for (UINT i = 0; i < Hal().combos.Count(); ++i) {
        EXPECT_EQ(Values<VertexProcessingType>(ItemAt<FormatCombo>(Hal().combos, i)->vertexProcessingTypes),
                  (std::vector<VertexProcessingType>{SOFTWARE_VP}));
    }
}

// The application's answer, recorded so the test can see what it was asked.
std::vector<VertexProcessingType> g_askedKinds;
bool RejectSoftware(const D3DCAPS9* caps, VertexProcessingType kind, D3DFORMAT adapterFormat,
                    D3DFORMAT backBufferFormat) {
    EXPECT_NE(caps, nullptr);
    EXPECT_NE(adapterFormat, D3DFMT_UNKNOWN);
    EXPECT_NE(backBufferFormat, D3DFMT_UNKNOWN);
    g_askedKinds.push_back(kind);
    return kind != SOFTWARE_VP;
}

TEST_F(CatalogTest, RejectedKindsAreLeftOutAndCombosWithoutKindsDropped) {
    catalog.m_confirmCallback = RejectSoftware;
    g_askedKinds.clear();
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_FALSE(g_askedKinds.empty());
    const AdapterRecord& adapter = AdapterAt(catalog, 0);
    // The reference device has nothing but software vertex processing: it is dropped whole.
    ASSERT_EQ(adapter.devices.Count(), 1u);
    EXPECT_EQ(Values<VertexProcessingType>(ItemAt<FormatCombo>(Hal().combos, 0)->vertexProcessingTypes),
              (std::vector<VertexProcessingType>{PURE_HARDWARE_VP, HARDWARE_VP}));
}

TEST_F(CatalogTest, WindowedCombosNeverOfferIntervalsTwoToFour) {
    ASSERT_EQ(Enumerate(), S_OK);
    FormatCombo* fullscreen = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false);
    FormatCombo* windowed = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true);
    ASSERT_TRUE(fullscreen && windowed);
    EXPECT_EQ(Values<DWORD>(fullscreen->presentIntervals),
              (std::vector<DWORD>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                  D3DPRESENT_INTERVAL_ONE, D3DPRESENT_INTERVAL_TWO,
                                  D3DPRESENT_INTERVAL_THREE, D3DPRESENT_INTERVAL_FOUR}));
    EXPECT_EQ(Values<DWORD>(windowed->presentIntervals),
              (std::vector<DWORD>{D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                  D3DPRESENT_INTERVAL_ONE}));
}

TEST_F(CatalogTest, DefaultIntervalIsOfferedWithoutAnyCapsBit) {
    d3d.adapters[0].caps[D3DDEVTYPE_HAL].PresentationIntervals = 0;
    ASSERT_EQ(Enumerate(), S_OK);
    for (bool windowed : {false, true}) {
        FormatCombo* combo = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, windowed);
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(Values<DWORD>(combo->presentIntervals),
                  (std::vector<DWORD>{D3DPRESENT_INTERVAL_DEFAULT}));
    }
}

TEST_F(CatalogTest, DepthFormatsMeetBitCountsAndBothChecks) {
    catalog.m_needsDepthBuffer = true;
    d3d.deviceFormatOk = [](D3DDEVTYPE, D3DFORMAT, DWORD usage, D3DFORMAT format) {
        EXPECT_EQ(usage, DWORD(D3DUSAGE_DEPTHSTENCIL));
        return format != D3DFMT_D32;
    };
    // D24X8 fails to match the back buffers.
    d3d.depthMatchOk = [](D3DFORMAT, D3DFORMAT depth) { return depth != D3DFMT_D24X8; };
    ASSERT_EQ(Enumerate(), S_OK);
    FormatCombo* combo = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(Values<D3DFORMAT>(combo->depthStencilFormats),
              (std::vector<D3DFORMAT>{D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24S8, D3DFMT_D24X4S4}));

    catalog.m_minDepthBitCount = 16;
    catalog.m_minStencilBitCount = 4;
    ASSERT_EQ(Enumerate(), S_OK);
    combo = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(Values<D3DFORMAT>(combo->depthStencilFormats),
              (std::vector<D3DFORMAT>{D3DFMT_D24S8, D3DFMT_D24X4S4}));
}

TEST_F(CatalogTest, CombosWithoutDepthFormatsAreDroppedOnlyWhenDepthIsNeeded) {
    d3d.depthMatchOk = [](D3DFORMAT backBuffer, D3DFORMAT) {
        return backBuffer == D3DFMT_X8R8G8B8;
    };
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Hal().combos.Count(), 24u);
    catalog.m_needsDepthBuffer = true;
    ASSERT_EQ(Enumerate(), S_OK);
    // One back-buffer format per adapter format, fullscreen and windowed.
    EXPECT_EQ(Hal().combos.Count(), 4u);
    EXPECT_NE(FindCombo(Hal(), D3DFMT_R5G6B5, D3DFMT_X8R8G8B8, false), nullptr);
}

TEST_F(CatalogTest, MultisampleTypesKeepTheirQualityCountsAndDepthConflicts) {
    catalog.m_needsDepthBuffer = true;
    d3d.deviceFormatOk = [](D3DDEVTYPE, D3DFORMAT, DWORD, D3DFORMAT format) {
        return format == D3DFMT_D16 || format == D3DFMT_D24S8;
    };
    d3d.multisampleOk = [](D3DFORMAT surface, BOOL, D3DMULTISAMPLE_TYPE type) {
        if (type == D3DMULTISAMPLE_NONE)
            return true;
        // Four samples work, except with the 24-bit depth buffer.
        return type == D3DMULTISAMPLE_4_SAMPLES && surface != D3DFMT_D24S8;
    };
    ASSERT_EQ(Enumerate(), S_OK);
    FormatCombo* combo = FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(Values<D3DMULTISAMPLE_TYPE>(combo->multisampleTypes),
              (std::vector<D3DMULTISAMPLE_TYPE>{D3DMULTISAMPLE_NONE, D3DMULTISAMPLE_4_SAMPLES}));
    EXPECT_EQ(Values<DWORD>(combo->multisampleQualities), (std::vector<DWORD>{1, 1}));
    std::vector<DepthMultisampleConflict> conflicts =
        Values<DepthMultisampleConflict>(combo->conflicts);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(conflicts[0].depthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(conflicts[0].multisampleType, D3DMULTISAMPLE_4_SAMPLES);
}

TEST_F(CatalogTest, CombosWithoutMultisampleTypesAreDropped) {
    d3d.multisampleOk = [](D3DFORMAT surface, BOOL, D3DMULTISAMPLE_TYPE) {
        return surface != D3DFMT_A8R8G8B8;
    };
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Hal().combos.Count(), 20u);
    EXPECT_EQ(FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, false), nullptr);
}

TEST_F(CatalogTest, UnsupportedDeviceTypesAndModeRestrictionsDropCombos) {
    d3d.deviceTypeOk = [](UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, BOOL windowed) {
        return !windowed;
    };
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Hal().combos.Count(), 12u);
    EXPECT_EQ(FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true), nullptr);

    d3d.deviceTypeOk = nullptr;
    catalog.m_windowedOnly = true;
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(Hal().combos.Count(), 12u);
    EXPECT_EQ(FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false), nullptr);

    catalog.m_windowedOnly = false;
    catalog.m_fullscreenOnly = true;
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, true), nullptr);
    EXPECT_NE(FindCombo(Hal(), D3DFMT_X8R8G8B8, D3DFMT_X8R8G8B8, false), nullptr);
}

TEST_F(CatalogTest, AlphaRequirementSkipsBackBufferFormatsWithoutAsking) {
    catalog.m_minAlphaBits = 2;
    ASSERT_EQ(Enumerate(), S_OK);
    // A8R8G8B8 and A2R10G10B10 remain; A1R5G5B5 has a single alpha bit.
    EXPECT_EQ(Hal().combos.Count(), 8u);
    EXPECT_NE(FindCombo(Hal(), D3DFMT_R5G6B5, D3DFMT_A2R10G10B10, true), nullptr);
    // Two adapter formats x two back-buffer formats x fullscreen and windowed, for HAL and REF.
    EXPECT_EQ(d3d.deviceTypeChecks, 16);
}

TEST_F(CatalogTest, AdapterWithoutUsableDevicesIsLeftOut) {
    d3d.adapters[0].caps.clear();
    ASSERT_EQ(Enumerate(), S_OK);
    EXPECT_EQ(catalog.m_adapters.Count(), 0u);
}

TEST_F(CatalogTest, EnumeratingAgainReplacesTheRecords) {
    ASSERT_EQ(Enumerate(), S_OK);
    d3d.adapters.push_back(TypicalAdapter("Second"));
    ASSERT_EQ(Enumerate(), S_OK);
    ASSERT_EQ(catalog.m_adapters.Count(), 2u);
    EXPECT_EQ(catalog.m_adapterFormats.Count(), 4u);
    EXPECT_STREQ(AdapterAt(catalog, 1).identifier.Description, "Second");
}

}  // namespace
