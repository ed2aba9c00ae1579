// Switching between windowed and fullscreen mode, and the device-change command, which in this
// program only returns a fullscreen application to a window.
#include "framework/d3d_application_win.h"

#include "framework/error_report_win.h"

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

HRESULT CD3DApplication::SwitchWindowedFullscreen() {
    const UINT oldAdapter = m_settings.GetAdapterOrdinal();
    const D3DDEVTYPE oldDeviceType = m_settings.GetDeviceType();

    Pause(true);
    m_ignoreSizeChange = true;
    m_windowed = !m_windowed;
    m_settings.windowed = m_windowed;
    AdjustWindowStyleForMode();

    HRESULT hr;
    if (m_settings.GetAdapterOrdinal() == oldAdapter &&
        m_settings.GetDeviceType() == oldDeviceType) {
        FillPresentParameters();
        hr = ResetDevice();
    } else {
        ReleaseDevice();
        hr = InitializeDevice();
    }

    if (FAILED(hr)) {
        if (hr != D3DERR_OUTOFVIDEOMEMORY)
            hr = APPERR_RESET_FAILED;
        m_ignoreSizeChange = false;
        if (!m_windowed) {
            m_windowed = true;
            m_settings.windowed = true;
            AdjustWindowStyleForMode();
            RestoreWindowBounds();
        }
        return ReportError(hr, ERRMSG_EXIT);
    }

    m_ignoreSizeChange = false;
    if (m_windowed)
        RestoreWindowBounds();
    Pause(false);
    return S_OK;
}

HRESULT CD3DApplication::OnChangeDevice() {
    if (!m_windowed && FAILED(SwitchWindowedFullscreen())) {
        ReportError(APPERR_RESET_FAILED, ERRMSG_EXIT);
        return E_FAIL;
    }
    return S_OK;
}
