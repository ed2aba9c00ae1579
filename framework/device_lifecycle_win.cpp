// The device's life: creation from the chosen settings (with the fallback to a reference
// device), resets, size changes, the switch between windowed and fullscreen mode, and release.
// Around each change the application's resource operations run, as device_lifecycle_win.h
// lists them.
#include "framework/device_lifecycle_win.h"

#include "base/com_ref.h"
#include "framework/app_timer.h"
#include "framework/d3d_application_win.h"
#include "framework/device_cursor_win.h"
#include "framework/device_stats_win.h"
#include "framework/error_report_win.h"

namespace {

// What a failed reset is reported as: running out of video memory says so; anything else is
// a reset that failed.
HRESULT ResetFailureCode(HRESULT hr) {
    return hr == D3DERR_OUTOFVIDEOMEMORY ? hr : APPERR_RESET_FAILED;
}

}  // namespace

DWORD BehaviorFlagsFor(VertexProcessingType kind) {
    switch (kind) {
    case SOFTWARE_VP: return D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    case MIXED_VP: return D3DCREATE_MIXED_VERTEXPROCESSING;
    case HARDWARE_VP: return D3DCREATE_HARDWARE_VERTEXPROCESSING;
    case PURE_HARDWARE_VP: return D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE;
    }
    return 0;
}

// --- Creation ---

HRESULT CD3DApplication::InitializeDevice() {
    const DeviceRecord* deviceRecord = m_settings.GetDeviceRecord();
    m_windowed = m_settings.windowed;
    AdjustWindowStyleForMode();
    FillPresentParameters();
    if (deviceRecord->caps.PrimitiveMiscCaps & D3DPMISCCAPS_NULLREFERENCE)
        ReportError(APPERR_NULL_REF_DEVICE, ERRMSG_WARN);
    const HRESULT hr =
        CreateDeviceWithResources(BehaviorFlagsFor(m_settings.GetVertexProcessingType()));
    if (SUCCEEDED(hr))
        return S_OK;
    return FallBackToReferenceDevice(hr, deviceRecord->deviceType);
}

// A device that could not be made or set up leaves nothing behind.
HRESULT CD3DApplication::CreateDeviceWithResources(DWORD behaviorFlags) {
    m_presentParams.BackBufferCount = 2;
    HRESULT hr = CreateDeviceFromSettings(behaviorFlags);
    if (FAILED(hr))
        return hr;
    if (m_windowed)
        RestoreWindowBounds();
    m_pDevice->GetDeviceCaps(&m_caps);
    DescribeDevice(m_settings.GetDeviceRecord()->deviceType, behaviorFlags,
                   m_settings.GetAdapterRecord()->identifier, m_deviceStats);
    ReadBackBufferDesc();
    ApplyFullscreenCursor();
    hr = CreateAndRestoreResources();
    if (FAILED(hr))
        ReleaseDevice();
    return hr;
}

HRESULT CD3DApplication::CreateDeviceFromSettings(DWORD behaviorFlags) {
    D3DPRESENT_PARAMETERS params = m_presenter.ParamsForDevice(m_presentParams);
    HWND focus = m_presenter.FocusWindowForDevice(m_hFocusWnd, params);
    const HRESULT hr =
        m_pDirect3D->CreateDevice(m_settings.GetAdapterOrdinal(), m_settings.GetDeviceType(), focus,
                                  behaviorFlags, &params, m_pDevice.put());
    // Direct3D may fill in values (a zero size, an unknown format); keep what it chose, but
    // keep the device window as ours.
    params.hDeviceWindow = m_presentParams.hDeviceWindow;
    if (SUCCEEDED(hr))
        m_presentParams = params;
    return hr;
}

HRESULT CD3DApplication::CreateAndRestoreResources() {
    HRESULT hr = CreateDeviceResources();
    if (FAILED(hr)) {
        DeleteDeviceResources();
        return hr;
    }
    m_deviceResourcesCreated = true;
    hr = RestoreDeviceResources();
    if (FAILED(hr)) {
        InvalidateDeviceResources();
        return hr;
    }
    m_deviceResourcesRestored = true;
    return S_OK;
}

// A hardware device that could not be made or set up is tried once more as a windowed
// reference device, unless what failed was a missing media file, which no device mends.
HRESULT CD3DApplication::FallBackToReferenceDevice(HRESULT hr, D3DDEVTYPE failedType) {
    if (hr == APPERR_MEDIA_NOT_FOUND || hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
        failedType != D3DDEVTYPE_HAL || !PickWindowedSettings(false, true))
        return hr;
    m_windowed = true;
    AdjustWindowStyleForMode();
    RestoreWindowBounds();
    ReportError(hr, ERRMSG_SWITCHED_TO_REF);
    return InitializeDevice();
}

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

void CD3DApplication::ReadBackBufferDesc() {
    ComRef<IDirect3DSurface9> backBuffer;
    if (SUCCEEDED(m_pDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.put())))
        backBuffer->GetDesc(&m_backBufferDesc);
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

// --- Reset ---

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
            hr = ResetFailureCode(hr);
            ReportError(hr, ERRMSG_EXIT);
        }
    }
    Pause(false);
    return hr;
}

// --- Switching between windowed and fullscreen mode ---

HRESULT CD3DApplication::SwitchWindowedFullscreen() {
    const UINT oldAdapter = m_settings.GetAdapterOrdinal();
    const D3DDEVTYPE oldDeviceType = m_settings.GetDeviceType();

    Pause(true);
    m_ignoreSizeChange = true;
    m_windowed = !m_windowed;
    m_settings.windowed = m_windowed;
    AdjustWindowStyleForMode();

    // The settings now answer for the new mode; the same adapter and device type only reset.
    HRESULT hr;
    if (m_settings.GetAdapterOrdinal() == oldAdapter &&
        m_settings.GetDeviceType() == oldDeviceType) {
        FillPresentParameters();
        hr = ResetDevice();
    } else {
        ReleaseDevice();
        hr = InitializeDevice();
    }
    m_ignoreSizeChange = false;
    if (FAILED(hr))
        return ReportFailedSwitch(hr);
    if (m_windowed)
        RestoreWindowBounds();
    Pause(false);
    return S_OK;
}

// A failed switch leaves the program in a window, so that the fatal box can be seen.
HRESULT CD3DApplication::ReportFailedSwitch(HRESULT hr) {
    if (!m_windowed) {
        m_windowed = true;
        m_settings.windowed = true;
        AdjustWindowStyleForMode();
        RestoreWindowBounds();
    }
    return ReportError(ResetFailureCode(hr), ERRMSG_EXIT);
}

HRESULT CD3DApplication::AdjustWindowStyleForMode() {
    if (m_windowed) {
        SetWindowLongA(m_hDeviceWnd, GWL_STYLE, LONG(m_windowStyle));
        if (m_hMenu) {
            SetMenu(m_hDeviceWnd, m_hMenu);
            m_hMenu = nullptr;
        }
    } else {
        SetWindowLongA(m_hDeviceWnd, GWL_STYLE, LONG(WS_POPUP | WS_SYSMENU | WS_VISIBLE));
        if (!m_hMenu) {
            m_hMenu = GetMenu(m_hDeviceWnd);
            SetMenu(m_hDeviceWnd, nullptr);
        }
    }
    return S_OK;
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

// The program changes no device but returns a fullscreen application to a window.
HRESULT CD3DApplication::OnChangeDevice() {
    if (!m_windowed && FAILED(SwitchWindowedFullscreen())) {
        ReportError(APPERR_RESET_FAILED, ERRMSG_EXIT);
        return E_FAIL;
    }
    return S_OK;
}

// --- Release ---

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
    // The holder forgets the device before the last release: the fatal report closes the
    // window, whose clean-up comes back here.
    if (m_pDevice.release() > 0)
        ReportError(APPERR_NONZERO_REFCOUNT, ERRMSG_EXIT);
}
