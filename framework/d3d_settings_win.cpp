#include "framework/d3d_settings_win.h"

#include <cassert>
#include <vector>

#include "framework/d3d_application_win.h"
#include "framework/device_choice.h"
#include "framework/error_report_win.h"

namespace {

// A combo found by a pick, with the desktop mode of its adapter.
struct Candidate {
    AdapterRecord* adapter = nullptr;
    DeviceRecord* device = nullptr;
    FormatCombo* combo = nullptr;
    D3DDISPLAYMODE desktop = {};
};

// The catalog's combos in its order: what the rules compare, and where each one is.
struct ComboList {
    std::vector<ComboFacts> facts;
    std::vector<Candidate> places;
};

ComboList ListCombos(const CD3DDeviceCatalog& catalog) {
    ComboList list;
    for (UINT a = 0; a < catalog.m_adapters.Count(); ++a) {
        AdapterRecord* adapter = ItemAt<AdapterRecord>(catalog.m_adapters, a);
        D3DDISPLAYMODE desktop = {};
        catalog.m_pDirect3D->GetAdapterDisplayMode(adapter->adapterOrdinal, &desktop);
        for (UINT d = 0; d < adapter->devices.Count(); ++d) {
            DeviceRecord* device = ItemAt<DeviceRecord>(adapter->devices, d);
            for (UINT c = 0; c < device->combos.Count(); ++c) {
                FormatCombo* combo = ItemAt<FormatCombo>(device->combos, c);
                list.facts.push_back({device->deviceType == D3DDEVTYPE_HAL, device->deviceType == D3DDEVTYPE_REF,
                                      combo->windowed, uint32_t(combo->adapterFormat),
                                      uint32_t(combo->backBufferFormat), uint32_t(desktop.Format)});
                list.places.push_back({adapter, device, combo, desktop});
            }
        }
    }
    return list;
}

template <typename T>
T FirstValue(const CItemArray& array, T fallback) {
    return array.Count() > 0 ? *static_cast<T*>(array.Item(0)) : fallback;
}

// Fills the parts both halves take from the front of the combo's lists.
void TakeComboDefaults(const CD3DDeviceCatalog& catalog, const Candidate& found,
                       DeviceChoice& choice) {
    choice.adapter = found.adapter;
    choice.device = found.device;
    choice.combo = found.combo;
    if (catalog.m_needsDepthBuffer)
        choice.depthStencilFormat = FirstValue(found.combo->depthStencilFormats, D3DFMT_UNKNOWN);
    choice.multisampleType = FirstValue(found.combo->multisampleTypes, D3DMULTISAMPLE_NONE);
    choice.multisampleQuality = 0;
    choice.vertexProcessingType = FirstValue(found.combo->vertexProcessingTypes, SOFTWARE_VP);
}

}  // namespace

bool PickWindowedChoice(const CD3DDeviceCatalog& catalog, const RECT& clientRect,
                        bool requireHAL, bool requireREF, CD3DDeviceSettings& settings) {
    assert(catalog.m_pDirect3D != nullptr);
    D3DDISPLAYMODE desktop = {};
    catalog.m_pDirect3D->GetAdapterDisplayMode(0, &desktop);
    const ComboList list = ListCombos(catalog);
    const int found = PickWindowedCombo(list.facts, uint32_t(desktop.Format), requireHAL, requireREF);
    if (found < 0)
        return false;
    const Candidate& best = list.places[size_t(found)];
    DeviceChoice& choice = settings.windowedChoice;
    TakeComboDefaults(catalog, best, choice);
    settings.windowed = true;
    choice.displayMode = desktop;
    choice.width = clientRect.right - clientRect.left;
    choice.height = clientRect.bottom - clientRect.top;
    choice.presentInterval = FirstValue(best.combo->presentIntervals,
                                        DWORD(D3DPRESENT_INTERVAL_DEFAULT));
    return true;
}

bool PickFullscreenChoice(const CD3DDeviceCatalog& catalog, bool requireHAL, bool requireREF,
                          CD3DDeviceSettings& settings) {
    assert(catalog.m_pDirect3D != nullptr);
    const ComboList list = ListCombos(catalog);
    const int found = PickFullscreenCombo(list.facts, requireHAL, requireREF);
    if (found < 0)
        return false;
    const Candidate& best = list.places[size_t(found)];
    DeviceChoice& choice = settings.fullscreenChoice;
    TakeComboDefaults(catalog, best, choice);
    settings.windowed = false;
    const CItemArray& modes = best.adapter->displayModes;
    // By-value entries lie side by side.
    const D3DDISPLAYMODE* first = modes.Count() > 0 ? static_cast<D3DDISPLAYMODE*>(modes.Item(0)) : nullptr;
    choice.displayMode = ChooseFullscreenMode(first, modes.Count(), best.desktop, best.combo->adapterFormat);
    choice.presentInterval = D3DPRESENT_INTERVAL_DEFAULT;
    return true;
}

HRESULT PickStartupChoices(const CD3DDeviceCatalog& catalog, const RECT& clientRect,
                           bool startFullscreen, CD3DDeviceSettings& settings) {
    bool foundFullscreen = PickFullscreenChoice(catalog, false, false, settings);
    bool foundWindowed = PickWindowedChoice(catalog, clientRect, false, false, settings);
    if (!foundFullscreen && !foundWindowed)
        return APPERR_NO_COMPATIBLE_DEVICES;
    if (foundFullscreen && (startFullscreen || !foundWindowed))
        settings.windowed = false;
    return S_OK;
}

HRESULT CD3DApplication::PickStartupSettings() {
    return PickStartupChoices(m_deviceCatalog, m_clientRect, m_startFullscreen, m_settings);
}

bool CD3DApplication::PickWindowedSettings(bool requireHAL, bool requireREF) {
    return PickWindowedChoice(m_deviceCatalog, m_clientRect, requireHAL, requireREF, m_settings);
}

bool CD3DApplication::PickFullscreenSettings(bool requireHAL, bool requireREF) {
    return PickFullscreenChoice(m_deviceCatalog, requireHAL, requireREF, m_settings);
}
