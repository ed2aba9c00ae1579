#include "framework/frame_presenter_win.h"

#include <cstring>

#include "base/device_context_win.h"

namespace {

const char kHiddenWindowClass[] = "Mapwell Render Target";

LRESULT CALLBACK HiddenWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

void RegisterHiddenWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHiddenWindowClass;
    RegisterClassA(&windowClass);   // fails harmlessly when already registered
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

FramePresenter::FramePresenter(bool readBack) : m_readBack(readBack) {}

FramePresenter::~FramePresenter() {
    ReleaseSurfaces();
    if (m_hiddenWindow)
        DestroyWindow(m_hiddenWindow);
}

HWND FramePresenter::HiddenWindow(UINT width, UINT height) {
    if (!m_hiddenWindow) {
        RegisterHiddenWindowClass();
        m_hiddenWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kHiddenWindowClass, "", WS_POPUP, 0, 0,
                                         int(width), int(height), nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr);
    } else {
        SetWindowPos(m_hiddenWindow, nullptr, 0, 0, int(width), int(height),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return m_hiddenWindow;
}

D3DPRESENT_PARAMETERS FramePresenter::ParamsForDevice(const D3DPRESENT_PARAMETERS& params) {
    D3DPRESENT_PARAMETERS adjusted = params;
    if (m_readBack) {
        adjusted.hDeviceWindow = HiddenWindow(params.BackBufferWidth, params.BackBufferHeight);
        // Full screen shows this window over the desktop; back in a window it hides again.
        if (params.Windowed)
            ShowWindow(adjusted.hDeviceWindow, SW_HIDE);
    }
    return adjusted;
}

HWND FramePresenter::FocusWindowForDevice(HWND focusWindow, const D3DPRESENT_PARAMETERS& params) {
    if (m_readBack)
        return HiddenWindow(params.BackBufferWidth, params.BackBufferHeight);
    return focusWindow;
}

HRESULT FramePresenter::Present(IDirect3DDevice9* device, HWND deviceWindow) {
    if (m_readBack)
        CopyBackBufferToWindow(device, deviceWindow);
    return device->Present(nullptr, nullptr, nullptr, nullptr);
}

void FramePresenter::ReleaseSurfaces() {
    m_readBackSurface.reset();
}

HRESULT FramePresenter::EnsureReadBackSurface(IDirect3DDevice9* device,
                                              const D3DSURFACE_DESC& desc) {
    if (m_readBackSurface) {
        D3DSURFACE_DESC current;
        m_readBackSurface->GetDesc(&current);
        if (current.Width == desc.Width && current.Height == desc.Height &&
            current.Format == desc.Format)
            return S_OK;
        ReleaseSurfaces();
    }
    return device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                               D3DPOOL_SYSTEMMEM, m_readBackSurface.put(), nullptr);
}

HRESULT FramePresenter::CopyBackBufferToWindow(IDirect3DDevice9* device, HWND deviceWindow) {
    ComRef<IDirect3DSurface9> backBuffer;
    HRESULT hr = device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.put());
    if (FAILED(hr))
        return hr;
    D3DSURFACE_DESC desc;
    backBuffer->GetDesc(&desc);
    // GDI takes the pixels as a 32-bit DIB; other back-buffer formats are not shown.
    if (desc.Format != D3DFMT_X8R8G8B8 && desc.Format != D3DFMT_A8R8G8B8)
        hr = E_FAIL;
    if (SUCCEEDED(hr))
        hr = EnsureReadBackSurface(device, desc);
    if (SUCCEEDED(hr))
        hr = device->GetRenderTargetData(backBuffer, m_readBackSurface);
    backBuffer.reset();
    if (FAILED(hr))
        return hr;

    D3DLOCKED_RECT locked;
    hr = m_readBackSurface->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    if (FAILED(hr))
        return hr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = locked.Pitch / 4;          // whole rows, pitch included
    info.bmiHeader.biHeight = -LONG(desc.Height);       // top-down, as the surface is
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    {
        WindowDc dc(deviceWindow);
        if (dc)
            SetDIBitsToDevice(dc, 0, 0, desc.Width, desc.Height, 0, 0, 0, desc.Height,
                              locked.pBits, &info, DIB_RGB_COLORS);
        else
            hr = E_FAIL;
    }
    m_readBackSurface->UnlockRect();
    return hr;
}
