#include "graphics/surface_projection.h"

#include <algorithm>
#include <cmath>

#include "graphics/normals.h"

namespace {

constexpr float kPi = 3.14159265358979f;

// Directions around an axis: the angle is measured from `front` toward `right`, so the seam,
// where s jumps from 1 to 0, lies behind the mesh as the start view shows it.
struct AxisFrame {
    D3DXVECTOR3 along, front, right;
};

AxisFrame frameOf(Axis axis)
{
    switch (axis) {
    case Axis::X: return {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
    case Axis::Z: return {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}};
    default: return {{0, 1, 0}, {0, 0, -1}, {1, 0, 0}};
    }
}

D3DXVECTOR3 boundingBoxCentre(const std::vector<D3DXVECTOR3>& positions)
{
    if (positions.empty())
        return {};
    D3DXVECTOR3 low = positions[0], high = positions[0];
    for (const D3DXVECTOR3& p : positions) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    return (low + high) * 0.5f;
}

// s from the angle around the axis: 0.5 in front, 0 and 1 behind; 0.5 on the axis itself.
float aroundAxis(const D3DXVECTOR3& offset, const AxisFrame& frame)
{
    const float across = D3DXVec3Dot(&offset, &frame.right);
    const float ahead = D3DXVec3Dot(&offset, &frame.front);
    if (across == 0.0f && ahead == 0.0f)
        return 0.5f;
    return 0.5f + std::atan2(across, ahead) / (2.0f * kPi);
}

void boxCoordinates(const std::vector<D3DXVECTOR3>& positions, const uint16_t* indices,
                    uint32_t faceCount, std::vector<PlanePoint>& out)
{
    // Position and normal side by side, the layout computeNormals works on.
    std::vector<D3DXVECTOR3> vertices(2 * positions.size());
    for (size_t k = 0; k < positions.size(); ++k)
        vertices[2 * k] = positions[k];
    computeNormals(reinterpret_cast<uint8_t*>(vertices.data()), uint32_t(positions.size()),
                   2 * sizeof(D3DXVECTOR3), sizeof(D3DXVECTOR3), indices, faceCount);
    for (size_t k = 0; k < positions.size(); ++k)
        out.push_back(planePointAlong(positions[k], dominantAxis(vertices[2 * k + 1])));
}

void roundCoordinates(const std::vector<D3DXVECTOR3>& positions, Axis axis, bool sphere,
                      std::vector<PlanePoint>& out)
{
    const AxisFrame frame = frameOf(axis);
    const D3DXVECTOR3 centre = boundingBoxCentre(positions);
    for (const D3DXVECTOR3& p : positions) {
        const D3DXVECTOR3 offset = p - centre;
        const float height = D3DXVec3Dot(&offset, &frame.along);
        PlanePoint point;
        point.s = aroundAxis(offset, frame);
        point.t = height;
        if (sphere) {
            const float distance = D3DXVec3Length(&offset);
            point.t = distance > 0.0f ? std::acos(std::clamp(-height / distance, -1.0f, 1.0f)) / kPi : 0.5f;
        }
        out.push_back(point);
    }
}

} // namespace

PlanePoint planePointAlong(const D3DXVECTOR3& p, Axis axis)
{
    PlanePoint point;
    point.s = axis == Axis::X ? p.z : p.x;
    point.t = axis == Axis::Y ? p.z : p.y;
    return point;
}

Axis dominantAxis(const D3DXVECTOR3& normal)
{
    const float x = std::fabs(normal.x), y = std::fabs(normal.y), z = std::fabs(normal.z);
    if (z >= x && z >= y)
        return Axis::Z;
    return y >= x ? Axis::Y : Axis::X;
}

void projectSurface(const SurfaceProjection& projection, const std::vector<D3DXVECTOR3>& positions,
                    const uint16_t* indices, uint32_t faceCount, std::vector<PlanePoint>& out)
{
    out.clear();
    out.reserve(positions.size());
    switch (projection.kind) {
    case ProjectionKind::Box:
        boxCoordinates(positions, indices, faceCount, out);
        break;
    case ProjectionKind::Cylinder:
    case ProjectionKind::Sphere:
        roundCoordinates(positions, projection.axis, projection.kind == ProjectionKind::Sphere, out);
        break;
    case ProjectionKind::View:
        for (const D3DXVECTOR3& p : positions)
            out.push_back({D3DXVec3Dot(&p, &projection.viewRight), D3DXVec3Dot(&p, &projection.viewUp)});
        break;
    }
}
