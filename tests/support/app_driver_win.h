#pragma once
// Drives a real CD3DApplication in the test's own process: a recording subclass that logs the
// framework's callbacks, and a runner that executes test steps from a timer inside the
// application's own message loop, so every message travels the real loop and handlers.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/d3d_application_win.h"

// What the framework called, in order.
struct CallbackLog {
    std::vector<std::string> calls;        // lifecycle callbacks and pauses, in order
    std::vector<SIZE> restoredBackBuffers; // back-buffer size at each RestoreDeviceResources
    std::vector<float> advanceTimes;       // m_time at each AdvanceFrame
    int renderCount = 0;
    std::vector<std::string> commands;     // "MsgProc 40006", "MsgProcMain 40006", ...

    int count(const std::string& call) const;
    // The calls with the pauses left out.
    std::vector<std::string> lifecycle() const;
};

template <class Base>
class Recording : public Base {
public:
    CallbackLog log;

    HRESULT InitAppOnce() override { return note("InitAppOnce", Base::InitAppOnce()); }
    HRESULT CreateDeviceResources() override {
        return note("CreateDeviceResources", Base::CreateDeviceResources());
    }
    HRESULT RestoreDeviceResources() override {
        log.restoredBackBuffers.push_back(
            {LONG(this->m_backBufferDesc.Width), LONG(this->m_backBufferDesc.Height)});
        return note("RestoreDeviceResources", Base::RestoreDeviceResources());
    }
    HRESULT AdvanceFrame() override {
        log.advanceTimes.push_back(this->m_time);
        return Base::AdvanceFrame();
    }
    HRESULT RenderFrame() override {
        ++log.renderCount;
        return Base::RenderFrame();
    }
    HRESULT InvalidateDeviceResources() override {
        return note("InvalidateDeviceResources", Base::InvalidateDeviceResources());
    }
    HRESULT DeleteDeviceResources() override {
        return note("DeleteDeviceResources", Base::DeleteDeviceResources());
    }
    HRESULT CleanupAppOnce() override { return note("CleanupAppOnce", Base::CleanupAppOnce()); }
    void Pause(bool pause) override {
        log.calls.push_back(pause ? "Pause(true)" : "Pause(false)");
        Base::Pause(pause);
    }
    LRESULT MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND)
            log.commands.push_back("MsgProc " + std::to_string(LOWORD(wParam)));
        return Base::MsgProc(hWnd, msg, wParam, lParam);
    }
    LRESULT MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_COMMAND)
            log.commands.push_back("MsgProcMain " + std::to_string(LOWORD(wParam)));
        return Base::MsgProcMain(hWnd, msg, wParam, lParam);
    }

    // The framework's state, read by the tests.
    HWND mainWindow() const { return this->m_hMainWnd; }
    HWND deviceWindow() const { return this->m_hDeviceWnd; }
    ImageGroup* texturePane() const { return this->m_texturePane; }
    IDirect3DDevice9* device() const { return this->m_pDevice; }
    IDirect3D9* direct3D() const { return this->m_pDirect3D; }
    bool active() const { return this->m_active; }
    bool animating() const { return this->m_animating; }
    bool singleStep() const { return this->m_singleStep; }
    bool windowed() const { return this->m_windowed; }
    const D3DSURFACE_DESC& backBuffer() const { return this->m_backBufferDesc; }
    const D3DPRESENT_PARAMETERS& presentParams() const { return this->m_presentParams; }
    const char* deviceStats() const { return this->m_deviceStats; }

private:
    HRESULT note(const char* call, HRESULT hr) {
        log.calls.push_back(call);
        return hr;
    }
};

struct RunOutcome {
    int exitCode = -1;
    bool endedByItself = false;   // false: the watchdog had to end a loop that did not end
};

// Runs app.Run() while `steps` execute one after another from a thread timer, `gapMs` apart,
// inside the loop. After the last step the loop has `timeoutMs` to end by itself; otherwise
// the watchdog destroys `mainWindow` and ends it. A main window left after the loop (Esc
// closes only the view) is destroyed before this returns.
RunOutcome RunWithSteps(CD3DApplication& app, HWND mainWindow,
                        std::vector<std::function<void()>> steps, int gapMs = 100,
                        int timeoutMs = 5000);

// Brings `window` to the front and types the keys as real input: each key of `keys` goes
// down in order and up in reverse order (e.g. {VK_MENU, 'X'} for Alt+X).
void PressKeys(HWND window, std::initializer_list<WORD> keys);
