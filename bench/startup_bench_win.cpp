// startup.first_frame_ms: from starting mapwell.exe to the first blue frame of its view on the
// screen, under Wine with the prefix and the wineserver already up; the best of 5 runs (what
// the program costs on a busy machine), and their median.
// Usage: StartupBench [output folder]; the program runs in that folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/program_process_win.h"

namespace {

const int kRuns = 5;
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
    ProgramProcess process;
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!StartProgram(process, program))
        return -1.0;
    double result = -1.0;
    if (WaitForMainWindow(process, kTimeoutMs)) {
        const DWORD end = GetTickCount() + kTimeoutMs;
        while (int(end - GetTickCount()) > 0) {
            RECT view;
            GetClientRect(process.deviceWindow, &view);
            if (view.right > 0 &&
                DeviceWindowPixel(process, view.right / 2, view.bottom / 2) == 0x0000FF) {
                QueryPerformanceCounter(&shown);
                result = Milliseconds(start, shown);
                break;
            }
            Sleep(1);
        }
        PostMessageA(process.mainWindow, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    }
    WaitForExit(process, kTimeoutMs);
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
