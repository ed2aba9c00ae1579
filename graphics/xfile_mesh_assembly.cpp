#include "graphics/xfile_mesh_assembly.h"

#include <cstring>

namespace {

constexpr uint32_t kNone = UINT32_MAX;

// The mesh's vertices after splitting: file vertex p first, then the copies. Each entry
// remembers its file position and which normal of MeshNormals it carries.
struct SplitVertices {
    std::vector<uint32_t> position;   // file vertex of each vertex
    std::vector<uint32_t> normal;     // MeshNormals index, or kNone
    std::vector<uint32_t> next;       // next copy of the same position, or kNone
    std::vector<uint32_t> splitCorners; // vertex of each corner, when normals split vertices
    const uint32_t* cornerVertex = nullptr; // vertex of each corner
};

uint32_t vertexFor(SplitVertices& split, uint32_t position, uint32_t normal)
{
    uint32_t v = position;
    if (split.normal[v] == kNone) {
        split.normal[v] = normal;
        return v;
    }
    for (;;) {
        if (split.normal[v] == normal)
            return v;
        if (split.next[v] == kNone)
            break;
        v = split.next[v];
    }
    uint32_t copy = uint32_t(split.position.size());
    split.next[v] = copy;
    split.position.push_back(position);
    split.normal.push_back(normal);
    split.next.push_back(kNone);
    return copy;
}

SplitVertices splitByNormals(const XMeshData& mesh)
{
    SplitVertices split;
    uint32_t count = mesh.vertexCount();
    split.position.resize(count);
    for (uint32_t p = 0; p < count; ++p)
        split.position[p] = p;
    split.normal.assign(count, kNone);
    split.next.assign(count, kNone);
    bool byCorner = mesh.vertexNormals.empty() && !mesh.normalCorners.empty();
    split.cornerVertex = mesh.corners.data();
    if (!byCorner)
        return split;
    split.splitCorners.resize(mesh.corners.size());
    for (size_t c = 0; c < mesh.corners.size(); ++c)
        split.splitCorners[c] = vertexFor(split, mesh.corners[c], mesh.normalCorners[c]);
    split.cornerVertex = split.splitCorners.data();
    // A vertex no face uses keeps the normal of its own index, when there is one.
    uint32_t listed = uint32_t(mesh.normalList.size() / 3);
    for (uint32_t p = 0; p < count; ++p) {
        if (split.normal[p] == kNone && p < listed)
            split.normal[p] = p;
    }
    return split;
}

// Makes room for a channel in `out` when either side has it; false when neither does.
template <typename T>
bool openChannel(std::vector<T>& channel, bool meshHasIt, size_t verticesBefore, size_t width, T fill)
{
    if (channel.empty() && !meshHasIt)
        return false;
    channel.resize(verticesBefore * width, fill);
    return true;
}

void appendVertices(const XMeshData& mesh, const SplitVertices& split, MeshContent& out)
{
    size_t before = out.vertexCount();
    size_t after = before + split.position.size();
    out.positions.reserve(3 * after);
    bool normals = openChannel(out.normals, !mesh.vertexNormals.empty() || !mesh.normalCorners.empty(),
                               before, 3, 0.0f);
    bool texcoords = openChannel(out.texcoords, !mesh.texcoords.empty(), before, 2, 0.0f);
    bool colors = openChannel(out.colors, !mesh.colors.empty(), before, 1, 0xFFFFFFFFu);
    if (normals)
        out.normals.reserve(3 * after);
    if (texcoords)
        out.texcoords.reserve(2 * after);
    if (colors)
        out.colors.reserve(after);
    for (size_t v = 0; v < split.position.size(); ++v) {
        uint32_t p = split.position[v];
        out.positions.insert(out.positions.end(), &mesh.positions[3 * size_t(p)], &mesh.positions[3 * size_t(p)] + 3);
        if (normals) {
            const float zero[3] = {0, 0, 0};
            const float* n = zero;
            if (!mesh.vertexNormals.empty())
                n = &mesh.vertexNormals[3 * size_t(p)];
            else if (!mesh.normalCorners.empty() && split.normal[v] != kNone)
                n = &mesh.normalList[3 * size_t(split.normal[v])];
            out.normals.insert(out.normals.end(), n, n + 3);
        }
        if (texcoords) {
            float uv[2] = {0, 0};
            if (!mesh.texcoords.empty())
                std::memcpy(uv, &mesh.texcoords[2 * size_t(p)], sizeof uv);
            out.texcoords.insert(out.texcoords.end(), uv, uv + 2);
        }
        if (colors)
            out.colors.push_back(mesh.colors.empty() ? 0xFFFFFFFFu : mesh.colors[p]);
    }
}

void appendTriangles(const XMeshData& mesh, const SplitVertices& split, uint32_t base, MeshContent& out)
{
    uint32_t materialBase = uint32_t(out.materials.size());
    size_t triangles = mesh.corners.size() - 2 * size_t(mesh.faceCount());
    out.indices.reserve(out.indices.size() + 3 * triangles);
    out.attributes.reserve(out.attributes.size() + triangles);
    size_t corner = 0;
    for (uint32_t f = 0; f < mesh.faceCount(); ++f) {
        uint32_t size = mesh.faceSizes[f];
        uint32_t attribute = mesh.faceMaterials.empty() ? 0 : materialBase + mesh.faceMaterials[f];
        for (uint32_t k = 1; k + 1 < size; ++k) {
            out.indices.push_back(base + split.cornerVertex[corner]);
            out.indices.push_back(base + split.cornerVertex[corner + k]);
            out.indices.push_back(base + split.cornerVertex[corner + k + 1]);
            out.attributes.push_back(attribute);
        }
        corner += size;
    }
}

bool allTriangles(const XMeshData& mesh)
{
    return mesh.corners.size() == 3 * size_t(mesh.faceCount());
}

// Every corner carries the normal of its own vertex's number: no vertex is split. Exporters
// that write one normal per vertex write exactly this.
bool normalsFollowVertices(const XMeshData& mesh)
{
    return mesh.normalCorners.empty() || !mesh.vertexNormals.empty() || mesh.normalCorners == mesh.corners;
}

// The first mesh of a file, made of triangles and split by no normal: its arrays already are
// the merged mesh's, so they are moved over instead of copied vertex by vertex.
bool canTakeOver(const XMeshData& mesh, const MeshContent& out)
{
    return out.vertexCount() == 0 && out.faceCount() == 0 && out.materials.empty() && allTriangles(mesh)
           && normalsFollowVertices(mesh);
}

void takeOver(XMeshData& mesh, MeshContent& out)
{
    const size_t values = mesh.positions.size();
    const uint32_t faces = mesh.faceCount();
    if (!mesh.vertexNormals.empty()) {
        out.normals = std::move(mesh.vertexNormals);
    } else if (!mesh.normalCorners.empty()) {
        // Listed normals past the vertices belong to none; vertices past the list get none.
        out.normals = std::move(mesh.normalList);
        out.normals.resize(values, 0.0f);
    }
    out.positions = std::move(mesh.positions);
    out.texcoords = std::move(mesh.texcoords);
    out.colors = std::move(mesh.colors);
    out.indices = std::move(mesh.corners);
    if (mesh.faceMaterials.empty()) {
        out.attributes.assign(faces, 0);
    } else {
        out.attributes = std::move(mesh.faceMaterials);
        out.materials = std::move(mesh.materials);
    }
}

} // namespace

XReadStatus appendMesh(XMeshData& mesh, MeshContent& out)
{
    if (canTakeOver(mesh, out)) {
        takeOver(mesh, out);
        return XReadStatus::Ok;
    }
    SplitVertices split = splitByNormals(mesh);
    uint32_t base = out.vertexCount();
    if (split.position.size() > size_t(UINT32_MAX - base))
        return XReadStatus::Unsupported;
    appendVertices(mesh, split, out);
    appendTriangles(mesh, split, base, out);
    if (!mesh.faceMaterials.empty())
        out.materials.insert(out.materials.end(), mesh.materials.begin(), mesh.materials.end());
    return XReadStatus::Ok;
}

void giveDefaultMaterial(const std::vector<XFaceRange>& unmaterialled, MeshContent& out)
{
    if (out.materials.empty() || unmaterialled.empty())
        return;
    uint32_t white = uint32_t(out.materials.size());
    MeshMaterial material;
    for (float& channel : material.diffuse)
        channel = 1.0f;
    out.materials.push_back(material);
    for (const XFaceRange& range : unmaterialled) {
        for (uint32_t f = range.first; f < range.end; ++f)
            out.attributes[f] = white;
    }
}
