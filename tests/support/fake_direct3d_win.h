#pragma once
// A scripted IDirect3D9 for the device catalog and the device choice: each test sets the
// adapters and, where it matters, the answers of the checks (a null check answers "supported";
// multisampling answers only D3DMULTISAMPLE_NONE, of one quality). Whatever the catalog never
// calls fails. It lives on the test's stack: its reference count never deletes it.
#include <windows.h>
#include <d3d9.h>

#include <cstring>
#include <functional>
#include <map>
#include <vector>

struct FakeAdapter {
    D3DADAPTER_IDENTIFIER9 identifier = {};
    D3DDISPLAYMODE desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
    std::vector<D3DDISPLAYMODE> modes;     // of every format, in any order
    std::map<D3DDEVTYPE, D3DCAPS9> caps;   // a device type without caps is unavailable
};

// A HAL with hardware transform and a pure device, a REF without either, modes of X8R8G8B8 and
// R5G6B5 at 60 and 75 Hz from 320 x 240 to 1024 x 768 (listed out of order).
inline FakeAdapter TypicalAdapter(const char* description) {
    FakeAdapter adapter;
    strncpy(adapter.identifier.Description, description, MAX_DEVICE_IDENTIFIER_STRING - 1);
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5})
        for (UINT width : {1024u, 320u, 800u, 640u})
            for (UINT refresh : {75u, 60u})
                adapter.modes.push_back({width, width * 3 / 4, refresh, format});
    for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_REF}) {
        D3DCAPS9& caps = adapter.caps[type] = {};
        caps.DevCaps = type == D3DDEVTYPE_HAL ? D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_PUREDEVICE : 0;
        caps.PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_TWO |
                                     D3DPRESENT_INTERVAL_THREE | D3DPRESENT_INTERVAL_FOUR;
    }
    return adapter;
}

class FakeDirect3D : public IDirect3D9 {
public:
    std::vector<FakeAdapter> adapters;
    std::function<bool(UINT adapter, D3DDEVTYPE, D3DFORMAT backBuffer, BOOL windowed)> deviceTypeOk;
    std::function<bool(D3DFORMAT depth)> depthFormatOk;
    std::function<bool(D3DFORMAT backBuffer, D3DFORMAT depth)> depthMatchOk;
    std::function<bool(D3DFORMAT surface, D3DMULTISAMPLE_TYPE)> multisampleOk;

    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(RegisterSoftwareDevice)(void*) override { return E_NOTIMPL; }
    STDMETHOD_(UINT, GetAdapterCount)() override { return UINT(adapters.size()); }
    STDMETHOD(GetAdapterIdentifier)(UINT a, DWORD, D3DADAPTER_IDENTIFIER9* id) override {
        return *id = adapters.at(a).identifier, S_OK;
    }
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT a, D3DFORMAT format) override {
        return UINT(ModesOf(a, format).size());
    }
    STDMETHOD(EnumAdapterModes)(UINT a, D3DFORMAT format, UINT m, D3DDISPLAYMODE* mode) override {
        const std::vector<D3DDISPLAYMODE> modes = ModesOf(a, format);
        return m < modes.size() ? (*mode = modes[m], S_OK) : D3DERR_INVALIDCALL;
    }
    STDMETHOD(GetAdapterDisplayMode)(UINT a, D3DDISPLAYMODE* mode) override {
        return *mode = adapters.at(a).desktop, S_OK;
    }
    STDMETHOD(CheckDeviceType)(UINT a, D3DDEVTYPE type, D3DFORMAT, D3DFORMAT backBuffer,
                               WINBOOL windowed) override {
        return Answer(deviceTypeOk, a, type, backBuffer, windowed);
    }
    STDMETHOD(CheckDeviceFormat)(UINT, D3DDEVTYPE, D3DFORMAT, DWORD usage, D3DRESOURCETYPE,
                                 D3DFORMAT format) override {
        return usage == D3DUSAGE_DEPTHSTENCIL ? Answer(depthFormatOk, format) : E_NOTIMPL;
    }
    STDMETHOD(CheckDeviceMultiSampleType)(UINT, D3DDEVTYPE, D3DFORMAT surface, WINBOOL,
                                          D3DMULTISAMPLE_TYPE type, DWORD* qualities) override {
        if (multisampleOk ? !multisampleOk(surface, type) : type != D3DMULTISAMPLE_NONE)
            return D3DERR_NOTAVAILABLE;
        if (qualities)
            *qualities = 1;
        return S_OK;
    }
    STDMETHOD(CheckDepthStencilMatch)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT backBuffer,
                                      D3DFORMAT depth) override {
        return Answer(depthMatchOk, backBuffer, depth);
    }
    STDMETHOD(CheckDeviceFormatConversion)(UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT) override {
        return E_NOTIMPL;
    }
    STDMETHOD(GetDeviceCaps)(UINT a, D3DDEVTYPE type, D3DCAPS9* caps) override {
        auto found = adapters.at(a).caps.find(type);
        if (found == adapters.at(a).caps.end())
            return D3DERR_NOTAVAILABLE;
        *caps = found->second;
        caps->DeviceType = type;
        caps->AdapterOrdinal = a;
        return S_OK;
    }
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT) override { return nullptr; }
    STDMETHOD(CreateDevice)(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                            IDirect3DDevice9** device) override {
        return *device = nullptr, E_NOTIMPL;
    }

private:
    std::vector<D3DDISPLAYMODE> ModesOf(UINT a, D3DFORMAT format) const {
        std::vector<D3DDISPLAYMODE> modes;
        for (const D3DDISPLAYMODE& mode : adapters.at(a).modes)
            if (mode.Format == format)
                modes.push_back(mode);
        return modes;
    }
    template <typename Check, typename... Args>
    static HRESULT Answer(const Check& check, Args... args) {
        return !check || check(args...) ? S_OK : D3DERR_NOTAVAILABLE;
    }
};
