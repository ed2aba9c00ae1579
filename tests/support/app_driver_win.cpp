#include "tests/support/app_driver_win.h"

#include <algorithm>

#include "base/com_ref.h"

void waitForDevice(IDirect3DDevice9* device) {
    ComRef<IDirect3DQuery9> query;
    if (!device || FAILED(device->CreateQuery(D3DQUERYTYPE_EVENT, query.put())))
        return;
    query->Issue(D3DISSUE_END);
    const DWORD start = GetTickCount();
    while (query->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE && GetTickCount() - start < 10000)
        Sleep(1);
}

std::vector<std::string> CallbackLog::lifecycle() const {
    std::vector<std::string> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
                 [](const std::string& call) { return call.rfind("Pause", 0) != 0; });
    return result;
}

namespace {

struct StepRun {
    std::vector<std::function<void()>> steps;
    std::function<void()> settle;
    std::function<bool()> hold;
    size_t next = 0;
    DWORD stepsEndedAt = 0;
    int timeoutMs = 0;
    HWND mainWindow = nullptr;
    bool watchdogFired = false;
    bool running = false;
};

StepRun s_run;

void CALLBACK StepTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (s_run.running)
        return;   // a step that runs a nested loop must not start the next one
    if (s_run.hold && s_run.hold())
        s_run.hold = nullptr;
    if (!s_run.hold && s_run.next < s_run.steps.size()) {
        s_run.running = true;
        s_run.settle();
        s_run.steps[s_run.next++]();
        s_run.running = false;
        s_run.stepsEndedAt = GetTickCount();
        return;
    }
    if (!s_run.watchdogFired && int(GetTickCount() - s_run.stepsEndedAt) > s_run.timeoutMs) {
        s_run.watchdogFired = true;
        if (IsWindow(s_run.mainWindow))
            DestroyWindow(s_run.mainWindow);
        PostQuitMessage(99);
    }
}

}  // namespace

void HoldUntil(std::function<bool()> ready) { s_run.hold = std::move(ready); }

RunOutcome RunWithSteps(CD3DApplication& app, HWND mainWindow,
                        std::vector<std::function<void()>> steps, std::function<void()> settle,
                        int gapMs, int timeoutMs) {
    s_run = StepRun{std::move(steps), std::move(settle), nullptr, 0, GetTickCount(), timeoutMs, mainWindow};
    const UINT_PTR timer = SetTimer(nullptr, 0, UINT(gapMs), StepTimerProc);
    RunOutcome outcome;
    outcome.exitCode = app.Run();
    KillTimer(nullptr, timer);
    outcome.endedByItself = !s_run.watchdogFired;
    // Esc closes only the view: the main window outlives the loop until the test ends it,
    // while the application object is still there to receive its last messages.
    if (IsWindow(mainWindow))
        DestroyWindow(mainWindow);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    return outcome;
}

void PressKeys(HWND window, std::initializer_list<WORD> keys) {
    SetForegroundWindow(window);
    SetFocus(window);
    std::vector<INPUT> inputs;
    auto put = [&inputs](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki = {key, WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), flags, 0, 0};
        inputs.push_back(input);
    };
    for (WORD key : keys)
        put(key, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        put(*key, KEYEVENTF_KEYUP);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}
