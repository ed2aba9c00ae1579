#include "graphics/xfile_transform.h"

#include <cmath>

namespace {

bool transformPoint(float* p, const float m[16], bool translate)
{
    float x = p[0], y = p[1], z = p[2];
    for (int c = 0; c < 3; ++c)
        p[c] = x * m[c] + y * m[4 + c] + z * m[8 + c] + (translate ? m[12 + c] : 0.0f);
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

void normalize(float* n)
{
    float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length > 0) {
        for (int c = 0; c < 3; ++c)
            n[c] /= length;
    }
}

} // namespace

bool transformVertices(MeshContent& mesh, uint32_t first, const float m[16])
{
    bool finite = true;
    for (size_t v = first; v < mesh.vertexCount(); ++v)
        finite &= transformPoint(&mesh.positions[3 * v], m, true);
    if (mesh.normals.empty())
        return finite;
    for (size_t v = first; v < mesh.vertexCount(); ++v) {
        finite &= transformPoint(&mesh.normals[3 * v], m, false);
        normalize(&mesh.normals[3 * v]);
    }
    return finite;
}
