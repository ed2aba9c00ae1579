#pragma once
// Writes a MeshContent as an X file that other readers accept: the standard templates, a
// Header, and one Mesh with MeshNormals, MeshTextureCoords and MeshVertexColors when the
// mesh has those channels, and a MeshMaterialList (one Material with its TextureFilename per
// material) when it has materials. Reading the file back gives the same MeshContent.
#include <cstdint>
#include <vector>

#include "graphics/mesh_content.h"

enum class XFileFormat { Text, Binary };   // binary: "0302", 32-bit floats

// Precondition: every index is below the vertex count, and every attribute below the
// material count when there are materials.
std::vector<uint8_t> writeXFile(const MeshContent& mesh, XFileFormat format);

// Writes the file in one atomic save (base/atomic_file.h): false when it could not be saved,
// and any earlier file at `path` is then left as it was.
bool saveXFile(const char* path, const MeshContent& mesh, XFileFormat format);
