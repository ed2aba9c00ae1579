#pragma once
// A mesh as a file holds it, before it becomes a device mesh: flat arrays, one entry per
// vertex or per face. The X-file reader fills it, the X-file writer reads it, and the device
// glue (D3DXLoadMeshFromX / D3DXSaveMeshToX) converts it to and from a mesh object.
#include <cstdint>
#include <string>
#include <vector>

struct MeshMaterial {
    float diffuse[4] = {0, 0, 0, 1};   // r, g, b, a
    float power = 0;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    std::string textureFile;           // empty when the material names no texture
};

struct MeshContent {
    std::vector<float> positions;      // 3 per vertex
    std::vector<float> normals;        // 3 per vertex, or empty
    std::vector<float> texcoords;      // 2 per vertex (u, v), or empty
    std::vector<uint32_t> colors;      // 1 ARGB per vertex, or empty
    std::vector<uint32_t> indices;     // 3 per triangle, each below vertexCount()
    std::vector<uint32_t> attributes;  // 1 material index per triangle
    std::vector<MeshMaterial> materials;

    uint32_t vertexCount() const { return uint32_t(positions.size() / 3); }
    uint32_t faceCount() const { return uint32_t(indices.size() / 3); }
};
