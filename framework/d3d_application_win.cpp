// The application object's life: construction, Create, the message loop, pausing and the
// per-frame step.
#include "framework/d3d_application_win.h"
#include "resources/resource.h"

#include "framework/app_timer.h"
#include "framework/error_report_win.h"

CD3DApplication* g_pApp = nullptr;

CD3DApplication::CD3DApplication() {
    g_pApp = this;
    Pause(true);
    m_clipCursorWhenFullscreen = false;
}

CD3DApplication::~CD3DApplication() = default;

HRESULT CD3DApplication::ConfirmDeviceCaps(const D3DCAPS9*, DWORD, D3DFORMAT, D3DFORMAT) {
    return S_OK;
}
HRESULT CD3DApplication::InitAppOnce() { return S_OK; }
HRESULT CD3DApplication::CreateDeviceResources() { return S_OK; }
HRESULT CD3DApplication::RestoreDeviceResources() { return S_OK; }
HRESULT CD3DApplication::AdvanceFrame() { return S_OK; }
HRESULT CD3DApplication::RenderFrame() { return S_OK; }
HRESULT CD3DApplication::InvalidateDeviceResources() { return S_OK; }
HRESULT CD3DApplication::DeleteDeviceResources() { return S_OK; }
HRESULT CD3DApplication::CleanupAppOnce() { return S_OK; }

bool CD3DApplication::ConfirmComboCallback(const D3DCAPS9* caps, VertexProcessingType kind,
                                           D3DFORMAT adapterFormat,
                                           D3DFORMAT backBufferFormat) {
    return SUCCEEDED(
        g_pApp->ConfirmDeviceCaps(caps, BehaviorFlagsFor(kind), adapterFormat, backBufferFormat));
}

HRESULT CD3DApplication::FailCreate(HRESULT hr) {
    m_pDirect3D.reset();
    return ReportError(hr, ERRMSG_EXIT);
}

HRESULT CD3DApplication::Create(HINSTANCE hInstance) {
    m_pDirect3D.reset(Direct3DCreate9(D3D_SDK_VERSION));
    if (!m_pDirect3D)
        return ReportError(APPERR_NO_DIRECT3D, ERRMSG_EXIT);

    D3DDISPLAYMODE desktopMode;
    if (FAILED(m_pDirect3D->GetAdapterDisplayMode(0, &desktopMode)))
        return E_FAIL;

    m_deviceCatalog.SetDirect3D(m_pDirect3D);
    m_deviceCatalog.m_confirmCallback = ConfirmComboCallback;
    HRESULT hr = m_deviceCatalog.Enumerate();
    if (FAILED(hr))
        return FailCreate(hr);

    if (!m_hDeviceWnd)
        BuildWindows(hInstance);
    if (!m_hFocusWnd)
        m_hFocusWnd = m_hDeviceWnd;

    m_windowStyle = DWORD(GetWindowLongA(m_hDeviceWnd, GWL_STYLE));
    GetWindowRect(m_hDeviceWnd, &m_windowBounds);
    GetClientRect(m_hDeviceWnd, &m_clientRect);

    hr = PickStartupSettings();
    if (FAILED(hr))
        return FailCreate(hr);

    AppTimer(TimerCommand::Start);

    hr = InitAppOnce();
    if (FAILED(hr))
        return FailCreate(hr);
    hr = InitializeDevice();
    if (FAILED(hr))
        return FailCreate(hr);

    Pause(false);
    return S_OK;
}

int CD3DApplication::Run() {
    HACCEL accelerators = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(IDR_MAIN_ACCEL));
    MSG msg;
    msg.message = WM_NULL;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        const bool got = m_active ? PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != 0
                                  : GetMessageA(&msg, nullptr, 0, 0) != 0;
        if (got) {
            const bool translated =
                accelerators && m_hDeviceWnd &&
                TranslateAcceleratorA(m_hDeviceWnd, accelerators, &msg) != 0;
            if (!translated) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }
        if (m_deviceLost)
            Sleep(100);
        if (m_active && FAILED(RenderStep()))
            SendMessageA(m_hDeviceWnd, WM_CLOSE, 0, 0);
    }
    if (accelerators)
        DestroyAcceleratorTable(accelerators);
    return int(msg.wParam);
}

void CD3DApplication::Pause(bool pause) {
    if (pause)
        ++m_pauseCount;
    else
        --m_pauseCount;
    m_active = (m_pauseCount == 0);
    if (pause && m_pauseCount == 1 && m_animating)
        AppTimer(TimerCommand::Stop);
    if (m_pauseCount == 0 && m_animating)
        AppTimer(TimerCommand::Start);
}

HRESULT CD3DApplication::PresentFrame() {
    return m_presenter.Present(m_pDevice, m_hDeviceWnd);
}

HRESULT CD3DApplication::RenderStep() {
    if (m_deviceLost) {
        HRESULT hr = m_pDevice->TestCooperativeLevel();
        if (hr == D3DERR_DEVICELOST)
            return S_OK;
        if (hr == D3DERR_DEVICENOTRESET) {
            if (m_windowed) {
                DeviceChoice& choice = m_settings.windowedChoice;
                m_pDirect3D->GetAdapterDisplayMode(m_settings.GetAdapterOrdinal(),
                                                   &choice.displayMode);
                m_presentParams.BackBufferFormat = choice.displayMode.Format;
            }
            return ResetDevice();
        }
        if (FAILED(hr))
            return hr;
        m_deviceLost = false;
    }

    const float appTime = AppTimer(TimerCommand::GetAppTime);
    const float elapsed = AppTimer(TimerCommand::GetElapsedTime);
    if (elapsed == 0.0f && m_animating)
        return S_OK;

    if (m_animating || m_singleStep) {
        m_time = appTime;
        m_elapsedTime = elapsed;
        HRESULT hr = AdvanceFrame();
        if (FAILED(hr))
            return hr;
        m_singleStep = false;
    }
    HRESULT hr = RenderFrame();
    if (FAILED(hr))
        return hr;
    UpdateFrameStats();
    if (PresentFrame() == D3DERR_DEVICELOST)
        m_deviceLost = true;
    return S_OK;
}
