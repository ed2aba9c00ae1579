#include "framework/error_report_win.h"

#include "framework/d3d_application_win.h"

#include <d3d9.h>
#include <cstring>

namespace {

bool s_fatalErrorReported = false;

struct ErrorMessage {
    HRESULT code;
    const char* text;
};

const ErrorMessage kMessages[] = {
    {APPERR_NO_DIRECT3D,
     "Could not initialize Direct3D. You may\nwant to check that the latest version of\n"
     "DirectX is correctly installed on your\nsystem.  Also make sure that this program\n"
     "was compiled with header files that match\nthe installed DirectX DLLs."},
    {APPERR_NO_COMPATIBLE_DEVICES, "Could not find any compatible Direct3D\ndevices."},
    {APPERR_NO_WINDOWABLE_DEVICES,
     "This sample cannot run in a desktop\nwindow with the current display settings.\n"
     "Please change your desktop settings to a\n16- or 32-bit display mode and re-run this\n"
     "sample."},
    {APPERR_NO_HARDWARE_DEVICE, "No hardware-accelerated Direct3D devices\nwere found."},
    {APPERR_HAL_NOT_COMPATIBLE,
     "This sample requires functionality that is\nnot available on your Direct3D hardware\n"
     "accelerator."},
    {APPERR_NO_WINDOWED_HAL,
     "Your Direct3D hardware accelerator cannot\nrender into a window.\n"
     "Press F2 while the app is running to see a\nlist of available devices and modes."},
    {APPERR_NO_DESKTOP_HAL,
     "Your Direct3D hardware accelerator cannot\nrender into a window with the current\n"
     "desktop display settings.\n"
     "Press F2 while the app is running to see a\nlist of available devices and modes."},
    {APPERR_NO_HAL_THIS_MODE,
     "This sample requires functionality that is\nnot available on your Direct3D hardware\n"
     "accelerator with the current desktop display\nsettings.\n"
     "Press F2 while the app is running to see a\nlist of available devices and modes."},
    {APPERR_MEDIA_NOT_FOUND, "Could not load required media."},
    {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "Could not load required media."},
    {APPERR_RESET_FAILED, "Could not reset the Direct3D device."},
    {APPERR_NONZERO_REFCOUNT,
     "A D3D object has a non-zero reference\ncount (meaning things were not properly\n"
     "cleaned up)."},
    {APPERR_NULL_REF_DEVICE,
     "Warning: Nothing will be rendered.\nThe reference rendering device was selected, but "
     "your\ncomputer only has a reduced-functionality reference device\ninstalled.  Install "
     "the Direct3D developer runtime to get the full\nreference device.\n"},
    {E_OUTOFMEMORY, "Not enough memory."},
    {D3DERR_OUTOFVIDEOMEMORY, "Not enough video memory."},
    {D3DERR_DRIVERINTERNALERROR, "A serious problem occured inside the display driver."},
};

const char kGenericMessage[] =
    "Generic application error. Enable\ndebug output for detailed information.";
const char kExitSentence[] = "\n\nThis sample will now exit.";
const char kReferenceSentence[] =
    "\n\nSwitching to the reference rasterizer,\na software device that implements the "
    "entire\nDirect3D feature set, but runs very slowly.";

void Append(char (&buffer)[512], const char* text) {
    strncat(buffer, text, sizeof(buffer) - 1 - strlen(buffer));
}

}  // namespace

const char* ErrorMessageText(HRESULT hr) {
    for (const ErrorMessage& message : kMessages) {
        if (message.code == hr)
            return message.text;
    }
    return kGenericMessage;
}

bool FatalErrorReported() { return s_fatalErrorReported; }

void resetFatalErrorReport() { s_fatalErrorReported = false; }

HRESULT ShowErrorMessage(HRESULT hr, DWORD kind, const char* caption, HWND deviceWindow) {
    if (s_fatalErrorReported)
        return hr;
    char message[512] = "";
    Append(message, ErrorMessageText(hr));
    if (hr == D3DERR_DRIVERINTERNALERROR)
        kind = ERRMSG_EXIT;
    if (kind == ERRMSG_EXIT) {
        s_fatalErrorReported = true;
        Append(message, kExitSentence);
        MessageBoxA(nullptr, message, caption, MB_ICONERROR | MB_OK);
        if (deviceWindow != nullptr)
            SendMessageA(deviceWindow, WM_CLOSE, 0, 0);
        return hr;
    }
    if (kind == ERRMSG_SWITCHED_TO_REF)
        Append(message, kReferenceSentence);
    MessageBoxA(nullptr, message, caption, MB_ICONWARNING | MB_OK);
    return hr;
}

HRESULT CD3DApplication::ReportError(HRESULT hr, DWORD kind) {
    return ShowErrorMessage(hr, kind, m_windowTitle, m_hDeviceWnd);
}
