#pragma once
// Which faces share an edge. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

const uint32_t kNoNeighbour = 0xFFFFFFFF;

// corners: 3 vertex ids per face. Returns 3 entries per face: the face across the edges
// (c0, c1), (c1, c2), (c2, c0), i.e. the one other face that has the same edge in the opposite
// direction; kNoNeighbour on a border, on an edge shared by more than two faces or wound the
// same way, and on every edge of a face with a repeated corner or a corner not below
// vertexCount.
std::vector<uint32_t> faceAdjacency(const uint32_t* corners, size_t faceCount,
                                    uint32_t vertexCount);

// For each vertex, the lowest-numbered vertex at exactly the same position (x, y, z floats at
// the start of each vertex), so that faces meeting at texture seams count as neighbours.
std::vector<uint32_t> pointRepresentatives(const uint8_t* firstVertex, uint32_t vertexCount,
                                           uint32_t stride);
