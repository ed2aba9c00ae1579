#pragma once
// Reads a Mesh data object with its children: MeshNormals, MeshTextureCoords,
// MeshVertexColors, MeshMaterialList, DeclData, FVFData and VertexDuplicationIndices; other
// children are skipped. Every index is checked against the array it points into.
#include "graphics/xfile_cursor.h"
#include "graphics/xfile_mesh_data.h"

// Reads the body of a Mesh opened at `depth` through its closing brace.
bool readMeshBody(XCursor& cursor, int depth, const XNamedMaterials& named, XMeshData& mesh);
