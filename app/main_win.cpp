// The program's entry point and its application object.
#include <windows.h>
#include <commctrl.h>

#include "app/globals_win.h"
#include "app/my_d3d_application_win.h"

// Constructed before WinMain: the font exists before any window does.
static CMyD3DApplication s_application;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ResetProcessGlobals(instance);
    InitCommonControls();
    if (FAILED(s_application.Create(instance)))
        return 0;
    return s_application.Run();
}
