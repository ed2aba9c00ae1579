#pragma once
// The framework's error codes and message kinds, and the message box behind
// CD3DApplication::ReportError.
#include <windows.h>

#define APPERR_NO_DIRECT3D           ((HRESULT)0x82000001L)
#define APPERR_NO_COMPATIBLE_DEVICES ((HRESULT)0x82000003L)
#define APPERR_NO_WINDOWABLE_DEVICES ((HRESULT)0x82000004L)
#define APPERR_NO_HARDWARE_DEVICE    ((HRESULT)0x82000005L)
#define APPERR_HAL_NOT_COMPATIBLE    ((HRESULT)0x82000006L)
#define APPERR_NO_WINDOWED_HAL       ((HRESULT)0x82000007L)
#define APPERR_NO_DESKTOP_HAL        ((HRESULT)0x82000008L)
#define APPERR_NO_HAL_THIS_MODE      ((HRESULT)0x82000009L)
#define APPERR_NONZERO_REFCOUNT      ((HRESULT)0x8200000aL)
#define APPERR_MEDIA_NOT_FOUND       ((HRESULT)0x8200000bL)
#define APPERR_RESET_FAILED          ((HRESULT)0x8200000cL)
#define APPERR_NULL_REF_DEVICE       ((HRESULT)0x8200000dL)

// Second argument of ReportError: what follows the message.
enum ErrorMessageKind : DWORD {
    ERRMSG_WARN = 0,             // warning box, the program goes on
    ERRMSG_EXIT = 1,             // error box, then the device window is closed
    ERRMSG_SWITCHED_TO_REF = 2,  // warning box that also says the reference device takes over
};

// The message shown for `hr` (without the exit or reference-device sentences).
const char* ErrorMessageText(HRESULT hr);

// Shows the message for `hr` in a box without owner captioned `caption`, and returns hr.
// D3DERR_DRIVERINTERNALERROR is always fatal. A fatal message sets s_fatalErrorReported and
// sends WM_CLOSE to `deviceWindow` when there is one; from then on every call is silent.
HRESULT ShowErrorMessage(HRESULT hr, DWORD kind, const char* caption, HWND deviceWindow);

// Whether a fatal message has been shown in this process (only the process-wide reset puts it
// back to false).
bool FatalErrorReported();
// Lets the next fatal message be shown again.
void resetFatalErrorReport();
