#pragma once
// A closed tube around a (2, 3) torus knot: `segments` rings along the knot, `sides` vertices
// around each ring, no seam copies (segments * sides vertices, 2 * segments * sides
// triangles), unit normals pointing out of the tube, texture coordinates running four times
// along the knot and once around the tube. Triangles wind clockwise seen from outside, as
// Direct3D's default culling expects. One white material naming "knot.bmp".
#include "graphics/mesh_content.h"

MeshContent makeTorusKnot(int segments, int sides);
