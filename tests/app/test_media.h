#pragma once
// Meshes and bitmaps the editor's suite writes into its own folder: small text X files and
// 24-bit BMPs, so that every test knows exactly what it opens.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

struct TestVertex {
    float x, y, z;
    float u, v;
};

struct TestMesh {
    std::vector<TestVertex> vertices;
    std::vector<uint32_t> corners;        // three per face
    std::vector<uint32_t> faceMaterials;  // one per face; empty means all material 0
    std::vector<std::string> textures;    // one per material; "" names no texture
};

// A square of side 2 in the z = 0 plane facing the viewer, two triangles; its texture
// coordinates run over [u0, u1] x [v0, v1].
TestMesh squareMesh(const std::string& texture, float u0, float u1, float v0, float v1);

// A cube of side 2 centred at the origin: eight shared corners, twelve triangles.
TestMesh cubeMesh(const std::string& texture);

// Writes `mesh` as a text X file (Mesh, MeshTextureCoords, MeshMaterialList).
void writeXFile(const std::string& name, const TestMesh& mesh);

// Writes a 24-bit BMP of 64 x 32 pixels: all `left` (0xRRGGBB), or its right half `right`.
void writeBitmap(const std::string& name, uint32_t left, uint32_t right);
void writeBitmap(const std::string& name, uint32_t colour);
