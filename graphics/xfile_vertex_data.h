#pragma once
// Reads the per-vertex data objects that carry whole vertex layouts: DeclData (a Direct3D 9
// vertex declaration and the packed vertices) and FVFData (a flexible-vertex-format code and
// the packed vertices without their positions). Normals (usage NORMAL, 3 floats), the first
// 2D texture coordinate and the diffuse colour are taken into the mesh, replacing what other
// objects gave; other elements are passed over.
#include "graphics/xfile_cursor.h"
#include "graphics/xfile_mesh_data.h"

// Most elements a declaration may have, as in Direct3D 9.
constexpr uint32_t kXFileMaxDeclElements = 64;

bool readDeclDataBody(XCursor& cursor, int depth, XMeshData& mesh);
bool readFvfDataBody(XCursor& cursor, int depth, XMeshData& mesh);
