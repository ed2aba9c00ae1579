// The framework's own handling of the messages of both windows: exit, the mode switch, the
// animation keys, sizing, pausing, painting, fullscreen cursor and closing.
#include "framework/d3d_application_win.h"
#include "resources/resource.h"

#include "base/device_context_win.h"
#include "framework/app_timer.h"
#include "framework/error_report_win.h"
#include "threeds/diagnostics.h"

LRESULT CD3DApplication::MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN in CD3DApplication::MsgProc");
    return HandleMessage(hWnd, msg, wParam, lParam, true);
}

LRESULT CD3DApplication::MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN CD3DApplication::MsgProcMain");
    return HandleMessage(hWnd, msg, wParam, lParam, false);
}

void CD3DApplication::PaintPausedFrame() {
    if (m_pDevice && !m_active && m_windowed && m_deviceResourcesCreated &&
        m_deviceResourcesRestored) {
        RenderFrame();
        PresentFrame();
    }
}

void CD3DApplication::HandleSizeMessage(WPARAM sizeKind) {
    if (m_windowed && m_hDeviceWnd)
        m_windowStyle = DWORD(GetWindowLongA(m_hDeviceWnd, GWL_STYLE));
    switch (sizeKind) {
    case SIZE_MINIMIZED:
        if (m_clipCursorWhenFullscreen && !m_windowed)
            ClipCursor(nullptr);
        Pause(true);
        m_minimized = true;
        m_maximized = false;
        break;
    case SIZE_MAXIMIZED:
        if (m_minimized)
            Pause(false);
        m_minimized = false;
        m_maximized = true;
        HandleSizeChange();
        break;
    case SIZE_RESTORED:
        if (m_maximized) {
            m_maximized = false;
            HandleSizeChange();
        } else if (m_minimized) {
            Pause(false);
            m_minimized = false;
            HandleSizeChange();
        }
        // Otherwise the size is being dragged; WM_EXITSIZEMOVE follows.
        break;
    }
}

LRESULT CD3DApplication::HandleCommand(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDM_CHANGEDEVICE:
        Pause(true);
        OnChangeDevice();
        Pause(false);
        return 0;
    case IDM_TOGGLEFULLSCREEN:
        Pause(true);
        if (FAILED(SwitchWindowedFullscreen()))
            ReportError(APPERR_RESET_FAILED, ERRMSG_EXIT);
        Pause(false);
        return 0;
    case IDM_TOGGLESTART:
        m_animating = !m_animating;
        AppTimer(m_animating ? TimerCommand::Start : TimerCommand::Stop);
        break;
    case IDM_SINGLESTEP:
        AppTimer(m_animating ? TimerCommand::Stop : TimerCommand::Advance);
        m_animating = false;
        m_singleStep = true;
        break;
    case IDM_EXIT:
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CD3DApplication::HandleMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       bool deviceWindow) {
    switch (msg) {
    case WM_PAINT:
        PaintPausedFrame();
        if (deviceWindow) {
            // The short GDI line shows that the window's own painting runs over the frame.
            PaintDc dc(hWnd);
            MoveToEx(dc, 30, 30, nullptr);
            LineTo(dc, 40, 40);
        }
        break;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {100, 100};
        break;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP:
        Pause(true);
        break;
    case WM_EXITMENULOOP:
        Pause(false);
        break;
    case WM_SIZE:
        HandleSizeMessage(wParam);
        break;
    case WM_EXITSIZEMOVE:
        Pause(false);
        HandleSizeChange();
        break;
    case WM_SETCURSOR:
        if (m_active && !m_windowed) {
            SetCursor(nullptr);
            if (m_showCursorWhenFullscreen)
                m_pDevice->ShowCursor(TRUE);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (m_active && m_pDevice) {
            POINT cursor;
            GetCursorPos(&cursor);
            if (!m_windowed)
                ScreenToClient(m_hDeviceWnd, &cursor);
            m_pDevice->SetCursorPosition(cursor.x, cursor.y, 0);
        }
        break;
    case WM_NCHITTEST:
        if (!m_windowed)
            return HTCLIENT;
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMRESUMESUSPEND)
            return TRUE;
        break;
    case WM_SYSCOMMAND:
        if ((wParam == SC_MOVE || wParam == SC_SIZE || wParam == SC_MAXIMIZE ||
             wParam == SC_KEYMENU || wParam == SC_MONITORPOWER) &&
            !m_windowed)
            return 1;
        break;
    case WM_COMMAND:
        return HandleCommand(hWnd, msg, wParam, lParam);
    case WM_CLOSE: {
        ReleaseDevice();
        m_pDirect3D.reset();
        CleanupAppOnce();
        HMENU menu = GetMenu(hWnd);
        if (menu)
            DestroyMenu(menu);
        DestroyWindow(hWnd);
        PostQuitMessage(0);
        m_hDeviceWnd = nullptr;
        return 0;
    }
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}
