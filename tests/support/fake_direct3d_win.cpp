#include "tests/support/fake_direct3d_win.h"

#include <cstring>

D3DCAPS9 FakeCaps(D3DDEVTYPE type, DWORD devCaps) {
    D3DCAPS9 caps = {};
    caps.DeviceType = type;
    caps.DevCaps = devCaps;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE |
                                 D3DPRESENT_INTERVAL_TWO | D3DPRESENT_INTERVAL_THREE |
                                 D3DPRESENT_INTERVAL_FOUR;
    caps.MaxTextureWidth = caps.MaxTextureHeight = 4096;
    return caps;
}

FakeAdapter TypicalAdapter(const char* description) {
    FakeAdapter adapter;
    strncpy(adapter.identifier.Description, description,
            sizeof(adapter.identifier.Description) - 1);
    adapter.desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
    const UINT sizes[][2] = {{1024, 768}, {320, 240}, {800, 600}, {640, 480}};
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
        for (const auto& size : sizes) {
            adapter.modes.push_back({size[0], size[1], 75, format});
            adapter.modes.push_back({size[0], size[1], 60, format});
        }
    }
    adapter.caps[D3DDEVTYPE_HAL] =
        FakeCaps(D3DDEVTYPE_HAL, D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE);
    adapter.caps[D3DDEVTYPE_REF] = FakeCaps(D3DDEVTYPE_REF, 0);
    return adapter;
}

HRESULT FakeDirect3D::QueryInterface(REFIID, void** object) {
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeDirect3D::AddRef() { return ++references; }
ULONG FakeDirect3D::Release() { return --references; }
HRESULT FakeDirect3D::RegisterSoftwareDevice(void*) { return E_NOTIMPL; }
UINT FakeDirect3D::GetAdapterCount() { return UINT(adapters.size()); }

HRESULT FakeDirect3D::GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* id) {
    if (adapter >= adapters.size())
        return D3DERR_INVALIDCALL;
    *id = adapters[adapter].identifier;
    return S_OK;
}

std::vector<D3DDISPLAYMODE> FakeDirect3D::ModesOf(UINT adapter, D3DFORMAT format) const {
    std::vector<D3DDISPLAYMODE> modes;
    if (adapter < adapters.size()) {
        for (const D3DDISPLAYMODE& mode : adapters[adapter].modes) {
            if (mode.Format == format)
                modes.push_back(mode);
        }
    }
    return modes;
}

UINT FakeDirect3D::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    return UINT(ModesOf(adapter, format).size());
}

HRESULT FakeDirect3D::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                       D3DDISPLAYMODE* result) {
    std::vector<D3DDISPLAYMODE> modes = ModesOf(adapter, format);
    if (mode >= modes.size())
        return D3DERR_INVALIDCALL;
    *result = modes[mode];
    return S_OK;
}

HRESULT FakeDirect3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
    if (adapter >= adapters.size())
        return D3DERR_INVALIDCALL;
    *mode = adapters[adapter].desktop;
    return S_OK;
}

HRESULT FakeDirect3D::CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                      D3DFORMAT backBufferFormat, WINBOOL windowed) {
    ++deviceTypeChecks;
    if (deviceTypeOk && !deviceTypeOk(adapter, type, adapterFormat, backBufferFormat, windowed))
        return D3DERR_NOTAVAILABLE;
    return S_OK;
}

HRESULT FakeDirect3D::CheckDeviceFormat(UINT, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                        DWORD usage, D3DRESOURCETYPE, D3DFORMAT format) {
    if (deviceFormatOk && !deviceFormatOk(type, adapterFormat, usage, format))
        return D3DERR_NOTAVAILABLE;
    return S_OK;
}

HRESULT FakeDirect3D::CheckDeviceMultiSampleType(UINT, D3DDEVTYPE, D3DFORMAT surfaceFormat,
                                                 WINBOOL windowed,
                                                 D3DMULTISAMPLE_TYPE multisample,
                                                 DWORD* qualityLevels) {
    bool ok = multisampleOk ? multisampleOk(surfaceFormat, windowed, multisample)
                            : multisample == D3DMULTISAMPLE_NONE;
    if (!ok)
        return D3DERR_NOTAVAILABLE;
    if (qualityLevels)
        *qualityLevels = 1;
    return S_OK;
}

HRESULT FakeDirect3D::CheckDepthStencilMatch(UINT, D3DDEVTYPE, D3DFORMAT,
                                             D3DFORMAT renderTargetFormat, D3DFORMAT depthFormat) {
    if (depthMatchOk && !depthMatchOk(renderTargetFormat, depthFormat))
        return D3DERR_NOTAVAILABLE;
    return S_OK;
}

HRESULT FakeDirect3D::CheckDeviceFormatConversion(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT) {
    return E_NOTIMPL;
}

HRESULT FakeDirect3D::GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) {
    if (adapter >= adapters.size())
        return D3DERR_INVALIDCALL;
    auto found = adapters[adapter].caps.find(type);
    if (found == adapters[adapter].caps.end())
        return D3DERR_NOTAVAILABLE;
    *caps = found->second;
    caps->AdapterOrdinal = adapter;
    return S_OK;
}

HMONITOR FakeDirect3D::GetAdapterMonitor(UINT) { return nullptr; }

HRESULT FakeDirect3D::CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                                   IDirect3DDevice9** device) {
    *device = nullptr;
    return E_NOTIMPL;
}
