// The Project dialog: which projection from the mesh's shape, about which axis, and whether
// to reverse u or v.
#include "app/editor_dialogs_win.h"
#include "app/data_dialog_win.h"

namespace {

// In the order of ProjectionKind and Axis.
const int kKindButtons[] = {IDC_PROJECT_BOX, IDC_PROJECT_CYLINDER, IDC_PROJECT_SPHERE, IDC_PROJECT_VIEW};
const int kAxisButtons[] = {IDC_AXIS_X, IDC_AXIS_Y, IDC_AXIS_Z};

template <size_t N> int checkedIndex(HWND dialog, const int (&buttons)[N])
{
    for (size_t k = 0; k < N; ++k)
        if (IsDlgButtonChecked(dialog, buttons[k]) == BST_CHECKED)
            return int(k);
    return 0;
}

// Only a cylinder and a sphere turn about an axis.
void offerAxis(HWND dialog)
{
    const ProjectionKind kind = ProjectionKind(checkedIndex(dialog, kKindButtons));
    const bool round = kind == ProjectionKind::Cylinder || kind == ProjectionKind::Sphere;
    for (int id : kAxisButtons)
        EnableWindow(GetDlgItem(dialog, id), round);
}

void start(HWND dialog, const ProjectDialogData& data)
{
    CheckDlgButton(dialog, kKindButtons[int(data.projection.kind)], BST_CHECKED);
    CheckDlgButton(dialog, kAxisButtons[int(data.projection.axis)], BST_CHECKED);
    CheckDlgButton(dialog, IDC_PROJECT_REVERSE_U, data.reverseU ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PROJECT_REVERSE_V, data.reverseV ? BST_CHECKED : BST_UNCHECKED);
    offerAxis(dialog);
}

bool finish(HWND dialog, ProjectDialogData& data)
{
    data.projection.kind = ProjectionKind(checkedIndex(dialog, kKindButtons));
    data.projection.axis = Axis(checkedIndex(dialog, kAxisButtons));
    data.reverseU = IsDlgButtonChecked(dialog, IDC_PROJECT_REVERSE_U) == BST_CHECKED;
    data.reverseV = IsDlgButtonChecked(dialog, IDC_PROJECT_REVERSE_V) == BST_CHECKED;
    return true;
}

// A kind of projection chosen: the axis is offered or not.
bool command(HWND dialog, ProjectDialogData&, WPARAM wParam)
{
    for (int id : kKindButtons)
        if (LOWORD(wParam) == id) {
            offerAxis(dialog);
            return true;
        }
    return false;
}

} // namespace

INT_PTR CALLBACK ProjectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dataDialogProc<ProjectDialogData, start, finish, command>(dialog, message, wParam, lParam);
}
