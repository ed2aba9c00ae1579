#pragma once
// Reads Material and MeshMaterialList data objects.
#include "graphics/xfile_cursor.h"
#include "graphics/xfile_mesh_data.h"

// Reads the body of a Material (the cursor is after its header; the object was opened at
// `depth`) through its closing brace: face colour, power, specular and emissive colours,
// and the file name of a TextureFilename child.
bool readMaterialBody(XCursor& cursor, int depth, MeshMaterial& material);

// Reads the body of a MeshMaterialList of `mesh` (whose faces are read) into
// mesh.faceMaterials and mesh.materials. Faces past the list's face count take its last
// index. References are resolved in `named`.
bool readMaterialListBody(XCursor& cursor, int depth, const XNamedMaterials& named, XMeshData& mesh);
