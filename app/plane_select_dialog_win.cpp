// The Plane Select dialog: three plane boxes that act as one radio group and the two mirror
// boxes. The choices go straight into the process-wide variables the projection reads.
#include "app/editor_dialogs_win.h"

#include "app/globals_win.h"
#include "app/plane_projection.h"

namespace {

const int kPlaneBoxes[] = {PlaneXY, PlaneYZ, PlaneXZ};

bool isChecked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void onBoxClicked(HWND dialog, HWND box)
{
    if (box == GetDlgItem(dialog, IDC_REVERSE_U)) {
        g_reverseU = isChecked(box);
        return;
    }
    if (box == GetDlgItem(dialog, IDC_REVERSE_V)) {
        g_reverseV = isChecked(box);
        return;
    }
    for (int id : kPlaneBoxes) {
        HWND plane = GetDlgItem(dialog, id);
        if (plane != box)
            SendMessageA(plane, BM_SETCHECK, BST_UNCHECKED, 0);
        else
            g_planeChoice = id;
    }
}

} // namespace

INT_PTR CALLBACK PlaneSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, PlaneXY, BM_SETCHECK, BST_CHECKED, 0);
        g_planeChoice = PlaneXY;
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
        } else if (LOWORD(wParam) == IDCANCEL) {
            g_planeChoice = PlaneNone;
            EndDialog(dialog, 0);
        } else if (HIWORD(wParam) == BN_CLICKED) {
            onBoxClicked(dialog, reinterpret_cast<HWND>(lParam));
        }
        return TRUE;
    default:
        return FALSE;
    }
}
