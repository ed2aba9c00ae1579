// The Options dialog: automatic update of the mesh, the pane's line colour and how often the
// bitmap is repeated across and down. Nothing is validated; the pane copes with any value.
#include "app/editor_dialogs_win.h"

#include <cstdio>
#include <cstdlib>

#include "viewer/viewer_settings.h"

namespace {

const char* const kLineColours[] = {"Black", "Red", "Green", "Blue"};
// Characters of an edit field's first line that are read.
const int kLineBufferSize = 100;

void writeNumber(HWND dialog, int control, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    SendDlgItemMessageA(dialog, control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

// The field's first line read as atoi reads it: 0 when it starts with no number.
int readNumber(HWND dialog, int control)
{
    char line[kLineBufferSize + 1] = {};
    // EM_GETLINE takes the buffer's size in its first word.
    *reinterpret_cast<WORD*>(line) = kLineBufferSize;
    const LRESULT length =
        SendDlgItemMessageA(dialog, control, EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    line[length >= 0 && length <= kLineBufferSize ? length : 0] = '\0';
    return atoi(line);
}

void initialise(HWND dialog)
{
    writeNumber(dialog, IDC_REPEAT_HORIZONTAL, g_repeatHorizontal);
    writeNumber(dialog, IDC_REPEAT_VERTICAL, g_repeatVertical);
    SendDlgItemMessageA(dialog, IDC_AUTO_UPDATE, BM_SETCHECK,
                        g_autoUpdateMesh ? BST_CHECKED : BST_UNCHECKED, 0);
    for (int i = 0; i < 4; ++i)
        SendDlgItemMessageA(dialog, IDC_LINE_COLOR, CB_INSERTSTRING, WPARAM(i),
                            reinterpret_cast<LPARAM>(kLineColours[i]));
    SendDlgItemMessageA(dialog, IDC_LINE_COLOR, CB_SETCURSEL, WPARAM(g_lineColorIndex), 0);
}

void store(HWND dialog)
{
    // A colour typed into the box's field selects nothing: CB_ERR (-1) is stored as it is.
    g_lineColorIndex = int(SendDlgItemMessageA(dialog, IDC_LINE_COLOR, CB_GETCURSEL, 0, 0));
    g_repeatHorizontal = readNumber(dialog, IDC_REPEAT_HORIZONTAL);
    g_repeatVertical = readNumber(dialog, IDC_REPEAT_VERTICAL);
}

} // namespace

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            store(dialog);
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        } else if (LOWORD(wParam) == IDC_AUTO_UPDATE && HIWORD(wParam) == BN_CLICKED) {
            g_autoUpdateMesh = SendDlgItemMessageA(dialog, IDC_AUTO_UPDATE, BM_GETCHECK, 0, 0) != 0;
        }
        return TRUE;
    default:
        return FALSE;
    }
}
