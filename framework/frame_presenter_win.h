#pragma once
// How the device's frames reach the device window. On Windows the device presents straight to
// the device window. Under Wine a device made on a child window never reaches the screen (its
// GL surface stays off screen and hides the child's GDI drawing as well), so there the device
// renders into a hidden top-level window of the back buffer's size and every frame is
// read back (GetRenderTargetData) and copied into the device window with GDI. Everything else
// about the device window (messages, sizes, resets) stays with the device window.
#include <windows.h>
#include <d3d9.h>

#include "base/com_ref.h"

// True when the process runs under Wine (ntdll exports wine_get_version).
bool RunningUnderWine();

class FramePresenter {
public:
    // `readBack` chooses the Wine path; by default it is taken when running under Wine.
    explicit FramePresenter(bool readBack = RunningUnderWine());
    ~FramePresenter();
    FramePresenter(const FramePresenter&) = delete;
    FramePresenter& operator=(const FramePresenter&) = delete;

    bool ReadsBack() const { return m_readBack; }

    // The presentation parameters to hand to CreateDevice or Reset: `params` itself, except
    // that on the read-back path the device renders into the hidden window (made or resized
    // to the back buffer here), in full screen as well: a device that once presented to the
    // child would hide the child's GDI drawing for good. The caller's copy keeps the device
    // window.
    D3DPRESENT_PARAMETERS ParamsForDevice(const D3DPRESENT_PARAMETERS& params);
    // The focus window for CreateDevice: the hidden window on the read-back path,
    // `focusWindow` otherwise.
    HWND FocusWindowForDevice(HWND focusWindow, const D3DPRESENT_PARAMETERS& params);

    // Shows the frame just rendered in `deviceWindow` and presents it. On the read-back path
    // back buffer 0 is copied into the window before Present, because the discarded back
    // buffer is undefined afterwards; in full screen too, where Wine keeps the child's own
    // surface off screen as well. Returns Present's result.
    HRESULT Present(IDirect3DDevice9* device, HWND deviceWindow);

    // Drops the read-back surface; call before the device is reset or released.
    void ReleaseSurfaces();

private:
    HRESULT CopyBackBufferToWindow(IDirect3DDevice9* device, HWND deviceWindow);
    HRESULT EnsureReadBackSurface(IDirect3DDevice9* device, const D3DSURFACE_DESC& desc);
    HWND HiddenWindow(UINT width, UINT height);

    bool m_readBack;
    HWND m_hiddenWindow = nullptr;
    ComRef<IDirect3DSurface9> m_readBackSurface;
};
