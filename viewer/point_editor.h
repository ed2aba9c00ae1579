#pragma once
// The mouse editing of a window's points, free of any window: what a button press, a mouse
// move and a button release do to the points and to the shared edit state. The window layer
// decodes the messages, calls these and repaints afterwards; the repaint applies the motions
// that a drag step leaves pending.
#include "viewer/point_edit_state.h"
#include "viewer/point_list.h"

struct EditKeys {
    bool shift = false;
    bool ctrl = false;
};

// Button press at client (mx, my): without Shift or Ctrl the selection is cleared; a hit point
// is selected (Ctrl toggles it instead); a miss starts a rubber band. The pivot becomes the
// centroid of the selection in zoomed pixels.
void pressButton(PointList& points, PointEditState& state, const PaneView& view, EditKeys keys,
                 int mx, int my);

// Mouse move to client (mx, my): the band follows it and reselects, or, while the button is
// down, every selected point gets the move's delta as its pending motion in the current
// mode. Returns whether the window must repaint.
bool moveMouse(PointList& points, PointEditState& state, const PaneView& view, bool buttonDown,
               int mx, int my);

// Button release: ends the band, marks the selection kept and, with automatic update on,
// requests the write-back at the next paint.
void releaseButton(PointList& points, PointEditState& state, bool autoUpdate);
