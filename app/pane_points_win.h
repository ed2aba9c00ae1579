#pragma once
// Filling the texture pane with one point per vertex and the edges of every triangle. Point k
// belongs to vertex k.
#include <windows.h>

#include <vector>

#include "app/plane_projection.h"
#include "graphics/d3dx_win.h"
#include "viewer/image_group_win.h"

// Adds the edges (a, b), (a, c), (b, c) of every face when `addThem` is set. Faces with an
// index at or past vertexCount are left out, so the pane never holds an edge to no point.
// The edge list's lookup table is let go afterwards: no more edges come until the next load.
void addFaceEdges(ImageGroup& pane, const WORD* indices, DWORD faceCount, DWORD vertexCount,
                  bool addThem);

// Removes every point, then (when `addThem` is set) adds one point per entry at
// (W·s, H·t) of the active window's bitmap, every other field zero. With `checkerIfNoBitmap`
// (Project...), W and H are the checker's where no bitmap has a size (see paneBitmapSize).
void replacePanePoints(ImageGroup& pane, const std::vector<PlanePoint>& points, bool addThem,
                       bool checkerIfNoBitmap = false);

enum class PointWriteBack {
    Written,          // also when the pane has no points to write
    OtherLayout,      // the mesh's vertices are not of the edited layout
    NoBitmapSize,     // the bitmap has no width or height to divide by
    NoVertexBuffer,   // the vertex buffer could not be locked
};

// Writes point k of the pane as vertex k's texture coordinate: u = x / W, v = y / H + vOffset,
// for every k below both the vertex count and the pane's point count. When the points cannot
// be written, the mesh is left as it was and the result says why.
PointWriteBack writePanePointsToMesh(ImageGroup& pane, ID3DXMesh* mesh, float vOffset);

// Runs change() on the pane's points as one undo step named `label` ("Projection"): every
// command that moves points goes through here, so undo puts them back (see PointHistory).
// Without an active window there is no history, and change() runs alone.
template <typename Change> void recordPaneStep(ImageGroup& pane, const char* label, Change change)
{
    ImageWindow* window = pane.activeWindow();
    if (window)
        window->history.record(window->points, label, change);
    else
        change();
}
