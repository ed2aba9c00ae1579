#include "scripts/mediagen/torus_knot.h"

#include <cassert>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTurnsP = 2;           // around the torus' axis
constexpr int kTurnsQ = 3;           // through the torus' hole
constexpr double kTubeRadius = 0.25;

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 unit(Vec3 a)
{
    double length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return a * (1.0 / length);
}

// The knot's centre line at parameter t in [0, 2 pi).
Vec3 knotPoint(double t)
{
    double ring = 2.0 + std::cos(kTurnsQ * t);
    return {0.5 * ring * std::cos(kTurnsP * t), 0.5 * ring * std::sin(kTurnsP * t), 0.5 * std::sin(kTurnsQ * t)};
}

void pushVec(std::vector<float>& out, Vec3 v)
{
    out.push_back(float(v.x));
    out.push_back(float(v.y));
    out.push_back(float(v.z));
}

} // namespace

MeshContent makeTorusKnot(int segments, int sides, bool seamCopies)
{
    assert(segments >= 3 && sides >= 3);
    int rings = seamCopies ? segments + 1 : segments;
    int columns = seamCopies ? sides + 1 : sides;
    MeshContent mesh;
    size_t vertices = size_t(rings) * size_t(columns);
    mesh.positions.reserve(3 * vertices);
    mesh.normals.reserve(3 * vertices);
    mesh.texcoords.reserve(2 * vertices);
    for (int i = 0; i < rings; ++i) {
        // Seam copies take the geometry of ring and side 0 exactly.
        double t = 2.0 * kPi * (i % segments) / segments;
        Vec3 here = knotPoint(t);
        Vec3 ahead = knotPoint(t + 0.01);
        Vec3 tangent = ahead - here;
        Vec3 binormal = unit(cross(tangent, ahead + here));
        Vec3 normal = unit(cross(binormal, tangent));
        for (int j = 0; j < columns; ++j) {
            double a = 2.0 * kPi * (j % sides) / sides;
            Vec3 out = normal * std::cos(a) + binormal * std::sin(a);
            pushVec(mesh.positions, here + out * kTubeRadius);
            pushVec(mesh.normals, out);
            mesh.texcoords.push_back(float(4.0 * i / segments));
            // v as the program keeps it in X files (it shows y = H (1 + v)): the points land
            // on the first row of tiles, like those of every file it saves.
            mesh.texcoords.push_back(float(double(j) / sides - 1.0));
        }
    }
    auto vertex = [&](int i, int j) { return uint32_t((i % rings) * columns + (j % columns)); };
    mesh.indices.reserve(6 * size_t(segments) * size_t(sides));
    for (int i = 0; i < segments; ++i) {
        for (int j = 0; j < sides; ++j) {
            uint32_t a = vertex(i, j), b = vertex(i + 1, j), c = vertex(i + 1, j + 1), d = vertex(i, j + 1);
            for (uint32_t index : {a, c, b, a, d, c})
                mesh.indices.push_back(index);
        }
    }
    giveKnotMaterial(mesh);
    return mesh;
}

void giveKnotMaterial(MeshContent& mesh)
{
    mesh.attributes.assign(mesh.indices.size() / 3, 0);
    MeshMaterial material;
    for (float& channel : material.diffuse)
        channel = 1.0f;
    material.textureFile = "knot.bmp";
    mesh.materials.assign(1, material);
}
