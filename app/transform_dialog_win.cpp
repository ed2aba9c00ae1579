// The Transform dialog: move, rotate and scale the selection by typed amounts, or, with one
// point selected, put that point at a typed position in texels or in u, v.
#include "app/editor_dialogs_win.h"
#include "app/data_dialog_win.h"

#include <cstdio>
#include <string>

namespace {

const int kPositionControls[] = {IDC_SET_POSITION, IDC_POSITION_X, IDC_POSITION_Y,
                                 IDC_POSITION_TEXELS, IDC_POSITION_UV};

std::string itemText(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

void setNumber(HWND dialog, int id, double value)
{
    char text[64];
    snprintf(text, sizeof(text), "%.9g", value);
    SetDlgItemTextA(dialog, id, text);
}

bool checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void start(HWND dialog, const TransformDialogData& data)
{
    SetDlgItemTextA(dialog, IDC_MOVE_X, "0");
    SetDlgItemTextA(dialog, IDC_MOVE_Y, "0");
    SetDlgItemTextA(dialog, IDC_ROTATE_DEGREES, "0");
    SetDlgItemTextA(dialog, IDC_SCALE_X, "100");
    SetDlgItemTextA(dialog, IDC_SCALE_Y, "100");
    CheckDlgButton(dialog, IDC_POSITION_TEXELS, BST_CHECKED);
    setNumber(dialog, IDC_POSITION_X, data.pointX);
    setNumber(dialog, IDC_POSITION_Y, data.pointY);
    for (int id : kPositionControls)
        EnableWindow(GetDlgItem(dialog, id), data.onePoint);
}

// The position boxes say the same place in the other unit when the unit changes.
void convertPosition(HWND dialog, const TransformDialogData& data, bool toUV)
{
    if (data.bitmapWidth <= 0 || data.bitmapHeight <= 0)
        return;
    TransformEntries entries;
    entries.setPosition = true;
    entries.positionX = itemText(dialog, IDC_POSITION_X);
    entries.positionY = itemText(dialog, IDC_POSITION_Y);
    TransformValues values;
    if (!readTransformEntries(entries, values).empty())
        return;
    const double w = data.bitmapWidth, h = data.bitmapHeight;
    setNumber(dialog, IDC_POSITION_X, toUV ? values.positionX / w : values.positionX * w);
    setNumber(dialog, IDC_POSITION_Y, toUV ? values.positionY / h : values.positionY * h);
}

bool finish(HWND dialog, TransformDialogData& data)
{
    TransformEntries entries;
    entries.moveX = itemText(dialog, IDC_MOVE_X);
    entries.moveY = itemText(dialog, IDC_MOVE_Y);
    entries.degrees = itemText(dialog, IDC_ROTATE_DEGREES);
    entries.scaleX = itemText(dialog, IDC_SCALE_X);
    entries.scaleY = itemText(dialog, IDC_SCALE_Y);
    entries.setPosition = data.onePoint && checked(dialog, IDC_SET_POSITION);
    entries.positionX = itemText(dialog, IDC_POSITION_X);
    entries.positionY = itemText(dialog, IDC_POSITION_Y);
    const std::string problem = readTransformEntries(entries, data.values);
    if (!problem.empty()) {
        MessageBoxA(dialog, problem.c_str(), "Transform", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

// The unit boxes: the position boxes say the same place in the other unit when it changes.
bool command(HWND dialog, TransformDialogData& data, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (id != IDC_POSITION_TEXELS && id != IDC_POSITION_UV)
        return false;
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_POSITION_UV) != data.positionInUV) {
        data.positionInUV = !data.positionInUV;
        convertPosition(dialog, data, data.positionInUV);
    }
    return true;
}

} // namespace

INT_PTR CALLBACK TransformDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dataDialogProc<TransformDialogData, start, finish, command>(dialog, message, wParam, lParam);
}
