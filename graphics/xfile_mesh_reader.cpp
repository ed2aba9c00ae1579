#include "graphics/xfile_mesh_reader.h"

#include "graphics/xfile_material_reader.h"
#include "graphics/xfile_vertex_data.h"

namespace {

uint32_t dwordAt(const uint8_t* at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// Takes polygons from f on straight out of a binary integer list while each lies whole in it,
// is well formed and fits the room in `corners`; returns the first polygon not taken, which
// the token path then reads (and reports, if it is at fault).
uint32_t takeWholePolygons(XCursor& cursor, uint32_t f, uint32_t count, uint32_t limit,
                           std::vector<uint32_t>& sizes, std::vector<uint32_t>& corners, size_t& used)
{
    size_t left;
    const uint8_t* run = cursor.integerRun(left);
    size_t at = 0;
    for (; f < count && at < left; ++f) {
        const uint32_t size = dwordAt(run + 4 * at);
        if (size < 3 || size > left - at - 1 || size > corners.size() - used)
            break;
        uint32_t k = 0;
        for (; k < size && (corners[used + k] = dwordAt(run + 4 * (at + 1 + k))) < limit; ++k) {
        }
        if (k < size)
            break;
        sizes[f] = size;
        used += size;
        at += 1 + size;
    }
    cursor.skipIntegers(at);
    return f;
}

// Reads `count` polygons (corner count, then corner indices below `limit`) into sizes and
// corners.
bool readPolygons(XCursor& cursor, uint32_t count, uint32_t limit, std::vector<uint32_t>& sizes,
                  std::vector<uint32_t>& corners)
{
    sizes.resize(count);
    corners.resize(size_t(count) * 3);
    size_t used = 0;
    for (uint32_t f = 0; f < count; ++f) {
        f = takeWholePolygons(cursor, f, count, limit, sizes, corners, used);
        if (f == count)
            break;
        if (!cursor.readUInt(sizes[f]))
            return false;
        if (sizes[f] < 3)
            return cursor.fail(XReadStatus::Malformed);
        // Only a polygon larger than the room left needs its size checked against the input
        // before the room grows; smaller ones simply meet the end of the input if it comes.
        if (sizes[f] > corners.size() - used) {
            if (!cursor.fitsInInput(sizes[f], 1))
                return false;
            corners.resize(used + sizes[f] + corners.size() / 2);
        }
        if (!cursor.readIndices(&corners[used], sizes[f], limit))
            return false;
        used += sizes[f];
    }
    corners.resize(used);
    return true;
}

bool readVectors(XCursor& cursor, uint32_t count, int width, std::vector<float>& values)
{
    values.resize(size_t(count) * width);
    return cursor.readFloats(values.data(), values.size());
}

// MeshNormals: its own normal list and its own polygons, which must match the mesh's.
bool readNormals(XCursor& cursor, int depth, XMeshData& mesh)
{
    uint32_t normalCount, faceCount;
    if (!cursor.readCount(normalCount, 3) || !readVectors(cursor, normalCount, 3, mesh.normalList)
        || !cursor.readCount(faceCount, 4))
        return false;
    if (faceCount != mesh.faceCount())
        return cursor.fail(XReadStatus::Malformed);
    std::vector<uint32_t> sizes;
    mesh.normalCorners.clear();
    if (!readPolygons(cursor, faceCount, normalCount, sizes, mesh.normalCorners))
        return false;
    if (sizes != mesh.faceSizes)
        return cursor.fail(XReadStatus::Malformed);
    return cursor.skipBody(depth);
}

bool readTextureCoords(XCursor& cursor, int depth, XMeshData& mesh)
{
    uint32_t count;
    if (!cursor.readCount(count, 2))
        return false;
    if (count != mesh.vertexCount())
        return cursor.fail(XReadStatus::Malformed);
    return readVectors(cursor, count, 2, mesh.texcoords) && cursor.skipBody(depth);
}

uint32_t colorByte(float value)
{
    float clamped = value < 0 ? 0 : (value > 1 ? 1 : value);
    return uint32_t(clamped * 255.0f + 0.5f);
}

// MeshVertexColors: (index, r, g, b, a) entries; vertices not listed stay white.
bool readVertexColors(XCursor& cursor, int depth, XMeshData& mesh)
{
    uint32_t count;
    if (!cursor.readCount(count, 5))
        return false;
    mesh.colors.assign(mesh.vertexCount(), 0xFFFFFFFFu);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t vertex;
        float rgba[4];
        if (!cursor.readUInt(vertex) || !cursor.readFloats(rgba, 4))
            return false;
        if (vertex >= mesh.vertexCount())
            return cursor.fail(XReadStatus::BadIndex);
        mesh.colors[vertex] = colorByte(rgba[3]) << 24 | colorByte(rgba[0]) << 16
                              | colorByte(rgba[1]) << 8 | colorByte(rgba[2]);
    }
    return cursor.skipBody(depth);
}

// VertexDuplicationIndices only tells which vertices are copies; nothing here needs it, but
// its indices are still checked.
bool readDuplicationIndices(XCursor& cursor, int depth, const XMeshData& mesh)
{
    uint32_t count, originals;
    if (!cursor.readCount(count, 1) || !cursor.readUInt(originals))
        return false;
    std::vector<uint32_t> indices(count);
    return cursor.readIndices(indices.data(), count, mesh.vertexCount()) && cursor.skipBody(depth);
}

bool readChild(XCursor& cursor, const XChild& child, int depth, const XNamedMaterials& named,
               XMeshData& mesh)
{
    if (child.kind == XChild::Reference)
        return true;
    if (child.type == "MeshNormals")
        return readNormals(cursor, depth, mesh);
    if (child.type == "MeshTextureCoords")
        return readTextureCoords(cursor, depth, mesh);
    if (child.type == "MeshVertexColors")
        return readVertexColors(cursor, depth, mesh);
    if (child.type == "MeshMaterialList")
        return readMaterialListBody(cursor, depth, named, mesh);
    if (child.type == "DeclData")
        return readDeclDataBody(cursor, depth, mesh);
    if (child.type == "FVFData")
        return readFvfDataBody(cursor, depth, mesh);
    if (child.type == "VertexDuplicationIndices")
        return readDuplicationIndices(cursor, depth, mesh);
    return cursor.skipBody(depth);
}

} // namespace

bool readMeshBody(XCursor& cursor, int depth, const XNamedMaterials& named, XMeshData& mesh)
{
    uint32_t vertexCount, faceCount;
    if (!cursor.readCount(vertexCount, 3) || !readVectors(cursor, vertexCount, 3, mesh.positions)
        || !cursor.readCount(faceCount, 4)
        || !readPolygons(cursor, faceCount, vertexCount, mesh.faceSizes, mesh.corners))
        return false;
    for (;;) {
        XChild child = cursor.nextChild(depth);
        if (child.kind == XChild::Closed)
            return true;
        if (child.kind == XChild::Failed || !readChild(cursor, child, depth + 1, named, mesh))
            return false;
    }
}
