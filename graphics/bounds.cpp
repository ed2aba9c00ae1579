#include "graphics/bounds.h"

#include <cmath>
#include <cstring>

namespace {

D3DXVECTOR3 positionAt(const uint8_t* first, uint32_t vertex, uint32_t stride) {
    D3DXVECTOR3 position;
    std::memcpy(&position, first + size_t(vertex) * stride, sizeof position);
    return position;
}

}  // namespace

BoundingSphere computeBoundingSphere(const uint8_t* firstPosition, uint32_t vertexCount,
                                     uint32_t stride) {
    BoundingSphere sphere;
    if (vertexCount == 0) return sphere;
    // Sum in double: 60,000 float additions would otherwise drift.
    double sum[3] = {0, 0, 0};
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const D3DXVECTOR3 p = positionAt(firstPosition, v, stride);
        sum[0] += p.x;
        sum[1] += p.y;
        sum[2] += p.z;
    }
    sphere.center = {float(sum[0] / vertexCount), float(sum[1] / vertexCount),
                     float(sum[2] / vertexCount)};
    float largestSquare = 0;
    for (uint32_t v = 0; v < vertexCount; ++v) {
        const D3DXVECTOR3 offset = positionAt(firstPosition, v, stride) - sphere.center;
        const float square = D3DXVec3Dot(&offset, &offset);
        if (square > largestSquare) largestSquare = square;
    }
    sphere.radius = std::sqrt(largestSquare);
    return sphere;
}
