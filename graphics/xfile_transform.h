#pragma once
// Moves vertices by a Frame's matrix.
#include <cstdint>

#include "graphics/mesh_content.h"

// Transforms vertices [first, vertexCount) of `mesh` by the 4x4 row-vector matrix `m` (row
// order, translation in the fourth row): positions by the whole matrix, normals by its upper
// 3x3 part and then made unit length again (zero normals stay zero). Returns false when a
// result is not finite (the values are then left as they came out).
bool transformVertices(MeshContent& mesh, uint32_t first, const float m[16]);
