#include "scripts/mediagen/cube_mesh.h"

namespace {

// One side: its normal n and two edge directions s, t with s x t = n, so corners taken
// in the order below wind clockwise seen from outside.
struct Side {
    float n[3], s[3], t[3];
};

constexpr Side kSides[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};

constexpr float kCorners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

} // namespace

MeshContent makeCube()
{
    MeshContent mesh;
    for (const Side& side : kSides) {
        uint32_t first = mesh.vertexCount();
        for (const auto& corner : kCorners) {
            for (int k = 0; k < 3; ++k) {
                mesh.positions.push_back(side.n[k] + corner[0] * side.s[k] + corner[1] * side.t[k]);
                mesh.normals.push_back(side.n[k]);
            }
            mesh.texcoords.push_back((corner[0] + 1) / 2);
            mesh.texcoords.push_back((corner[1] + 1) / 2);
        }
        for (uint32_t k : {0u, 1u, 2u, 0u, 2u, 3u})
            mesh.indices.push_back(first + k);
    }
    mesh.attributes.assign(mesh.faceCount(), 0);
    return mesh;
}
