#pragma once
// Selection geometry of the texture pane: which point a click hits, the centroid of the
// selection and the points a rubber band covers. All walks go by position and leave the
// list's read cursor alone.
#include "viewer/point_edit_state.h"
#include "viewer/point_list.h"

#include <cstdint>

// Half-size of the square around a point in which a click can hit it, in zoomed pixels.
constexpr float kHitBoxHalfSize = 10.0f;
// A hit must be strictly nearer than this, in zoomed pixels.
constexpr float kLargestPickDistance = 20.0f;

// Position in `points` of the point nearest to `click` (zoomed pixels) among those whose
// zoomed position lies strictly inside the hit box around the click; of equally near points
// the first. -1 when no point is in reach.
int32_t pickPoint(const PointList& points, FloatPair click, float zoom);

// Mean x and y of the selected points, in image pixels. False (and `mean` untouched) when no
// point is selected.
bool selectionCentroid(const PointList& points, FloatPair& mean);

// Selects every point whose client position lies strictly inside the band spanned by the two
// corners, and deselects every other point that is not marked keepSelected.
void selectInsideBand(PointList& points, FloatPair cornerA, FloatPair cornerB, const PaneView& view);
