#pragma once
// Exact changes of the selected points, about the centre of their bounding box: flips, quarter
// turns and the typed move, rotation and scale. Positions are image pixels (texels of the
// bitmap); a point shares in the change when it is selected.
#include "viewer/point_list.h"

// p' = centre + linear * (p - centre) + offset, worked in double.
struct PointTransform {
    double xx = 1.0, xy = 0.0;
    double yx = 0.0, yy = 1.0;
    double offsetX = 0.0, offsetY = 0.0;
};

PointTransform flipHorizontally();
PointTransform flipVertically();
// A quarter turn as the user sees it on the pane, whose y runs down.
PointTransform quarterTurn(bool clockwise);
// Scale by the percentages, then turn by `degrees` (positive turns counter-clockwise on the
// pane, as angles do in the plane), then move by the offset in texels.
PointTransform typedTransform(double offsetX, double offsetY, double degrees, double scaleXPercent,
                              double scaleYPercent);

enum class TransformResult {
    Done,
    NothingSelected,
    NotFinite,   // some point would leave the float range: nothing was changed
};

// Applies `t` to every selected point; with `snap` each lands on whole texels (rounded). Either
// every selected point moves or none does.
TransformResult transformSelection(PointList& points, const PointTransform& t, bool snap);

// Puts every selected point at (x, y); NotFinite for a position that is not a finite number.
TransformResult placeSelection(PointList& points, double x, double y, bool snap);

// Rounds every selected point to whole texels (the end of a drag with snapping on).
void snapSelection(PointList& points);

int32_t selectedCount(const PointList& points);
