// errorBox on Windows: a modal message box without owner.
#include <windows.h>

#include "threeds/diagnostics.h"

int errorBox(const char* text)
{
    return MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONERROR);
}
