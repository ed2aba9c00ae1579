#pragma once
// The editor's two resource dialogs. Both end with 1 for OK and 0 for Cancel and keep their
// choices in process-wide variables.
#include <windows.h>

#include "resources/resource.h"

// Plane Select (148): the plane boxes 1033 to 1035 (xy, yz, xz) behave as one radio group and
// set g_planeChoice; 1036 and 1037 set g_reverseU and g_reverseV. Starts with xy chosen;
// Cancel sets the choice to none.
INT_PTR CALLBACK PlaneSelectDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Options (150): shows the automatic update, line colour and repeat counts. OK stores the
// colour and both counts; the check box takes effect when clicked, even if then cancelled.
INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
