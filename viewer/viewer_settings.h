#pragma once
// Process-wide settings shared by the texture pane and the editor. The editor's dialogs and
// key handling write them; the pane reads them while it lays out, paints and edits.

// Apply the edited points to the mesh after every drag (Options dialog).
extern bool g_autoUpdateMesh;
// Wireframe colour of the pane: 0 black, 1 red, 2 green, 3 blue; other values keep the pen.
extern int g_lineColorIndex;
// The wireframe colour of that setting as 0xRRGGBB (black for the other values).
unsigned wireframeColour();
// How often the bitmap is tiled across and down the pane (both 2 at start).
extern int g_repeatHorizontal;
extern int g_repeatVertical;
// The pane's points match the mesh and may be drawn with their edges.
extern bool g_pointsReady;
// Drags, nudges and typed moves land on whole texels (Edit menu's Snap to Texels).
extern bool g_snapToTexels;
// The checker is shown instead of the bitmap, in the pane and on the mesh (the Checker item);
// where there is no bitmap it is shown anyway.
extern bool g_checkerShown;
// Each triangle in the pane is tinted by how its share of the texture differs from the mesh's
// (the Stretch View item).
extern bool g_stretchShown;
// Shift and Ctrl are held down (they extend or toggle the selection).
extern bool shiftDown;
extern bool ctrlDown;

// Puts every setting above back to its start value.
void resetViewerSettings();
