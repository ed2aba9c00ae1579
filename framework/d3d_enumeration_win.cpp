#include "framework/d3d_enumeration_win.h"

#include <algorithm>
#include <memory>
#include <new>

#include "framework/device_choice.h"
#include "framework/format_bits_win.h"

namespace {

const D3DFORMAT kAllowedAdapterFormats[] = {
    D3DFMT_X8R8G8B8, D3DFMT_X1R5G5B5, D3DFMT_R5G6B5, D3DFMT_A2R10G10B10,
};
const D3DDEVTYPE kDeviceTypes[] = {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF};
const D3DFORMAT kBackBufferFormats[] = {
    D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A2R10G10B10,
    D3DFMT_R5G6B5,   D3DFMT_A1R5G5B5, D3DFMT_X1R5G5B5,
};
const D3DFORMAT kDepthStencilFormats[] = {
    D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32,
};
const DWORD kPresentIntervals[] = {
    D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT, D3DPRESENT_INTERVAL_ONE,
    D3DPRESENT_INTERVAL_TWO,       D3DPRESENT_INTERVAL_THREE,   D3DPRESENT_INTERVAL_FOUR,
};

// Keeps the adapter's modes that meet the size and colour requirements, sorted, and lists the
// adapter formats they use.
HRESULT CollectDisplayModes(const CD3DDeviceCatalog& catalog, AdapterRecord& adapter,
                            CItemArray& adapterFormats) {
    IDirect3D9* d3d = catalog.m_pDirect3D;
    for (UINT f = 0; f < catalog.m_adapterFormats.Count(); ++f) {
        D3DFORMAT format = *static_cast<D3DFORMAT*>(catalog.m_adapterFormats.Item(f));
        UINT modeCount = d3d->GetAdapterModeCount(adapter.adapterOrdinal, format);
        for (UINT m = 0; m < modeCount; ++m) {
            D3DDISPLAYMODE mode = {};
            if (FAILED(d3d->EnumAdapterModes(adapter.adapterOrdinal, format, m, &mode)))
                continue;
            if (mode.Width < catalog.m_minModeWidth || mode.Height < catalog.m_minModeHeight ||
                ColorChannelBits(mode.Format) < catalog.m_minColorBits)
                continue;
            HRESULT hr = adapter.displayModes.Add(&mode);
            if (SUCCEEDED(hr) && !adapterFormats.Contains(&mode.Format))
                hr = adapterFormats.Add(&mode.Format);
            if (FAILED(hr))
                return hr;
        }
    }
    UINT count = adapter.displayModes.Count();
    if (count > 0) {
        // By-value entries lie side by side, so the array sorts in place.
        D3DDISPLAYMODE* first = static_cast<D3DDISPLAYMODE*>(adapter.displayModes.Item(0));
        std::sort(first, first + count, ModeLess<D3DDISPLAYMODE>);
    }
    return S_OK;
}

HRESULT AddDepthStencilFormats(const CD3DDeviceCatalog& catalog, FormatCombo& combo) {
    for (D3DFORMAT candidate : kDepthStencilFormats) {
        if (DepthBits(candidate) < catalog.m_minDepthBitCount ||
            StencilBits(candidate) < catalog.m_minStencilBitCount)
            continue;
        if (FAILED(catalog.m_pDirect3D->CheckDeviceFormat(
                combo.adapterOrdinal, combo.deviceType, combo.adapterFormat,
                D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, candidate)))
            continue;
        if (FAILED(catalog.m_pDirect3D->CheckDepthStencilMatch(
                combo.adapterOrdinal, combo.deviceType, combo.adapterFormat,
                combo.backBufferFormat, candidate)))
            continue;
        HRESULT hr = combo.depthStencilFormats.Add(&candidate);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT AddMultisampleTypes(const CD3DDeviceCatalog& catalog, FormatCombo& combo) {
    for (int type = D3DMULTISAMPLE_NONE; type <= D3DMULTISAMPLE_16_SAMPLES; ++type) {
        D3DMULTISAMPLE_TYPE multisample = D3DMULTISAMPLE_TYPE(type);
        DWORD qualities = 0;
        if (FAILED(catalog.m_pDirect3D->CheckDeviceMultiSampleType(
                combo.adapterOrdinal, combo.deviceType, combo.backBufferFormat, combo.windowed,
                multisample, &qualities)))
            continue;
        HRESULT hr = combo.multisampleTypes.Add(&multisample);
        if (SUCCEEDED(hr))
            hr = combo.multisampleQualities.Add(&qualities);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT AddConflicts(const CD3DDeviceCatalog& catalog, FormatCombo& combo) {
    for (UINT d = 0; d < combo.depthStencilFormats.Count(); ++d) {
        D3DFORMAT depth = *static_cast<D3DFORMAT*>(combo.depthStencilFormats.Item(d));
        for (UINT m = 0; m < combo.multisampleTypes.Count(); ++m) {
            D3DMULTISAMPLE_TYPE type =
                *static_cast<D3DMULTISAMPLE_TYPE*>(combo.multisampleTypes.Item(m));
            if (SUCCEEDED(catalog.m_pDirect3D->CheckDeviceMultiSampleType(
                    combo.adapterOrdinal, combo.deviceType, depth, combo.windowed, type,
                    nullptr)))
                continue;
            DepthMultisampleConflict conflict = {depth, type};
            HRESULT hr = combo.conflicts.Add(&conflict);
            if (FAILED(hr))
                return hr;
        }
    }
    return S_OK;
}

HRESULT AddVertexProcessingTypes(const CD3DDeviceCatalog& catalog, const D3DCAPS9& caps,
                                 FormatCombo& combo) {
    auto accepts = [&](VertexProcessingType kind) {
        return catalog.m_confirmCallback == nullptr ||
               catalog.m_confirmCallback(&caps, kind, combo.adapterFormat,
                                         combo.backBufferFormat);
    };
    const VertexProcessingType hardwareKinds[] = {PURE_HARDWARE_VP, HARDWARE_VP, MIXED_VP};
    bool hasTnL = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
    for (VertexProcessingType kind : hardwareKinds) {
        bool offered = hasTnL &&
                       (kind != PURE_HARDWARE_VP || (caps.DevCaps & D3DDEVCAPS_PUREDEVICE)) &&
                       (kind != MIXED_VP || catalog.m_offerMixedVP);
        if (offered && accepts(kind)) {
            HRESULT hr = combo.vertexProcessingTypes.Add(&kind);
            if (FAILED(hr))
                return hr;
        }
    }
    VertexProcessingType software = SOFTWARE_VP;
    return accepts(software) ? combo.vertexProcessingTypes.Add(&software) : S_OK;
}

HRESULT AddPresentIntervals(const D3DCAPS9& caps, FormatCombo& combo) {
    for (DWORD interval : kPresentIntervals) {
        bool tooSlowForWindow = interval == D3DPRESENT_INTERVAL_TWO ||
                                interval == D3DPRESENT_INTERVAL_THREE ||
                                interval == D3DPRESENT_INTERVAL_FOUR;
        if (combo.windowed && tooSlowForWindow)
            continue;
        if (interval != D3DPRESENT_INTERVAL_DEFAULT && !(caps.PresentationIntervals & interval))
            continue;
        HRESULT hr = combo.presentIntervals.Add(&interval);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

// Fills the combo's lists; `usable` turns false when a list it cannot do without is empty.
HRESULT FillCombo(const CD3DDeviceCatalog& catalog, const D3DCAPS9& caps, FormatCombo& combo,
                  bool& usable) {
    usable = false;
    HRESULT hr = S_OK;
    if (catalog.m_needsDepthBuffer) {
        if (FAILED(hr = AddDepthStencilFormats(catalog, combo)))
            return hr;
        if (combo.depthStencilFormats.Count() == 0)
            return S_OK;
    }
    if (FAILED(hr = AddMultisampleTypes(catalog, combo)))
        return hr;
    if (combo.multisampleTypes.Count() == 0)
        return S_OK;
    if (FAILED(hr = AddConflicts(catalog, combo)))
        return hr;
    if (FAILED(hr = AddVertexProcessingTypes(catalog, caps, combo)))
        return hr;
    if (combo.vertexProcessingTypes.Count() == 0)
        return S_OK;
    if (FAILED(hr = AddPresentIntervals(caps, combo)))
        return hr;
    usable = true;
    return S_OK;
}

// Hands a record to the by-reference array of its parent, which deletes it from then on; a
// record the array could not take is deleted here.
template <typename Record>
HRESULT AddOwned(CItemArray& records, std::unique_ptr<Record>& record) {
    const HRESULT hr = records.Add(record.get());
    if (SUCCEEDED(hr))
        record.release();
    return hr;
}

HRESULT AddCombo(const CD3DDeviceCatalog& catalog, DeviceRecord& device, D3DFORMAT adapterFormat,
                 D3DFORMAT backBufferFormat, bool windowed) {
    if (FAILED(catalog.m_pDirect3D->CheckDeviceType(device.adapterOrdinal, device.deviceType,
                                                    adapterFormat, backBufferFormat, windowed)))
        return S_OK;
    std::unique_ptr<FormatCombo> combo(new (std::nothrow) FormatCombo);
    if (!combo)
        return E_OUTOFMEMORY;
    combo->adapterOrdinal = device.adapterOrdinal;
    combo->deviceType = device.deviceType;
    combo->adapterFormat = adapterFormat;
    combo->backBufferFormat = backBufferFormat;
    combo->windowed = windowed;
    bool usable = false;
    HRESULT hr = FillCombo(catalog, device.caps, *combo, usable);
    if (SUCCEEDED(hr) && usable)
        hr = AddOwned(device.combos, combo);
    return hr;
}

HRESULT AddCombos(const CD3DDeviceCatalog& catalog, DeviceRecord& device,
                  const CItemArray& adapterFormats) {
    for (UINT f = 0; f < adapterFormats.Count(); ++f) {
        D3DFORMAT adapterFormat = *static_cast<D3DFORMAT*>(adapterFormats.Item(f));
        for (D3DFORMAT backBufferFormat : kBackBufferFormats) {
            if (AlphaChannelBits(backBufferFormat) < catalog.m_minAlphaBits)
                continue;
            for (bool windowed : {false, true}) {
                if ((windowed && catalog.m_fullscreenOnly) ||
                    (!windowed && catalog.m_windowedOnly))
                    continue;
                HRESULT hr = AddCombo(catalog, device, adapterFormat, backBufferFormat, windowed);
                if (FAILED(hr))
                    return hr;
            }
        }
    }
    return S_OK;
}

HRESULT AddDevices(const CD3DDeviceCatalog& catalog, AdapterRecord& adapter,
                   const CItemArray& adapterFormats) {
    for (D3DDEVTYPE type : kDeviceTypes) {
        std::unique_ptr<DeviceRecord> device(new (std::nothrow) DeviceRecord);
        if (!device)
            return E_OUTOFMEMORY;
        device->adapterOrdinal = adapter.adapterOrdinal;
        device->deviceType = type;
        HRESULT hr = S_OK;
        bool keep = SUCCEEDED(catalog.m_pDirect3D->GetDeviceCaps(adapter.adapterOrdinal, type,
                                                                  &device->caps));
        if (keep) {
            hr = AddCombos(catalog, *device, adapterFormats);
            keep = SUCCEEDED(hr) && device->combos.Count() > 0;
        }
        if (keep)
            hr = AddOwned(adapter.devices, device);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT FillAdapter(const CD3DDeviceCatalog& catalog, AdapterRecord& adapter) {
    catalog.m_pDirect3D->GetAdapterIdentifier(adapter.adapterOrdinal, 0, &adapter.identifier);
    CItemArray adapterFormats(ItemArrayKind::ByValue, sizeof(D3DFORMAT));
    HRESULT hr = CollectDisplayModes(catalog, adapter, adapterFormats);
    if (SUCCEEDED(hr))
        hr = AddDevices(catalog, adapter, adapterFormats);
    return hr;
}

}  // namespace

FormatCombo::FormatCombo()
    : depthStencilFormats(ItemArrayKind::ByValue, sizeof(D3DFORMAT)),
      multisampleTypes(ItemArrayKind::ByValue, sizeof(D3DMULTISAMPLE_TYPE)),
      multisampleQualities(ItemArrayKind::ByValue, sizeof(DWORD)),
      conflicts(ItemArrayKind::ByValue, sizeof(DepthMultisampleConflict)),
      vertexProcessingTypes(ItemArrayKind::ByValue, sizeof(VertexProcessingType)),
      presentIntervals(ItemArrayKind::ByValue, sizeof(DWORD)) {}

DeviceRecord::DeviceRecord() : combos(ItemArrayKind::ByReference, 0) {}

DeviceRecord::~DeviceRecord() {
    for (UINT i = 0; i < combos.Count(); ++i)
        delete ItemAt<FormatCombo>(combos, i);
}

AdapterRecord::AdapterRecord()
    : displayModes(ItemArrayKind::ByValue, sizeof(D3DDISPLAYMODE)),
      devices(ItemArrayKind::ByReference, 0) {}

AdapterRecord::~AdapterRecord() {
    for (UINT i = 0; i < devices.Count(); ++i)
        delete ItemAt<DeviceRecord>(devices, i);
}

CD3DDeviceCatalog::CD3DDeviceCatalog()
    : m_adapters(ItemArrayKind::ByReference, 0),
      m_adapterFormats(ItemArrayKind::ByValue, sizeof(D3DFORMAT)) {}

CD3DDeviceCatalog::~CD3DDeviceCatalog() { DeleteAdapters(); }

void CD3DDeviceCatalog::DeleteAdapters() {
    for (UINT i = 0; i < m_adapters.Count(); ++i)
        delete ItemAt<AdapterRecord>(m_adapters, i);
    m_adapters.Clear();
}

HRESULT CD3DDeviceCatalog::Enumerate() {
    if (m_pDirect3D == nullptr)
        return E_FAIL;
    DeleteAdapters();
    m_adapterFormats.Clear();
    for (D3DFORMAT format : kAllowedAdapterFormats) {
        HRESULT hr = m_adapterFormats.Add(&format);
        if (FAILED(hr))
            return hr;
    }
    UINT adapterCount = m_pDirect3D->GetAdapterCount();
    for (UINT ordinal = 0; ordinal < adapterCount; ++ordinal) {
        std::unique_ptr<AdapterRecord> adapter(new (std::nothrow) AdapterRecord);
        if (!adapter)
            return E_OUTOFMEMORY;
        adapter->adapterOrdinal = ordinal;
        HRESULT hr = FillAdapter(*this, *adapter);
        bool keep = SUCCEEDED(hr) && adapter->devices.Count() > 0;
        if (keep)
            hr = AddOwned(m_adapters, adapter);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
