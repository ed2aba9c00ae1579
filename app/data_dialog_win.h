#pragma once
// The procedure shared by the resource dialogs that are given their data as the dialog's
// parameter (DialogBoxParamA's last argument).
#include <windows.h>

// The handlers of one such dialog, all working on its Data:
//   Start(dialog, data) at WM_INITDIALOG;
//   Finish(dialog, data) at OK: true ends the dialog with 1, false keeps it open;
//   Command(dialog, data, wParam) for the other controls: whether it handled the message.
// Cancel ends the dialog with 0 and leaves the data as it was.
template <typename Data, void (*Start)(HWND, const Data&), bool (*Finish)(HWND, Data&),
          bool (*Command)(HWND, Data&, WPARAM)>
INT_PTR dataDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* data = reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Start(dialog, *reinterpret_cast<const Data*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (!data)
            return FALSE;
        if (LOWORD(wParam) == IDOK) {
            if (Finish(dialog, *data))
                EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return Command(dialog, *data, wParam) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}
