#pragma once
// The marker mesh: a cube of side 2 centred at the origin, four vertices per side so that
// each side has its own normal and a full 0..1 texture square; 24 vertices, 12 triangles,
// clockwise seen from outside. No material.
#include "graphics/mesh_content.h"

MeshContent makeCube();
