#pragma once
// The editing state shared by every image window of the program: the drag mode chosen on the
// toolbar, the rubber band, the last mouse position, the pivot of rotate and scale, and the
// pending request to write the points back into the mesh. One instance, GUI thread only.
#include "viewer/image_point.h"

#include <cstdint>

struct FloatPair {
    float x = 0.0f;
    float y = 0.0f;
};

struct PointEditState {
    int32_t editMode = MotionMove;   // a MotionKind
    bool bandActive = false;
    FloatPair bandStart;             // band corners in client pixels
    FloatPair bandEnd;
    FloatPair lastMouse;             // client position of the previous mouse move
    FloatPair pivot;                 // centroid of the selection in zoomed pixels
    bool applyRequested = false;     // the next paint hands the points to the application
};

extern PointEditState g_editState;

// Puts the shared editing state back to its start: move mode, no band, nothing requested.
void resetEditState();

// How a window maps its points to the client area: client = image * zoom - scroll.
struct PaneView {
    float zoom = 1.0f;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
};
