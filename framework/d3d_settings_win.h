#pragma once
// CD3DDeviceSettings: the chosen windowed configuration, the chosen fullscreen configuration,
// and which of the two is current. Plain data that points into a CD3DDeviceCatalog; copying it
// copies the choice.
#include "framework/d3d_enumeration_win.h"

// One half of the settings. `width` and `height` are used by the windowed half only.
struct DeviceChoice {
    AdapterRecord* adapter = nullptr;
    DeviceRecord* device = nullptr;
    FormatCombo* combo = nullptr;
    D3DDISPLAYMODE displayMode = {};
    D3DFORMAT depthStencilFormat = D3DFMT_UNKNOWN;
    D3DMULTISAMPLE_TYPE multisampleType = D3DMULTISAMPLE_NONE;
    DWORD multisampleQuality = 0;
    VertexProcessingType vertexProcessingType = SOFTWARE_VP;
    DWORD presentInterval = D3DPRESENT_INTERVAL_DEFAULT;
    int width = 0;
    int height = 0;
};

struct CD3DDeviceSettings {
    bool windowed = true;
    DeviceChoice windowedChoice;
    DeviceChoice fullscreenChoice;

    // The half selected by `windowed`. The accessors below read it; the adapter ordinal and the
    // device type come from its combo, which must be set.
    DeviceChoice& Current() { return windowed ? windowedChoice : fullscreenChoice; }
    const DeviceChoice& Current() const { return windowed ? windowedChoice : fullscreenChoice; }

    AdapterRecord* GetAdapterRecord() const { return Current().adapter; }
    DeviceRecord* GetDeviceRecord() const { return Current().device; }
    FormatCombo* GetFormatCombo() const { return Current().combo; }
    UINT GetAdapterOrdinal() const { return Current().combo->adapterOrdinal; }
    D3DDEVTYPE GetDeviceType() const { return Current().combo->deviceType; }
    const D3DDISPLAYMODE& GetDisplayMode() const { return Current().displayMode; }
    D3DFORMAT GetDepthStencilFormat() const { return Current().depthStencilFormat; }
    D3DMULTISAMPLE_TYPE GetMultisampleType() const { return Current().multisampleType; }
    DWORD GetMultisampleQuality() const { return Current().multisampleQuality; }
    VertexProcessingType GetVertexProcessingType() const { return Current().vertexProcessingType; }
    DWORD GetPresentInterval() const { return Current().presentInterval; }
};

// The choices behind CD3DApplication's PickWindowedSettings, PickFullscreenSettings and
// PickStartupSettings, on the catalog's Direct3D object.

// Best windowed combo for the primary desktop (adapter 0's current mode): HAL preferred, and a
// HAL combo whose back-buffer format equals the desktop format taken at once. Fills the
// windowed half (size from `clientRect`) and sets `windowed`. False when nothing fits.
bool PickWindowedChoice(const CD3DDeviceCatalog& catalog, const RECT& clientRect,
                        bool requireHAL, bool requireREF, CD3DDeviceSettings& settings);

// Best fullscreen combo and display mode (the desktop's size and refresh rate when the
// adapter has it). Fills the fullscreen half and clears `windowed`. False when nothing fits.
bool PickFullscreenChoice(const CD3DDeviceCatalog& catalog, bool requireHAL, bool requireREF,
                          CD3DDeviceSettings& settings);

// Both picks; windowed current unless only fullscreen was found or `startFullscreen` asks for
// it. Returns S_OK or APPERR_NO_COMPATIBLE_DEVICES when neither exists.
HRESULT PickStartupChoices(const CD3DDeviceCatalog& catalog, const RECT& clientRect,
                           bool startFullscreen, CD3DDeviceSettings& settings);
