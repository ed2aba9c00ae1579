#pragma once
// Bounding sphere of a set of points. Portable.
#include <cstdint>

#include "graphics/d3dx_math.h"

struct BoundingSphere {
    D3DXVECTOR3 center;
    float radius = 0;
};

// Centre = mean of the positions (three floats at the start of each vertex, `stride` bytes
// apart), radius = the largest distance from it. No vertices: centre (0, 0, 0), radius 0.
BoundingSphere computeBoundingSphere(const uint8_t* firstPosition, uint32_t vertexCount,
                                     uint32_t stride);
