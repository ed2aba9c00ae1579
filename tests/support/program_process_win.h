#pragma once
// Starts the real program, build/windows/mapwell.exe, as its own process and finds its windows,
// for the tests and the start-up benchmark that look at the program from outside.
#include <windows.h>

#include <string>

struct ProgramProcess {
    PROCESS_INFORMATION info = {};
    HWND mainWindow = nullptr;     // "D3D Window Parent", found by WaitForMainWindow
    HWND deviceWindow = nullptr;   // its "D3D Window" child
};

// The program's path, mapwell.exe in the build tree, as a Windows path.
std::string ProgramPath();

// Starts the program at `path` (ProgramPath() by default) in the current folder. False when
// it cannot be started.
bool StartProgram(ProgramProcess& process, const std::string& path = ProgramPath());

// Waits up to `timeoutMs` for the program's main window and its device window.
bool WaitForMainWindow(ProgramProcess& process, int timeoutMs);

// Colour (0x00RRGGBB) the screen shows at the device window's client pixel (x, y).
uint32_t DeviceWindowPixel(const ProgramProcess& process, int x, int y);
// Colour (0x00RRGGBB) the screen shows at client pixel (x, y) of any window.
uint32_t ScreenPixelOf(HWND window, int x, int y);

// Waits up to `timeoutMs` for the process to end; its exit code, or -1 on timeout (the process
// is then terminated).
int WaitForExit(ProgramProcess& process, int timeoutMs);
