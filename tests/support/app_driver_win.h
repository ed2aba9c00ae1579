#pragma once
// Drives a real CD3DApplication in the test's own process: a recording subclass that logs the
// framework's callbacks and can render single frames, and a runner that executes test steps
// from a timer inside the application's own message loop.
//
// Under Wine, Direct3D carries out a frame's Present later, on its own thread. A window call
// made meanwhile (showing, sizing or capturing a window) can block both threads for good inside
// Wine's X11 driver, and a blocked loop never reaches the watchdog. So the frames the loop drew
// before each step, and every frame a test renders itself, are waited for (`waitForDevice`).
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/d3d_application_win.h"

// Waits until the device has carried out every command given so far (at most 10 s).
void waitForDevice(IDirect3DDevice9* device);

struct CallbackLog {
    std::vector<std::string> calls;         // lifecycle callbacks and pauses, in order
    std::vector<SIZE> restoredBackBuffers;  // back-buffer size at each RestoreDeviceResources
    std::vector<float> advanceTimes;        // m_time at each AdvanceFrame
    int renderCount = 0;
    std::vector<std::string> commands;      // "MsgProc 40006", "MsgProcMain 40006", ...

    int count(const std::string& call) const { return int(std::count(calls.begin(), calls.end(), call)); }
    std::vector<std::string> lifecycle() const;   // the calls without the pauses
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

    // One step of the loop's idle time (advance, render, present), waited for.
    HRESULT step() {
        const HRESULT hr = this->RenderStep();
        waitForDevice(device());
        return hr;
    }

    HWND mainWindow() const { return this->m_hMainWnd; }
    HWND deviceWindow() const { return this->m_hDeviceWnd; }
    ImageGroup* texturePane() const { return this->m_texturePane; }
    IDirect3DDevice9* device() const { return this->m_pDevice; }
    IDirect3D9* direct3D() const { return this->m_pDirect3D; }
    bool active() const { return this->m_active; }
    bool animating() const { return this->m_animating; }
    bool windowed() const { return this->m_windowed; }
    const D3DSURFACE_DESC& backBuffer() const { return this->m_backBufferDesc; }
    const D3DPRESENT_PARAMETERS& presentParams() const { return this->m_presentParams; }
    const char* deviceStats() const { return this->m_deviceStats; }
    const char* frameStats() const { return this->m_frameStats; }

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
// inside the loop; `settle` runs before each step. After the last step (or while a step holds
// the next one) the loop has `timeoutMs`; then the watchdog destroys `mainWindow` and ends it.
// A main window left after the loop (Esc closes only the view) is destroyed before returning.
RunOutcome RunWithSteps(CD3DApplication& app, HWND mainWindow,
                        std::vector<std::function<void()>> steps, std::function<void()> settle,
                        int gapMs = 100, int timeoutMs = 5000);

// The same for a Recording, whose frames are waited for before each step.
template <class Base>
RunOutcome RunWithSteps(Recording<Base>& app, HWND mainWindow,
                        std::vector<std::function<void()>> steps, int gapMs = 100,
                        int timeoutMs = 5000) {
    return RunWithSteps(static_cast<CD3DApplication&>(app), mainWindow, std::move(steps),
                        [&app] { waitForDevice(app.device()); }, gapMs, timeoutMs);
}

// Called from a step: the next step waits until `ready()` is true, so that a step that depends
// on real input reaching the program does not depend on how quickly it arrives.
void HoldUntil(std::function<bool()> ready);

// Brings `window` to the front and types the keys as real input: each key of `keys` goes
// down in order and up in reverse order (e.g. {VK_MENU, 'X'} for Alt+X).
void PressKeys(HWND window, std::initializer_list<WORD> keys);
