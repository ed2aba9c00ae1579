// The device's life: creation from the chosen settings (with the fallback to a reference
// device), the presentation parameters, resets, size changes and release. Around each change
// the application's resource operations run in the framework's fixed order.
#include "framework/d3d_application_win.h"

#include "framework/app_timer.h"
#include "framework/device_cursor_win.h"
#include "framework/device_stats_win.h"
#include "framework/error_report_win.h"

void CD3DApplication::FillPresentParameters() {
    const FormatCombo* combo = m_settings.GetFormatCombo();
    D3DPRESENT_PARAMETERS& params = m_presentParams;
    params = {};
    params.Windowed = m_settings.windowed;
    params.BackBufferCount = 1;
    params.MultiSampleType = m_settings.GetMultisampleType();
    params.MultiSampleQuality = m_settings.GetMultisampleQuality();
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.hDeviceWindow = m_hDeviceWnd;
    params.EnableAutoDepthStencil = m_deviceCatalog.m_needsDepthBuffer;
    if (m_deviceCatalog.m_needsDepthBuffer) {
        params.Flags = D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL;
        params.AutoDepthStencilFormat = m_settings.GetDepthStencilFormat();
    }
    params.BackBufferFormat = combo->backBufferFormat;
    params.PresentationInterval = m_settings.GetPresentInterval();
    if (m_settings.windowed) {
        params.BackBufferWidth = UINT(m_clientRect.right - m_clientRect.left);
        params.BackBufferHeight = UINT(m_clientRect.bottom - m_clientRect.top);
        params.FullScreen_RefreshRateInHz = 0;
    } else {
        const D3DDISPLAYMODE& mode = m_settings.GetDisplayMode();
        params.BackBufferWidth = mode.Width;
        params.BackBufferHeight = mode.Height;
        params.FullScreen_RefreshRateInHz = mode.RefreshRate;
    }
}

void CD3DApplication::RestoreWindowBounds() {
    // The bounds are kept in screen coordinates; a child device window is placed in its
    // parent's client coordinates, so it goes back exactly where it was.
    RECT bounds = m_windowBounds;
    HWND parent = GetParent(m_hDeviceWnd);
    if (parent && (GetWindowLongA(m_hDeviceWnd, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    SetWindowPos(m_hDeviceWnd, HWND_NOTOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_SHOWWINDOW);
}

void CD3DApplication::ReadBackBufferDesc() {
    IDirect3DSurface9* backBuffer = nullptr;
    if (SUCCEEDED(m_pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer))) {
        backBuffer->GetDesc(&m_backBufferDesc);
        backBuffer->Release();
    }
}

void CD3DApplication::ApplyFullscreenCursor() {
    if (m_showCursorWhenFullscreen && !m_windowed) {
        HCURSOR cursor = HCURSOR(GetClassLongPtrA(m_hDeviceWnd, GCLP_HCURSOR));
        SetDeviceCursorFromIcon(m_pDevice, cursor, TRUE);
        m_pDevice->ShowCursor(TRUE);
    }
    if (m_clipCursorWhenFullscreen) {
        if (!m_windowed) {
            RECT window;
            GetWindowRect(m_hDeviceWnd, &window);
            ClipCursor(&window);
        } else {
            ClipCursor(nullptr);
        }
    }
}

HRESULT CD3DApplication::CreateDeviceFromSettings(DWORD behaviorFlags) {
    D3DPRESENT_PARAMETERS params = m_presenter.ParamsForDevice(m_presentParams);
    HWND focus = m_presenter.FocusWindowForDevice(m_hFocusWnd, params);
    const HRESULT hr =
        m_pDirect3D->CreateDevice(m_settings.GetAdapterOrdinal(), m_settings.GetDeviceType(), focus,
                                  behaviorFlags, &params, &m_pDevice);
    // Direct3D may fill in values (a zero size, an unknown format); keep what it chose, but
    // keep the device window as ours.
    params.hDeviceWindow = m_presentParams.hDeviceWindow;
    if (SUCCEEDED(hr))
        m_presentParams = params;
    return hr;
}

HRESULT CD3DApplication::InitializeDevice() {
    const DeviceRecord* deviceRecord = m_settings.GetDeviceRecord();
    m_windowed = m_settings.windowed;
    AdjustWindowStyleForMode();
    FillPresentParameters();

    if (deviceRecord->caps.PrimitiveMiscCaps & D3DPMISCCAPS_NULLREFERENCE)
        ReportError(APPERR_NULL_REF_DEVICE, ERRMSG_WARN);

    const DWORD behaviorFlags = BehaviorFlagsFor(m_settings.GetVertexProcessingType());
    m_presentParams.BackBufferCount = 2;
    HRESULT hr = CreateDeviceFromSettings(behaviorFlags);
    if (SUCCEEDED(hr)) {
        if (m_windowed)
            RestoreWindowBounds();
        m_pDevice->GetDeviceCaps(&m_caps);
        DescribeDevice(deviceRecord->deviceType, behaviorFlags,
                       m_settings.GetAdapterRecord()->identifier, m_deviceStats);
        ReadBackBufferDesc();
        ApplyFullscreenCursor();

        hr = CreateDeviceResources();
        if (FAILED(hr)) {
            DeleteDeviceResources();
        } else {
            m_deviceResourcesCreated = true;
            hr = RestoreDeviceResources();
            if (SUCCEEDED(hr)) {
                m_deviceResourcesRestored = true;
                return S_OK;
            }
            InvalidateDeviceResources();
        }
        ReleaseDevice();
    }

    // A hardware device that could not be made or set up is tried once more as a windowed
    // reference device, unless what failed was a missing media file.
    if (hr != APPERR_MEDIA_NOT_FOUND && hr != HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) &&
        deviceRecord->deviceType == D3DDEVTYPE_HAL && PickWindowedSettings(false, true)) {
        m_windowed = true;
        AdjustWindowStyleForMode();
        RestoreWindowBounds();
        ReportError(hr, ERRMSG_SWITCHED_TO_REF);
        return InitializeDevice();
    }
    return hr;
}

HRESULT CD3DApplication::ResetDevice() {
    if (m_deviceResourcesRestored) {
        m_deviceResourcesRestored = false;
        InvalidateDeviceResources();
    }
    m_presenter.ReleaseSurfaces();
    D3DPRESENT_PARAMETERS params = m_presenter.ParamsForDevice(m_presentParams);
    HRESULT hr = m_pDevice->Reset(&params);
    if (FAILED(hr))
        return hr;
    ReadBackBufferDesc();
    ApplyFullscreenCursor();

    hr = RestoreDeviceResources();
    if (FAILED(hr)) {
        InvalidateDeviceResources();
        return hr;
    }
    m_deviceResourcesRestored = true;
    if (!m_animating) {
        // The next frame advances the scene once without letting time run.
        m_singleStep = true;
        AppTimer(TimerCommand::Start);
        AppTimer(TimerCommand::Stop);
    }
    return S_OK;
}

HRESULT CD3DApplication::HandleSizeChange() {
    const RECT oldClient = m_clientRect;
    if (m_ignoreSizeChange)
        return S_OK;
    GetWindowRect(m_hDeviceWnd, &m_windowBounds);
    GetClientRect(m_hDeviceWnd, &m_clientRect);
    const bool sizeChanged = (m_clientRect.right - m_clientRect.left) !=
                                 (oldClient.right - oldClient.left) ||
                             (m_clientRect.bottom - m_clientRect.top) !=
                                 (oldClient.bottom - oldClient.top);
    if (!sizeChanged)
        return S_OK;

    HRESULT hr = S_OK;
    Pause(true);
    m_presentParams.BackBufferWidth = UINT(m_clientRect.right - m_clientRect.left);
    m_presentParams.BackBufferHeight = UINT(m_clientRect.bottom - m_clientRect.top);
    if (m_pDevice) {
        hr = ResetDevice();
        if (FAILED(hr)) {
            if (hr != D3DERR_OUTOFVIDEOMEMORY)
                hr = APPERR_RESET_FAILED;
            ReportError(hr, ERRMSG_EXIT);
        }
    }
    Pause(false);
    return hr;
}

void CD3DApplication::ReleaseDevice() {
    if (!m_pDevice)
        return;
    if (m_deviceResourcesRestored) {
        m_deviceResourcesRestored = false;
        InvalidateDeviceResources();
    }
    if (m_deviceResourcesCreated) {
        m_deviceResourcesCreated = false;
        DeleteDeviceResources();
    }
    m_presenter.ReleaseSurfaces();
    // Forget the device before reporting: the fatal report closes the window, whose clean-up
    // comes back here.
    IDirect3DDevice9* device = m_pDevice;
    m_pDevice = nullptr;
    if (device->Release() > 0)
        ReportError(APPERR_NONZERO_REFCOUNT, ERRMSG_EXIT);
}
