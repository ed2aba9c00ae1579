#include "scripts/mediagen/scanned_surface.h"

#include "scripts/mediagen/torus_knot.h"

#include <cassert>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kExtent = 1.5;   // the grid spans [-kExtent, kExtent] on each axis

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// Negative inside: a sphere with bumps of a few sizes, none symmetric to the grid.
double field(Vec3 p)
{
    double bumps = 0.12 * std::sin(5.1 * p.x + 0.3) * std::sin(4.3 * p.y + 1.1) * std::sin(3.7 * p.z + 0.7)
                   + 0.05 * std::sin(13.0 * p.x + 7.0 * p.z) + 0.03 * std::cos(17.0 * p.y - 5.0 * p.x);
    return std::sqrt(dot(p, p)) - (1.0 + bumps);
}

Vec3 gradient(Vec3 p)
{
    const double h = 1e-4;
    return Vec3{field(p + Vec3{h, 0, 0}) - field(p - Vec3{h, 0, 0}),
                field(p + Vec3{0, h, 0}) - field(p - Vec3{0, h, 0}),
                field(p + Vec3{0, 0, h}) - field(p - Vec3{0, 0, h})};
}

Vec3 unit(Vec3 a)
{
    double length = std::sqrt(dot(a, a));
    return length > 0 ? a * (1.0 / length) : Vec3{0, 0, 1};
}

// A small generator of our own, so that every platform draws the same numbers.
struct Random {
    uint64_t state;
    uint32_t next()
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state >> 32);
    }
    uint32_t below(uint32_t n) { return uint32_t(uint64_t(next()) * n >> 32); }
};

class Tetrahedra {
public:
    explicit Tetrahedra(int resolution) : n_(resolution), step_(2 * kExtent / resolution)
    {
        values_.resize(size_t(n_ + 1) * (n_ + 1) * (n_ + 1));
        for (int z = 0; z <= n_; ++z)
            for (int y = 0; y <= n_; ++y)
                for (int x = 0; x <= n_; ++x)
                    values_[id(x, y, z)] = field(at(id(x, y, z)));
    }

    MeshContent march()
    {
        // The six tetrahedra of the Kuhn split of each cube: walks from corner (0,0,0) to
        // (1,1,1) along the axes in every order; neighbouring cubes split shared faces alike,
        // so the surface closes.
        static const int kOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
        for (int z = 0; z < n_; ++z)
            for (int y = 0; y < n_; ++y)
                for (int x = 0; x < n_; ++x)
                    for (const auto& order : kOrders) {
                        int corner[3] = {x, y, z};
                        uint32_t tet[4];
                        tet[0] = id(corner[0], corner[1], corner[2]);
                        for (int k = 0; k < 3; ++k) {
                            ++corner[order[k]];
                            tet[k + 1] = id(corner[0], corner[1], corner[2]);
                        }
                        cut(tet);
                    }
        giveKnotMaterial(mesh_);
        return std::move(mesh_);
    }

private:
    uint32_t id(int x, int y, int z) const { return uint32_t((z * (n_ + 1) + y) * (n_ + 1) + x); }
    Vec3 at(uint32_t id) const
    {
        int x = int(id % uint32_t(n_ + 1)), y = int(id / uint32_t(n_ + 1) % uint32_t(n_ + 1));
        int z = int(id / uint32_t(n_ + 1) / uint32_t(n_ + 1));
        return Vec3{-kExtent + x * step_, -kExtent + y * step_, -kExtent + z * step_};
    }

    // The surface vertex on the grid edge between an inside and an outside point, made once.
    uint32_t crossing(uint32_t inside, uint32_t outside)
    {
        uint64_t key = uint64_t(inside) << 32 | outside;
        auto found = vertices_.find(key);
        if (found != vertices_.end())
            return found->second;
        double a = values_[inside], b = values_[outside];
        Vec3 p = at(inside) + (at(outside) - at(inside)) * (a / (a - b));
        Vec3 normal = unit(gradient(p));
        for (double c : {p.x, p.y, p.z})
            mesh_.positions.push_back(float(c));
        for (double c : {normal.x, normal.y, normal.z})
            mesh_.normals.push_back(float(c));
        mesh_.texcoords.push_back(float(0.5 + std::atan2(p.z, p.x) / (2 * kPi)));
        mesh_.texcoords.push_back(float(std::acos(std::fmax(-1.0, std::fmin(1.0, p.y / std::sqrt(dot(p, p))))) / kPi));
        uint32_t vertex = mesh_.vertexCount() - 1;
        vertices_.emplace(key, vertex);
        return vertex;
    }

    // Clockwise seen from outside in Direct3D's left-handed space: (b - a) x (c - a),
    // worked out as numbers, points away from the inside points.
    void triangle(uint32_t a, uint32_t b, uint32_t c, Vec3 towardInside)
    {
        if (a == b || b == c || c == a)
            return;
        Vec3 pa = vertexAt(a), pb = vertexAt(b), pc = vertexAt(c);
        bool clockwise = dot(cross(pb - pa, pc - pa), towardInside) <= 0;
        for (uint32_t v : {a, clockwise ? b : c, clockwise ? c : b})
            mesh_.indices.push_back(v);
    }

    Vec3 vertexAt(uint32_t v) const
    {
        const float* p = &mesh_.positions[3 * size_t(v)];
        return Vec3{p[0], p[1], p[2]};
    }

    void cut(const uint32_t tet[4])
    {
        uint32_t in[4], out[4];
        int ins = 0, outs = 0;
        for (int k = 0; k < 4; ++k) {
            if (values_[tet[k]] < 0)
                in[ins++] = tet[k];
            else
                out[outs++] = tet[k];
        }
        if (ins == 0 || outs == 0)
            return;
        Vec3 inside{0, 0, 0}, outside{0, 0, 0};
        for (int k = 0; k < ins; ++k)
            inside = inside + at(in[k]) * (1.0 / ins);
        for (int k = 0; k < outs; ++k)
            outside = outside + at(out[k]) * (1.0 / outs);
        Vec3 towardInside = inside - outside;
        if (ins == 1 || outs == 1) {
            // One corner apart from the other three: one triangle round it.
            uint32_t v[3];
            for (int k = 0; k < 3; ++k)
                v[k] = ins == 1 ? crossing(in[0], out[k]) : crossing(in[k], out[0]);
            triangle(v[0], v[1], v[2], towardInside);
            return;
        }
        // Two and two: a quadrilateral, as two triangles.
        uint32_t a = crossing(in[0], out[0]), b = crossing(in[0], out[1]);
        uint32_t c = crossing(in[1], out[1]), d = crossing(in[1], out[0]);
        triangle(a, b, c, towardInside);
        triangle(a, c, d, towardInside);
    }

    int n_;
    double step_;
    std::vector<double> values_;
    std::unordered_map<uint64_t, uint32_t> vertices_;
    MeshContent mesh_;
};

template <typename T> void permute(std::vector<T>& values, const std::vector<uint32_t>& newPlace, size_t width)
{
    std::vector<T> moved(values.size());
    for (size_t v = 0; v < newPlace.size(); ++v)
        for (size_t k = 0; k < width; ++k)
            moved[newPlace[v] * width + k] = values[v * width + k];
    values.swap(moved);
}

std::vector<uint32_t> randomOrder(uint32_t count, Random& random)
{
    std::vector<uint32_t> order(count);
    for (uint32_t i = 0; i < count; ++i)
        order[i] = i;
    for (uint32_t i = count; i > 1; --i)
        std::swap(order[i - 1], order[random.below(i)]);
    return order;
}

} // namespace

MeshContent makeScannedSurface(int resolution)
{
    assert(resolution >= 2);
    return Tetrahedra(resolution).march();
}

void scrambleMesh(MeshContent& mesh, uint32_t seed, bool vertices)
{
    Random random{seed};
    const uint32_t faces = mesh.faceCount();
    std::vector<uint32_t> faceOrder = randomOrder(faces, random);
    std::vector<uint32_t> indices(mesh.indices.size());
    std::vector<uint32_t> attributes(faces);
    for (uint32_t f = 0; f < faces; ++f) {
        const uint32_t to = faceOrder[f], turn = random.below(3);
        for (uint32_t k = 0; k < 3; ++k)
            indices[3 * size_t(to) + k] = mesh.indices[3 * size_t(f) + (k + turn) % 3];
        attributes[to] = mesh.attributes[f];
    }
    mesh.indices.swap(indices);
    mesh.attributes.swap(attributes);
    if (!vertices)
        return;
    std::vector<uint32_t> newPlace = randomOrder(mesh.vertexCount(), random);
    permute(mesh.positions, newPlace, 3);
    if (!mesh.normals.empty())
        permute(mesh.normals, newPlace, 3);
    if (!mesh.texcoords.empty())
        permute(mesh.texcoords, newPlace, 2);
    if (!mesh.colors.empty())
        permute(mesh.colors, newPlace, 1);
    for (uint32_t& index : mesh.indices)
        index = newPlace[index];
}
