#pragma once
// FakeDirect3D: a scripted IDirect3D9 for tests of the device catalog and the device choice.
// Each test sets the adapters (identifier, desktop mode, display modes, caps per device type)
// and, where it matters, the answers of the format checks. Everything not scripted succeeds;
// CreateDevice and the other operations the catalog never calls fail with E_NOTIMPL. The
// object lives on the test's stack: reference counting is tracked but never deletes it.
#include <windows.h>
#include <d3d9.h>

#include <functional>
#include <map>
#include <vector>

struct FakeAdapter {
    D3DADAPTER_IDENTIFIER9 identifier = {};
    D3DDISPLAYMODE desktop = {};
    std::vector<D3DDISPLAYMODE> modes;           // of every format, in any order
    std::map<D3DDEVTYPE, D3DCAPS9> caps;         // a device type without caps is unavailable
};

// Caps of a device type: the given DevCaps, every presentation interval.
D3DCAPS9 FakeCaps(D3DDEVTYPE type, DWORD devCaps);
// A HAL adapter with hardware transform and lighting and a pure device, a REF device without
// them, an X8R8G8B8 desktop of 1024 x 768 at 60 Hz and modes of X8R8G8B8 and R5G6B5 from
// 320 x 240 to 1024 x 768, described as `description`.
FakeAdapter TypicalAdapter(const char* description);

class FakeDirect3D : public IDirect3D9 {
public:
    std::vector<FakeAdapter> adapters;

    // Answers of the checks; a null function means "supported".
    std::function<bool(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                       D3DFORMAT backBufferFormat, BOOL windowed)> deviceTypeOk;
    std::function<bool(D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                       D3DFORMAT format)> deviceFormatOk;
    std::function<bool(D3DFORMAT backBufferFormat, D3DFORMAT depthFormat)> depthMatchOk;
    // Multisampling: by default only D3DMULTISAMPLE_NONE (quality count 1) is supported.
    std::function<bool(D3DFORMAT surfaceFormat, BOOL windowed,
                       D3DMULTISAMPLE_TYPE type)> multisampleOk;

    ULONG references = 1;
    int deviceTypeChecks = 0;                    // calls of CheckDeviceType

    // IUnknown
    STDMETHOD(QueryInterface)(REFIID riid, void** object) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    // IDirect3D9
    STDMETHOD(RegisterSoftwareDevice)(void* initialize) override;
    STDMETHOD_(UINT, GetAdapterCount)() override;
    STDMETHOD(GetAdapterIdentifier)(UINT adapter, DWORD flags,
                                    D3DADAPTER_IDENTIFIER9* identifier) override;
    STDMETHOD_(UINT, GetAdapterModeCount)(UINT adapter, D3DFORMAT format) override;
    STDMETHOD(EnumAdapterModes)(UINT adapter, D3DFORMAT format, UINT mode,
                                D3DDISPLAYMODE* result) override;
    STDMETHOD(GetAdapterDisplayMode)(UINT adapter, D3DDISPLAYMODE* mode) override;
    STDMETHOD(CheckDeviceType)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                               D3DFORMAT backBufferFormat, WINBOOL windowed) override;
    STDMETHOD(CheckDeviceFormat)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                 DWORD usage, D3DRESOURCETYPE resourceType,
                                 D3DFORMAT format) override;
    STDMETHOD(CheckDeviceMultiSampleType)(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat,
                                          WINBOOL windowed, D3DMULTISAMPLE_TYPE multisample,
                                          DWORD* qualityLevels) override;
    STDMETHOD(CheckDepthStencilMatch)(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                      D3DFORMAT renderTargetFormat,
                                      D3DFORMAT depthFormat) override;
    STDMETHOD(CheckDeviceFormatConversion)(UINT adapter, D3DDEVTYPE type, D3DFORMAT source,
                                           D3DFORMAT target) override;
    STDMETHOD(GetDeviceCaps)(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override;
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(UINT adapter) override;
    STDMETHOD(CreateDevice)(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                            D3DPRESENT_PARAMETERS* parameters,
                            IDirect3DDevice9** device) override;

private:
    // The modes of `adapter` in `format`, in the order the test gave them.
    std::vector<D3DDISPLAYMODE> ModesOf(UINT adapter, D3DFORMAT format) const;
};
