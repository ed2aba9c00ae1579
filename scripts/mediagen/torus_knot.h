#pragma once
// A closed tube around a (2, 3) torus knot: `segments` rings along the knot, `sides` vertices
// around each ring (segments * sides vertices, 2 * segments * sides triangles), unit normals
// pointing out of the tube, texture coordinates running four times along the knot and once
// around the tube (v from -1 to 0, as the program keeps v in X files). Triangles wind clockwise
// seen from outside, as Direct3D's default culling expects. One white material naming
// "knot.bmp".
// Without seam copies the last ring and side connect back to the first ones, so the texture
// coordinates jump there. With them the first ring and side are repeated at the end with the
// same positions and normals and u = 4, v = 0 ((segments + 1) * (sides + 1) vertices), so the
// texture runs on without a jump: what a mesh to be edited in texture space wants.
#include "graphics/mesh_content.h"

MeshContent makeTorusKnot(int segments, int sides, bool seamCopies = false);

// Gives every face of `mesh` one white material naming "knot.bmp", the media's bitmap.
void giveKnotMaterial(MeshContent& mesh);
