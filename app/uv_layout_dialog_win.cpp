// The UV Layout dialog: the picture's size (the bitmap's to start with) and whether the edges
// go over the bitmap.
#include "app/editor_dialogs_win.h"

#include "graphics/image.h"

namespace {

bool readSide(HWND dialog, int control, int& side)
{
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, control, &ok, FALSE);
    if (!ok || value < 1 || value > kMaxImageSide)
        return false;
    side = int(value);
    return true;
}

} // namespace

INT_PTR CALLBACK UvLayoutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* choice = reinterpret_cast<UvLayoutChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        choice = reinterpret_cast<UvLayoutChoice*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemInt(dialog, IDC_LAYOUT_WIDTH, UINT(choice->width), FALSE);
        SetDlgItemInt(dialog, IDC_LAYOUT_HEIGHT, UINT(choice->height), FALSE);
        CheckDlgButton(dialog, IDC_LAYOUT_OVER_BITMAP, choice->overBitmap ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, IDC_LAYOUT_OVER_BITMAP), choice->bitmapShown);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            UvLayoutChoice typed = *choice;
            if (!readSide(dialog, IDC_LAYOUT_WIDTH, typed.width) ||
                !readSide(dialog, IDC_LAYOUT_HEIGHT, typed.height) ||
                uint64_t(typed.width) * uint64_t(typed.height) > kMaxImagePixels) {
                MessageBoxA(dialog, "Width and height must each be a whole number from 1 to 16384, "
                            "at most 67108864 pixels in all.", "Export UV Layout", MB_OK);
                return TRUE;
            }
            typed.overBitmap = typed.bitmapShown &&
                               IsDlgButtonChecked(dialog, IDC_LAYOUT_OVER_BITMAP) == BST_CHECKED;
            *choice = typed;
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
