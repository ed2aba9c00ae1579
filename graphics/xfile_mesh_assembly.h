#pragma once
// Turns one Mesh as read from a file into triangles and appends it to a MeshContent.
#include "graphics/mesh_content.h"
#include "graphics/xfile_mesh_data.h"
#include "graphics/xfile_reader.h"

// Appends `mesh` to `out`: polygons become fans (0, i, i+1); vertex p of the file stays vertex
// p of the mesh (offset by the vertices already in `out`), taking the normal of its first
// corner; a corner with another normal for the same position gets a copy of the vertex,
// appended after the file's vertices. Texture coordinates and colours follow the position.
// Channels that only one of `out` and `mesh` has are filled with zeros (white for colours)
// for the other's vertices. Face attributes are the mesh's material indices offset by the
// materials already in `out`, and its materials are appended. Returns Ok, or Unsupported when
// the vertex count would pass 32 bits. The arrays of `mesh` may be taken over (moved), so
// only its counts are to be read afterwards.
XReadStatus appendMesh(XMeshData& mesh, MeshContent& out);

// Faces [first, end) of a merged mesh whose Mesh had no material list.
struct XFaceRange {
    uint32_t first;
    uint32_t end;
};

// When the merged mesh has materials at all, gives the faces of meshes that had none one
// white material of their own, so that every attribute indexes a material.
void giveDefaultMaterial(const std::vector<XFaceRange>& unmaterialled, MeshContent& out);
