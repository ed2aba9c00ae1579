// Identifiers of the program's resources and commands, shared by the resource script and the
// code. Plain #defines because the resource compiler reads this file too.
#pragma once

// Resources.
#define IDI_MAIN_ICON 101
#define IDR_MAIN_ACCEL 113
#define IDR_MENU 141
#define IDB_TOOLBAR 146
#define IDD_PLANE_SELECT 148
#define IDD_OPTIONS 150
#define IDD_TRANSFORM 200
#define IDD_UV_LAYOUT 210
#define IDD_PROJECT 212

// Plane Select dialog.
#define IDC_XY_PLANE 1033
#define IDC_YZ_PLANE 1034
#define IDC_XZ_PLANE 1035
#define IDC_REVERSE_U 1036
#define IDC_REVERSE_V 1037

// Options dialog.
#define IDC_AUTO_UPDATE 1038
#define IDC_LINE_COLOR 1040
#define IDC_REPEAT_HORIZONTAL 1041
#define IDC_REPEAT_VERTICAL 1042

// UV Layout dialog.
#define IDC_LAYOUT_WIDTH 1150
#define IDC_LAYOUT_HEIGHT 1151
#define IDC_LAYOUT_OVER_BITMAP 1152

// Commands the framework handles.
#define IDM_CHANGEDEVICE 40002
#define IDM_TOGGLEFULLSCREEN 40003
#define IDM_TOGGLESTART 40004
#define IDM_SINGLESTEP 40005
#define IDM_EXIT 40006

// Commands of the editor: menu, accelerators, toolbar.
#define IDM_OPEN_FILE 40011
#define IDM_GRID_BASE 40013
#define IDM_DYNAMIC_MESH 40037
#define IDM_UNOPTIMIZED 40038
#define IDM_SINGLE_STRIP 40039
#define IDM_STRIPS 40040
#define IDM_32BYTE_VERTICES 40041
#define IDM_STRIP_REORDERED 40042
#define IDM_VCACHE_OPTIMIZED 40043
#define IDM_TRIANGLE_LISTS 40044
#define IDM_OPEN_BITMAP 40045
#define IDM_ZOOM_IN 40046
#define IDM_ZOOM_OUT 40047
#define IDM_SAVE 40048
#define IDM_CLOSE_BITMAP 40049
#define IDM_SAVE_AS 40050
#define IDM_CLOSE_FILE 40051
#define IDM_MAP_TEXTURE_COORDINATES 40052
#define IDM_OPTIONS 40053
#define IDM_APPLY_POINTS 40054
#define IDM_MOVE_POINTS 40055
#define IDM_SCALE_POINTS 40056
#define IDM_ROTATE_POINTS 40057
#define IDM_SELECT_ALL 40058

// Edit menu: undo history, flips and quarter turns, exact values, selection, snapping.
#define IDM_UNDO 40100
#define IDM_REDO 40101
#define IDM_FLIP_HORIZONTAL 40102
#define IDM_FLIP_VERTICAL 40103
#define IDM_ROTATE_CLOCKWISE 40104
#define IDM_ROTATE_COUNTERCLOCKWISE 40105
#define IDM_TRANSFORM 40106
#define IDM_SELECT_NONE 40107
#define IDM_INVERT_SELECTION 40108
#define IDM_SELECT_CONNECTED 40109
#define IDM_SELECT_STACKED 40110
#define IDM_GROW_SELECTION 40111
#define IDM_SNAP_TO_TEXELS 40112
// The selection count and pointer position at the menu bar's right end (never a command).
#define IDM_EDIT_STATUS 40113

// Transform dialog.
#define IDC_MOVE_X 1100
#define IDC_MOVE_Y 1101
#define IDC_ROTATE_DEGREES 1102
#define IDC_SCALE_X 1103
#define IDC_SCALE_Y 1104
#define IDC_SET_POSITION 1105
#define IDC_POSITION_X 1106
#define IDC_POSITION_Y 1107
#define IDC_POSITION_TEXELS 1108
#define IDC_POSITION_UV 1109

// File menu: exporting.
#define IDM_EXPORT 40140
#define IDM_EXPORT_UV_LAYOUT 40141

// Views of the texture: projections from the mesh's shape, the checker, the stretch tint.
#define IDM_PROJECT 40150
#define IDM_CHECKER 40151
#define IDM_STRETCH_VIEW 40152

// Project dialog.
#define IDC_PROJECT_BOX 1160
#define IDC_PROJECT_CYLINDER 1161
#define IDC_PROJECT_SPHERE 1162
#define IDC_PROJECT_VIEW 1163
#define IDC_AXIS_X 1164
#define IDC_AXIS_Y 1165
#define IDC_AXIS_Z 1166
#define IDC_PROJECT_REVERSE_U 1167
#define IDC_PROJECT_REVERSE_V 1168
