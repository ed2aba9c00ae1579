#include "framework/d3d_settings_win.h"

#include <cassert>

#include "framework/d3d_application_win.h"
#include "framework/error_report_win.h"

namespace {

// A combo found by a pick, with the desktop mode of its adapter.
struct Candidate {
    AdapterRecord* adapter = nullptr;
    DeviceRecord* device = nullptr;
    FormatCombo* combo = nullptr;
    D3DDISPLAYMODE desktop = {};
};

bool DeviceWanted(const DeviceRecord& device, bool requireHAL, bool requireREF) {
    return !(requireHAL && device.deviceType != D3DDEVTYPE_HAL) &&
           !(requireREF && device.deviceType != D3DDEVTYPE_REF);
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

// Walks the windowed combos on the desktop's format; a HAL one whose back buffer has the
// desktop format is as good as it gets, so the walk stops there.
bool FindWindowedCombo(const CD3DDeviceCatalog& catalog, bool requireHAL, bool requireREF,
                       Candidate& best) {
    for (UINT a = 0; a < catalog.m_adapters.Count(); ++a) {
        AdapterRecord* adapter = ItemAt<AdapterRecord>(catalog.m_adapters, a);
        for (UINT d = 0; d < adapter->devices.Count(); ++d) {
            DeviceRecord* device = ItemAt<DeviceRecord>(adapter->devices, d);
            if (!DeviceWanted(*device, requireHAL, requireREF))
                continue;
            bool hal = device->deviceType == D3DDEVTYPE_HAL;
            for (UINT c = 0; c < device->combos.Count(); ++c) {
                FormatCombo* combo = ItemAt<FormatCombo>(device->combos, c);
                if (!combo->windowed || combo->adapterFormat != best.desktop.Format)
                    continue;
                bool sameFormats = combo->backBufferFormat == combo->adapterFormat;
                bool replaces = best.combo == nullptr ||
                                (best.device->deviceType != D3DDEVTYPE_HAL && hal) ||
                                (hal && sameFormats);
                if (!replaces)
                    continue;
                best.adapter = adapter;
                best.device = device;
                best.combo = combo;
                if (hal && sameFormats)
                    return true;
            }
        }
    }
    return best.combo != nullptr;
}

bool FindFullscreenCombo(const CD3DDeviceCatalog& catalog, bool requireHAL, bool requireREF,
                         Candidate& best) {
    for (UINT a = 0; a < catalog.m_adapters.Count(); ++a) {
        AdapterRecord* adapter = ItemAt<AdapterRecord>(catalog.m_adapters, a);
        D3DDISPLAYMODE desktop = {};
        catalog.m_pDirect3D->GetAdapterDisplayMode(adapter->adapterOrdinal, &desktop);
        for (UINT d = 0; d < adapter->devices.Count(); ++d) {
            DeviceRecord* device = ItemAt<DeviceRecord>(adapter->devices, d);
            if (!DeviceWanted(*device, requireHAL, requireREF))
                continue;
            bool hal = device->deviceType == D3DDEVTYPE_HAL;
            for (UINT c = 0; c < device->combos.Count(); ++c) {
                FormatCombo* combo = ItemAt<FormatCombo>(device->combos, c);
                if (combo->windowed)
                    continue;
                bool matchesDesktop = combo->adapterFormat == desktop.Format;
                bool matchesBackBuffer = combo->backBufferFormat == combo->adapterFormat;
                bool replaces =
                    best.combo == nullptr ||
                    (best.device->deviceType != D3DDEVTYPE_HAL && hal) ||
                    (hal && best.combo->adapterFormat != desktop.Format && matchesDesktop) ||
                    (hal && matchesDesktop && matchesBackBuffer);
                if (!replaces)
                    continue;
                best = {adapter, device, combo, desktop};
                if (hal && matchesDesktop && matchesBackBuffer)
                    return true;
            }
        }
    }
    return best.combo != nullptr;
}

// The adapter's mode for the combo's format closest to its desktop: the desktop mode itself,
// else its size at the highest refresh rate, else its width, else the first mode.
D3DDISPLAYMODE ChooseFullscreenMode(const Candidate& best) {
    const D3DDISPLAYMODE& desktop = best.desktop;
    D3DDISPLAYMODE chosen = {};
    const CItemArray& modes = best.adapter->displayModes;
    for (UINT m = 0; m < modes.Count(); ++m) {
        const D3DDISPLAYMODE& mode = *static_cast<D3DDISPLAYMODE*>(modes.Item(m));
        if (mode.Format != best.combo->adapterFormat)
            continue;
        bool sameSize = mode.Width == desktop.Width && mode.Height == desktop.Height;
        if (sameSize && mode.RefreshRate == desktop.RefreshRate) {
            chosen = mode;
            break;
        }
        if ((sameSize && mode.RefreshRate > chosen.RefreshRate) || mode.Width == desktop.Width ||
            chosen.Width == 0)
            chosen = mode;
    }
    return chosen;
}

}  // namespace

bool PickWindowedChoice(const CD3DDeviceCatalog& catalog, const RECT& clientRect,
                        bool requireHAL, bool requireREF, CD3DDeviceSettings& settings) {
    assert(catalog.m_pDirect3D != nullptr);
    Candidate best;
    catalog.m_pDirect3D->GetAdapterDisplayMode(0, &best.desktop);
    if (!FindWindowedCombo(catalog, requireHAL, requireREF, best))
        return false;
    DeviceChoice& choice = settings.windowedChoice;
    TakeComboDefaults(catalog, best, choice);
    settings.windowed = true;
    choice.displayMode = best.desktop;
    choice.width = clientRect.right - clientRect.left;
    choice.height = clientRect.bottom - clientRect.top;
    choice.presentInterval = FirstValue(best.combo->presentIntervals,
                                        DWORD(D3DPRESENT_INTERVAL_DEFAULT));
    return true;
}

bool PickFullscreenChoice(const CD3DDeviceCatalog& catalog, bool requireHAL, bool requireREF,
                          CD3DDeviceSettings& settings) {
    assert(catalog.m_pDirect3D != nullptr);
    Candidate best;
    if (!FindFullscreenCombo(catalog, requireHAL, requireREF, best))
        return false;
    DeviceChoice& choice = settings.fullscreenChoice;
    TakeComboDefaults(catalog, best, choice);
    settings.windowed = false;
    choice.displayMode = ChooseFullscreenMode(best);
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
