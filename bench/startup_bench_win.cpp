// startup.first_frame_ms: from starting mapwell.exe to the first blue frame of its view on the
// screen, under Wine with the prefix and the wineserver already up; the best of 5 runs (what
// the program costs on a busy machine), and their median.
// Usage: StartupBench [output folder]; the program runs in that folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/device_context_win.h"

namespace {

const int kRuns = 5;

// The program's "D3D Window Parent" main window, once it shows one.
struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (owner != search->processId || lstrcmpA(className, "D3D Window Parent") != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// Colour (0x00RRGGBB) the screen shows at client pixel (x, y) of another process's window.
uint32_t ScreenPixelOf(HWND window, int x, int y) {
    POINT onScreen = {x, y};
    ClientToScreen(window, &onScreen);
    const COLORREF colour = GetPixel(WindowDc(nullptr), onScreen.x, onScreen.y);
    return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}
const int kTimeoutMs = 60000;

// build/windows/bench/StartupBench.exe -> build/windows/mapwell.exe
std::string ProgramBesideBenchFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder = folder.substr(0, folder.find_last_of("\\/"));
    folder = folder.substr(0, folder.find_last_of("\\/"));
    return folder + "\\mapwell.exe";
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// One start: milliseconds to the first blue pixel at the view's centre, or -1.
double TimeOneStart(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1.0;
    double result = -1.0;
    WindowSearch search = {process.dwProcessId, nullptr};
    HWND view = nullptr;
    const DWORD end = GetTickCount() + kTimeoutMs;
    while (result < 0 && int(end - GetTickCount()) > 0) {
        if (!view) {
            EnumWindows(FindMainWindow, LPARAM(&search));
            view = search.found ? FindWindowExA(search.found, nullptr, "D3D Window", nullptr) : nullptr;
        }
        RECT client = {};
        if (view && GetClientRect(view, &client) && client.right > 0 &&
            ScreenPixelOf(view, client.right / 2, client.bottom / 2) == 0x0000FF) {
            QueryPerformanceCounter(&shown);
            result = Milliseconds(start, shown);
        }
        Sleep(1);
    }
    if (search.found)
        PostMessageA(search.found, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        SetCurrentDirectoryA(argv[1]);
    const std::string program = ProgramBesideBenchFolder();
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const double ms = TimeOneStart(program);
        if (ms < 0) {
            std::fprintf(stderr, "StartupBench: %s showed no blue view\n", program.c_str());
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("startup.first_frame_ms: %.0f ms\n", times[0]);
    std::printf("startup.first_frame_median_ms: %.0f ms\n", times[kRuns / 2]);
    return 0;
}
