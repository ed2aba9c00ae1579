#include "tests/support/program_process_win.h"

#include "base/device_context_win.h"
#include "tests/support/tree_paths.h"

std::string ProgramPath() {
    std::string path = binaryPath("mapwell.exe");
    // CTest hands a Unix path; Wine sees the Unix root as drive Z:.
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool StartProgram(ProgramProcess& process, const std::string& path) {
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process.info) != 0;
}

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (owner == search->processId && lstrcmpA(className, "D3D Window Parent") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitForMainWindow(ProgramProcess& process, int timeoutMs) {
    const DWORD end = GetTickCount() + DWORD(timeoutMs);
    do {
        Search search = {process.info.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, LPARAM(&search));
        if (search.found) {
            process.mainWindow = search.found;
            process.deviceWindow = FindWindowExA(search.found, nullptr, "D3D Window", nullptr);
            if (process.deviceWindow)
                return true;
        }
        Sleep(2);
    } while (int(end - GetTickCount()) > 0);
    return false;
}

uint32_t DeviceWindowPixel(const ProgramProcess& process, int x, int y) {
    return ScreenPixelOf(process.deviceWindow, x, y);
}

uint32_t ScreenPixelOf(HWND window, int x, int y) {
    // Read from the screen: another process's window surface is not ours to read.
    POINT onScreen = {x, y};
    ClientToScreen(window, &onScreen);
    const COLORREF colour = GetPixel(WindowDc(nullptr), onScreen.x, onScreen.y);
    return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 |
           uint32_t(GetBValue(colour));
}

int WaitForExit(ProgramProcess& process, int timeoutMs) {
    int result = -1;
    if (WaitForSingleObject(process.info.hProcess, DWORD(timeoutMs)) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.info.hProcess, &code);
        result = int(code);
    } else {
        TerminateProcess(process.info.hProcess, 1);
    }
    CloseHandle(process.info.hProcess);
    CloseHandle(process.info.hThread);
    process.info = {};
    return result;
}
