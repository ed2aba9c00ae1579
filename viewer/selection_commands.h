#pragma once
// The Edit menu's selection commands. A point's position in the list is its vertex number, as
// the edges name it; a selected point is also kept selected, as at the end of a rubber band.
#include <array>
#include <vector>

#include "viewer/edge_list.h"
#include "viewer/point_list.h"

void selectNone(PointList& points);
void invertSelection(PointList& points);

// One ring: every point that shares an edge with a selected point. With `untilClosed` the rings
// go on until none is added: the islands the selection touches.
void growSelection(PointList& points, const EdgeList& edges, bool untilClosed);

// Every point whose vertex sits at exactly the same 3D position as a selected one's (the
// copies of a vertex along a seam). `positions` holds one per vertex; points past it stay.
void selectStacked(PointList& points, const std::vector<std::array<float, 3>>& positions);
