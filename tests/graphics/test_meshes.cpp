#include "test_meshes.h"

namespace {

void addQuad(IndexMesh& mesh, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    // a b on one row, c d on the next: (a, c, b) and (b, c, d).
    mesh.corners.insert(mesh.corners.end(), {a, c, b, b, c, d});
}

}  // namespace

IndexMesh gridMesh(uint32_t columns, uint32_t rows) {
    IndexMesh mesh;
    mesh.vertexCount = (columns + 1) * (rows + 1);
    for (uint32_t r = 0; r < rows; ++r)
        for (uint32_t c = 0; c < columns; ++c) {
            const uint32_t a = r * (columns + 1) + c;
            addQuad(mesh, a, a + 1, a + columns + 1, a + columns + 2);
        }
    return mesh;
}

IndexMesh torusMesh(uint32_t segments, uint32_t sides) {
    IndexMesh mesh;
    mesh.vertexCount = segments * sides;
    for (uint32_t s = 0; s < segments; ++s)
        for (uint32_t t = 0; t < sides; ++t) {
            const uint32_t nextS = (s + 1) % segments, nextT = (t + 1) % sides;
            addQuad(mesh, s * sides + t, s * sides + nextT, nextS * sides + t,
                    nextS * sides + nextT);
        }
    return mesh;
}

IndexMesh randomMesh(std::mt19937& random, uint32_t vertexCount, uint32_t faceCount) {
    IndexMesh mesh;
    mesh.vertexCount = vertexCount;
    std::uniform_int_distribution<uint32_t> vertex(0, vertexCount - 1);
    while (mesh.faceCount() < faceCount) {
        const uint32_t a = vertex(random), b = vertex(random), c = vertex(random);
        if (a != b && b != c && c != a) mesh.corners.insert(mesh.corners.end(), {a, b, c});
    }
    return mesh;
}

IndexMesh damagedGrid(std::mt19937& random, uint32_t columns, uint32_t rows) {
    const IndexMesh grid = gridMesh(columns, rows);
    IndexMesh mesh;
    mesh.vertexCount = grid.vertexCount;
    std::uniform_int_distribution<int> percent(0, 99);
    for (size_t face = 0; face < grid.faceCount(); ++face) {
        const int roll = percent(random);
        const uint32_t* c = grid.corners.data() + 3 * face;
        if (roll < 10) continue;
        if (roll < 20)
            mesh.corners.insert(mesh.corners.end(), {c[0], c[2], c[1]});
        else
            mesh.corners.insert(mesh.corners.end(), {c[0], c[1], c[2]});
    }
    return mesh;
}
