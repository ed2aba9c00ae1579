#pragma once
// Small index meshes for the strip, adjacency and normal tests.
#include <cstdint>
#include <random>
#include <vector>

struct IndexMesh {
    uint32_t vertexCount = 0;
    std::vector<uint32_t> corners;  // 3 per face
    size_t faceCount() const { return corners.size() / 3; }
};

// A columns x rows grid of quads, two triangles each.
IndexMesh gridMesh(uint32_t columns, uint32_t rows);
// The same grid closed in both directions (a torus): every edge has two faces.
IndexMesh torusMesh(uint32_t segments, uint32_t sides);
// Faces of random vertices, with distinct corners: many edges shared by 3 faces or more.
IndexMesh randomMesh(std::mt19937& random, uint32_t vertexCount, uint32_t faceCount);
// A grid with some faces dropped and some turned over.
IndexMesh damagedGrid(std::mt19937& random, uint32_t columns, uint32_t rows);
