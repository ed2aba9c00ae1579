#pragma once
// One Mesh data object as the file holds it, before its polygons become triangles and its
// per-corner normals split vertices.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "graphics/mesh_content.h"

struct XMeshData {
    std::vector<float> positions;          // 3 per vertex
    std::vector<uint32_t> faceSizes;       // corner count of each polygon (3 or more)
    std::vector<uint32_t> corners;         // position index of every corner, polygon by polygon
    std::vector<float> normalList;         // MeshNormals: 3 per normal
    std::vector<uint32_t> normalCorners;   // MeshNormals: normal index per corner, or empty
    std::vector<float> vertexNormals;      // DeclData / FVFData: 3 per vertex, or empty
    std::vector<float> texcoords;          // 2 per vertex, or empty
    std::vector<uint32_t> colors;          // ARGB per vertex, or empty
    std::vector<uint32_t> faceMaterials;   // material per polygon, or empty
    std::vector<MeshMaterial> materials;

    uint32_t vertexCount() const { return uint32_t(positions.size() / 3); }
    uint32_t faceCount() const { return uint32_t(faceSizes.size()); }
};

// Materials defined at the top level of a file, by name, for {Name} references.
using XNamedMaterials = std::unordered_map<std::string, MeshMaterial>;
