#pragma once
// The editor's resource dialogs. They end with 1 for OK and 0 for Cancel and keep their
// choices in process-wide variables.
#include <windows.h>

#include "app/transform_entries.h"
#include "graphics/surface_projection.h"
#include "resources/resource.h"

// Plane Select (148): the plane boxes 1033 to 1035 (xy, yz, xz) behave as one radio group and
// set g_planeChoice; 1036 and 1037 set g_reverseU and g_reverseV. Starts with xy chosen;
// Cancel sets the choice to none.
INT_PTR CALLBACK PlaneSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Options (150): shows the automatic update, line colour and repeat counts. OK stores the
// colour and both counts; the check box takes effect when clicked, even if then cancelled.
INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Transform (200), given a TransformDialogData as the dialog's parameter: the move, rotation
// and scale boxes, and with one point selected the boxes that set its position. OK checks every
// entry and, while one is bad, says which and stays open; Cancel changes nothing.
struct TransformDialogData {
    bool onePoint = false;              // the position boxes are offered
    double pointX = 0, pointY = 0;      // that point, in texels
    int bitmapWidth = 0, bitmapHeight = 0;
    TransformValues values;             // what OK read
    bool positionInUV = false;          // the position boxes hold u, v rather than texels
};
INT_PTR CALLBACK TransformDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// What Export UV Layout asks before it asks for the file.
struct UvLayoutChoice {
    int width = 0, height = 0;   // of the picture
    bool bitmapShown = false;    // the pane shows a bitmap the edges may go over
    bool overBitmap = false;
};

// UV Layout (210): the picture's width and height (1150, 1151; 1 to 16384 each) and whether
// the edges go over the bitmap (1152, only when one is shown), for the UvLayoutChoice given
// as the dialog's parameter. OK with a size out of range says so and keeps the dialog open;
// OK ends it with IDOK and the choice filled, Cancel with IDCANCEL.
INT_PTR CALLBACK UvLayoutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Project (212), given a ProjectDialogData as the dialog's parameter: the kind of projection,
// the axis (offered for the cylinder and the sphere only) and the two reversing boxes. Starts
// with the data's choice; OK stores what is checked, Cancel leaves the data as it was.
struct ProjectDialogData {
    SurfaceProjection projection;
    bool reverseU = false;
    bool reverseV = false;
};
INT_PTR CALLBACK ProjectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
