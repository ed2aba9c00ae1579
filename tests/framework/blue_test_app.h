#pragma once
// The smallest application on the framework: the editor's device requirements (a depth
// buffer) and a view cleared to blue every frame.
#include "framework/d3d_application_win.h"

class BlueTestApp : public CD3DApplication {
public:
    BlueTestApp() {
        m_windowTitle = "Framework Under Test";
        m_deviceCatalog.m_needsDepthBuffer = true;
    }

    // As the editor does: the main window's size splits between the view and the pane, and
    // every message goes on to the framework's handler.
    LRESULT MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SIZE && m_hDeviceWnd)
            LayOutPanes();
        return CD3DApplication::MsgProc(hWnd, msg, wParam, lParam);
    }

    HRESULT RenderFrame() override {
        m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0x000000FF, 1.0f, 0);
        if (SUCCEEDED(m_pDevice->BeginScene()))
            m_pDevice->EndScene();
        return S_OK;
    }
};
