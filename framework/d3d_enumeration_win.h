#pragma once
// CD3DDeviceCatalog: asks Direct3D once what each adapter can do and keeps, as a tree of
// records, the adapters, their device types and the usable format combinations that meet the
// application's requirements. The records are owned by the catalog and stay put for its whole
// life, so CD3DDeviceSettings may point into them.
#include <windows.h>
#include <d3d9.h>
#include "framework/item_array_win.h"

enum VertexProcessingType {
    SOFTWARE_VP = 0,
    MIXED_VP = 1,
    HARDWARE_VP = 2,
    PURE_HARDWARE_VP = 3,
};

// Returns false to reject a combination of device caps, vertex processing kind and formats.
typedef bool (*ConfirmComboFunction)(const D3DCAPS9* caps, VertexProcessingType kind,
                                     D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat);

// A depth/stencil format that cannot be used with a multisample type.
struct DepthMultisampleConflict {
    D3DFORMAT depthStencilFormat;
    D3DMULTISAMPLE_TYPE multisampleType;
};

// One usable adapter format / back-buffer format / windowed combination of a device type.
struct FormatCombo {
    FormatCombo();
    FormatCombo(const FormatCombo&) = delete;
    FormatCombo& operator=(const FormatCombo&) = delete;

    UINT adapterOrdinal = 0;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DFORMAT adapterFormat = D3DFMT_UNKNOWN;
    D3DFORMAT backBufferFormat = D3DFMT_UNKNOWN;
    bool windowed = false;
    CItemArray depthStencilFormats;      // D3DFORMAT
    CItemArray multisampleTypes;         // D3DMULTISAMPLE_TYPE
    CItemArray multisampleQualities;     // DWORD, the quality count of each multisample type
    CItemArray conflicts;                // DepthMultisampleConflict
    CItemArray vertexProcessingTypes;    // VertexProcessingType
    CItemArray presentIntervals;         // DWORD
};

// One device type of an adapter; owns its combos.
struct DeviceRecord {
    DeviceRecord();
    ~DeviceRecord();
    DeviceRecord(const DeviceRecord&) = delete;
    DeviceRecord& operator=(const DeviceRecord&) = delete;

    UINT adapterOrdinal = 0;
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    D3DCAPS9 caps = {};
    CItemArray combos;                   // FormatCombo*
};

// One adapter; owns its device records.
struct AdapterRecord {
    AdapterRecord();
    ~AdapterRecord();
    AdapterRecord(const AdapterRecord&) = delete;
    AdapterRecord& operator=(const AdapterRecord&) = delete;

    UINT adapterOrdinal = 0;
    D3DADAPTER_IDENTIFIER9 identifier = {};
    CItemArray displayModes;             // D3DDISPLAYMODE, sorted by width, height, format, refresh
    CItemArray devices;                  // DeviceRecord*
};

class CD3DDeviceCatalog {
public:
    CD3DDeviceCatalog();
    ~CD3DDeviceCatalog();
    CD3DDeviceCatalog(const CD3DDeviceCatalog&) = delete;
    CD3DDeviceCatalog& operator=(const CD3DDeviceCatalog&) = delete;

    // The catalog does not take a reference: the caller keeps the object alive while enumerating.
    void SetDirect3D(IDirect3D9* direct3D) { m_pDirect3D = direct3D; }

    // Fills m_adapters (records of an earlier call are deleted first). Returns S_OK (even when
    // nothing usable was found), E_FAIL without a Direct3D object, E_OUTOFMEMORY.
    HRESULT Enumerate();

    IDirect3D9* m_pDirect3D = nullptr;
    CItemArray m_adapters;               // AdapterRecord*
    ConfirmComboFunction m_confirmCallback = nullptr;   // null accepts everything
    UINT m_minModeWidth = 640;
    UINT m_minModeHeight = 480;
    UINT m_minColorBits = 5;
    UINT m_minAlphaBits = 0;
    UINT m_minDepthBitCount = 15;
    UINT m_minStencilBitCount = 0;
    bool m_needsDepthBuffer = false;
    bool m_offerMixedVP = false;
    bool m_windowedOnly = false;
    bool m_fullscreenOnly = false;
    CItemArray m_adapterFormats;         // D3DFORMAT, the adapter formats the catalog allows

private:
    void DeleteAdapters();
};
