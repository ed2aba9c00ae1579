#pragma once
// Meshes shaped like what users bring from scanners rather than from modelling tools.
#include <cstdint>

#include "graphics/mesh_content.h"

// A closed, bumpy blob cut out of a `resolution`^3 grid by marching tetrahedra, as surface
// reconstruction from a scan gives it: irregular triangles of every shape (slivers included),
// vertices of uneven valence, normals from the field's gradient, spherical texture
// coordinates. Triangles wind clockwise seen from outside. One white material naming
// "knot.bmp". 90 gives about 61,000 vertices and 123,000 triangles.
MeshContent makeScannedSurface(int resolution);

// Puts the triangles (with their attributes) in a random order, keeping each triangle's
// winding but starting it at a random corner; with `vertices` the vertices are renumbered in
// a random order too. The same seed gives the same order on every platform.
void scrambleMesh(MeshContent& mesh, uint32_t seed, bool vertices);
