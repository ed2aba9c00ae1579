#include "graphics/normals.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "graphics/d3dx_math.h"

namespace {

D3DXVECTOR3 readVector(const uint8_t* at) {
    D3DXVECTOR3 v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

// The angle between two edges leaving a corner; 0 when either has no length.
float cornerAngle(const D3DXVECTOR3& toFirst, const D3DXVECTOR3& toSecond) {
    D3DXVECTOR3 first, second;
    D3DXVec3Normalize(&first, &toFirst);
    D3DXVec3Normalize(&second, &toSecond);
    const float cosine = D3DXVec3Dot(&first, &second);
    return std::acos(cosine < -1.0f ? -1.0f : cosine > 1.0f ? 1.0f : cosine);
}

}  // namespace

void computeNormals(uint8_t* vertices, uint32_t vertexCount, uint32_t stride,
                    uint32_t normalOffset, const uint16_t* indices, uint32_t faceCount) {
    std::vector<D3DXVECTOR3> sums(vertexCount);
    for (uint32_t face = 0; face < faceCount; ++face) {
        const uint16_t* corner = indices + 3 * size_t(face);
        if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount)
            continue;
        D3DXVECTOR3 p[3];
        for (int k = 0; k < 3; ++k) p[k] = readVector(vertices + size_t(corner[k]) * stride);
        const D3DXVECTOR3 edge1 = p[1] - p[0], edge2 = p[2] - p[0];
        D3DXVECTOR3 normal;
        D3DXVec3Cross(&normal, &edge1, &edge2);
        D3DXVec3Normalize(&normal, &normal);
        for (int k = 0; k < 3; ++k) {
            const float angle = cornerAngle(p[(k + 1) % 3] - p[k], p[(k + 2) % 3] - p[k]);
            sums[corner[k]] = sums[corner[k]] + normal * angle;
        }
    }
    for (uint32_t v = 0; v < vertexCount; ++v) {
        D3DXVECTOR3 normal;
        D3DXVec3Normalize(&normal, &sums[v]);
        std::memcpy(vertices + size_t(v) * stride + normalOffset, &normal, sizeof normal);
    }
}
