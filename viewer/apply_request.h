#pragma once
// How the texture pane hands its edited points to the application. The pane sets
// g_editState.applyRequested (apply command, or button release with automatic update); the
// paint that follows calls the handler installed here, twice in a row, and clears the request.
// The editor installs its write-back of the points into the mesh.

// Installs the write-back; null removes it (requests are then dropped at the paint).
void setApplyPointsHandler(void (*handler)());

// Runs the installed handler twice, if there is one.
void runApplyPointsHandler();
