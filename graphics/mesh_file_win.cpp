// D3DXLoadMeshFromX and D3DXSaveMeshToX: the portable X-file reader and writer, converted to
// and from mesh objects.
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>

#include "base/com_ref.h"
#include "graphics/adjacency.h"
#include "graphics/attribute_sort.h"
#include "graphics/d3dx_win.h"
#include "graphics/d3dx_buffer_win.h"
#include "graphics/fvf.h"
#include "graphics/mesh_content_win.h"
#include "graphics/mesh_win.h"
#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"

namespace {

DWORD formatOf(const MeshContent& content) {
    return D3DFVF_XYZ | (content.normals.empty() ? 0 : D3DFVF_NORMAL) |
           (content.colors.empty() ? 0 : D3DFVF_DIFFUSE) |
           (content.texcoords.empty() ? 0 : D3DFVF_TEX1);
}

// Every array the size the vertex and face counts say, every index below the vertex count.
bool isConsistent(const MeshContent& content) {
    const size_t vertices = content.vertexCount(), faces = content.faceCount();
    if (content.positions.size() != vertices * 3 || content.indices.size() != faces * 3)
        return false;
    if (!content.normals.empty() && content.normals.size() != vertices * 3) return false;
    if (!content.texcoords.empty() && content.texcoords.size() != vertices * 2) return false;
    if (!content.colors.empty() && content.colors.size() != vertices) return false;
    if (!content.attributes.empty() && content.attributes.size() != faces) return false;
    for (uint32_t index : content.indices)
        if (index >= vertices) return false;
    return true;
}

// Vertices in the order of formatOf: position, normal, colour, texture coordinate.
std::vector<uint8_t> packVertices(const MeshContent& content, DWORD format) {
    const size_t size = fvf::vertexSize(format), count = content.vertexCount();
    std::vector<uint8_t> vertices(size * count);
    for (size_t v = 0; v < count; ++v) {
        uint8_t* out = vertices.data() + v * size;
        auto put = [&out](const void* data, size_t bytes) {
            std::memcpy(out, data, bytes);
            out += bytes;
        };
        put(&content.positions[3 * v], 12);
        if (format & D3DFVF_NORMAL) put(&content.normals[3 * v], 12);
        if (format & D3DFVF_DIFFUSE) put(&content.colors[v], 4);
        if (format & D3DFVF_TEX1) put(&content.texcoords[2 * v], 8);
    }
    return vertices;
}

D3DCOLORVALUE colour(const float* rgb, float alpha) { return {rgb[0], rgb[1], rgb[2], alpha}; }

// D3DXMATERIAL records followed by their texture names, in one buffer.
HRESULT materialBuffer(const std::vector<MeshMaterial>& materials, ID3DXBuffer** ppMaterials) {
    size_t size = materials.size() * sizeof(D3DXMATERIAL);
    for (const MeshMaterial& material : materials)
        if (!material.textureFile.empty()) size += material.textureFile.size() + 1;
    HRESULT hr = createBuffer(nullptr, size, ppMaterials);
    if (FAILED(hr)) return hr;
    auto* records = static_cast<D3DXMATERIAL*>((*ppMaterials)->GetBufferPointer());
    char* names = reinterpret_cast<char*>(records + materials.size());
    for (size_t i = 0; i < materials.size(); ++i) {
        const MeshMaterial& material = materials[i];
        D3DMATERIAL9& out = records[i].MatD3D;
        out.Diffuse = {material.diffuse[0], material.diffuse[1], material.diffuse[2],
                       material.diffuse[3]};
        out.Ambient = {0, 0, 0, 1};
        out.Specular = colour(material.specular, 1);
        out.Emissive = colour(material.emissive, 1);
        out.Power = material.power;
        records[i].pTextureFilename = nullptr;
        if (material.textureFile.empty()) continue;
        std::memcpy(names, material.textureFile.c_str(), material.textureFile.size() + 1);
        records[i].pTextureFilename = names;
        names += material.textureFile.size() + 1;
    }
    return S_OK;
}

// Neighbours across each edge, counting vertices at one position as one.
std::vector<uint32_t> adjacencyOf(const MeshContent& content) {
    const std::vector<uint32_t> representative = pointRepresentatives(
        reinterpret_cast<const uint8_t*>(content.positions.data()), content.vertexCount(), 12);
    std::vector<uint32_t> corners(content.indices.size());
    for (size_t i = 0; i < corners.size(); ++i) corners[i] = representative[content.indices[i]];
    return faceAdjacency(corners.data(), content.faceCount(), content.vertexCount());
}

HRESULT meshOf(MeshContent& content, DWORD options, IDirect3DDevice9* device,
               ID3DXMesh** ppMesh) {
    const DWORD format = formatOf(content);
    HRESULT hr = checkMeshShape(content.faceCount(), content.vertexCount(), options, format, device);
    if (FAILED(hr)) return hr;
    MeshArrays arrays;
    arrays.vertices = packVertices(content, format);
    arrays.indices.assign(content.indices.begin(), content.indices.end());
    if (content.attributes.empty()) content.attributes.assign(content.faceCount(), 0);
    arrays.attributes.assign(content.attributes.begin(), content.attributes.end());
    arrays.table = attributeTable(content.attributes, arrays.indices);
    return createMesh(options, format, device, std::move(arrays), ppMesh);
}

// One empty effect instance per material.
HRESULT effectBuffer(size_t materialCount, ID3DXBuffer** ppEffectInstances) {
    return createBuffer(nullptr, materialCount * sizeof(D3DXEFFECTINSTANCE), ppEffectInstances);
}

}  // namespace

HRESULT meshFromContent(MeshContent& content, DWORD options, IDirect3DDevice9* device,
                        ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials,
                        ID3DXBuffer** ppEffectInstances, DWORD* pNumMaterials,
                        ID3DXMesh** ppMesh) {
    if (!isConsistent(content)) return D3DXERR_INVALIDDATA;
    // A mesh without a material list draws as one white subset.
    if (content.materials.empty()) {
        MeshMaterial white;
        for (float& channel : white.diffuse) channel = 1;
        content.materials.push_back(white);
        content.attributes.assign(content.faceCount(), 0);
    }
    ComRef<ID3DXMesh> mesh;
    ComRef<ID3DXBuffer> adjacency, materials, effects;
    HRESULT hr = meshOf(content, options, device, mesh.put());
    if (SUCCEEDED(hr) && ppAdjacency) {
        const std::vector<uint32_t> neighbours = adjacencyOf(content);
        hr = createBuffer(neighbours.data(), neighbours.size() * sizeof(uint32_t), adjacency.put());
    }
    if (SUCCEEDED(hr) && ppMaterials) hr = materialBuffer(content.materials, materials.put());
    if (SUCCEEDED(hr) && ppEffectInstances)
        hr = effectBuffer(content.materials.size(), effects.put());
    if (FAILED(hr)) return hr;
    *ppMesh = mesh.detach();
    if (ppAdjacency) *ppAdjacency = adjacency.detach();
    if (ppMaterials) *ppMaterials = materials.detach();
    if (ppEffectInstances) *ppEffectInstances = effects.detach();
    if (pNumMaterials) *pNumMaterials = DWORD(content.materials.size());
    return S_OK;
}

namespace {

HRESULT loadMesh(const char* path, DWORD options, IDirect3DDevice9* device,
                 ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials,
                 ID3DXBuffer** ppEffectInstances, DWORD* pNumMaterials, ID3DXMesh** ppMesh) {
    MeshContent content;
    const XReadStatus status = loadXFile(path, content);
    if (status == XReadStatus::OutOfMemory) return E_OUTOFMEMORY;
    if (status != XReadStatus::Ok) return D3DXERR_INVALIDDATA;
    return meshFromContent(content, options, device, ppAdjacency, ppMaterials, ppEffectInstances,
                           pNumMaterials, ppMesh);
}

// The parts of a mesh's vertices an X file holds, found through its declaration.
struct VertexParts {
    int normal = -1, colour = -1, texcoord = -1;
    uint32_t texcoordFloats = 0;
};

VertexParts partsOf(DWORD format) {
    VertexParts parts;
    fvf::VertexElement elements[fvf::kMaxElements];
    const int count = fvf::toDeclaration(format, elements);
    for (int i = 0; i < count; ++i) {
        const fvf::VertexElement& e = elements[i];
        if (e.usage == fvf::kUsageNormal) parts.normal = e.offset;
        if (e.usage == fvf::kUsageColor && e.usageIndex == 0) parts.colour = e.offset;
        if (e.usage == fvf::kUsageTexCoord && e.usageIndex == 0) {
            parts.texcoord = e.offset;
            parts.texcoordFloats = fvf::declTypeSize(e.type) / 4;
        }
    }
    return parts;
}

void unpackVertices(const uint8_t* vertices, DWORD format, uint32_t count, MeshContent& out) {
    const VertexParts parts = partsOf(format);
    const size_t size = fvf::vertexSize(format);
    for (size_t v = 0; v < count; ++v) {
        const uint8_t* vertex = vertices + v * size;
        float f[3];
        std::memcpy(f, vertex, 12);
        out.positions.insert(out.positions.end(), f, f + 3);
        if (parts.normal >= 0) {
            std::memcpy(f, vertex + parts.normal, 12);
            out.normals.insert(out.normals.end(), f, f + 3);
        }
        if (parts.colour >= 0) {
            uint32_t argb;
            std::memcpy(&argb, vertex + parts.colour, 4);
            out.colors.push_back(argb);
        }
        if (parts.texcoord >= 0) {
            f[1] = 0;  // a one-float set has no v
            std::memcpy(f, vertex + parts.texcoord, parts.texcoordFloats >= 2 ? 8 : 4);
            out.texcoords.insert(out.texcoords.end(), f, f + 2);
        }
    }
}

MeshMaterial materialOf(const D3DXMATERIAL& record) {
    const D3DMATERIAL9& m = record.MatD3D;
    MeshMaterial material;
    const float diffuse[4] = {m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a};
    const float specular[3] = {m.Specular.r, m.Specular.g, m.Specular.b};
    const float emissive[3] = {m.Emissive.r, m.Emissive.g, m.Emissive.b};
    std::memcpy(material.diffuse, diffuse, sizeof diffuse);
    std::memcpy(material.specular, specular, sizeof specular);
    std::memcpy(material.emissive, emissive, sizeof emissive);
    material.power = m.Power;
    if (record.pTextureFilename) material.textureFile = record.pTextureFilename;
    return material;
}

struct SaveFailure {
    SaveResult result;
    HRESULT hr;
};
const SaveFailure kSaveFailures[] = {
    {SaveResult::CannotCreate, HRESULT_FROM_WIN32(ERROR_CANNOT_MAKE)},
    {SaveResult::WriteFailed, HRESULT_FROM_WIN32(ERROR_WRITE_FAULT)},
    {SaveResult::CannotReplace, HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)},
};

}  // namespace

// The mesh and its materials as an X file holds them; the writer needs every index below the
// vertex count and every attribute below the material count.
HRESULT meshContentOf(ID3DXMesh* mesh, const D3DXMATERIAL* materials, DWORD materialCount,
                  MeshContent& out) {
    const DWORD faceCount = mesh->GetNumFaces();
    const uint32_t vertexCount = mesh->GetNumVertices();
    MeshLock vertices(mesh, MeshLock::Vertices, D3DLOCK_READONLY);
    MeshLock indices(mesh, MeshLock::Indices, D3DLOCK_READONLY);
    MeshLock attributes(mesh, MeshLock::Attributes, D3DLOCK_READONLY);
    if (!vertices.ok() || !indices.ok() || !attributes.ok()) return D3DERR_INVALIDCALL;
    unpackVertices(vertices.bytes(), mesh->GetFVF(), vertexCount, out);
    out.indices.assign(indices.indices(), indices.indices() + size_t(faceCount) * 3);
    for (uint32_t index : out.indices)
        if (index >= vertexCount) return D3DERR_INVALIDCALL;
    if (materialCount == 0) return S_OK;
    out.attributes.assign(attributes.attributes(), attributes.attributes() + faceCount);
    for (uint32_t attribute : out.attributes)
        if (attribute >= materialCount) return D3DERR_INVALIDCALL;
    for (DWORD i = 0; i < materialCount; ++i) out.materials.push_back(materialOf(materials[i]));
    return S_OK;
}

HRESULT hresultOfSave(SaveResult result) {
    for (const SaveFailure& failure : kSaveFailures)
        if (failure.result == result) return failure.hr;
    return S_OK;
}

SaveResult saveResultOf(HRESULT hr) {
    for (const SaveFailure& failure : kSaveFailures)
        if (failure.hr == hr) return failure.result;
    return SaveResult::Saved;
}

HRESULT D3DXLoadMeshFromX(const char* pFilename, DWORD options, IDirect3DDevice9* pDevice,
                          ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials,
                          ID3DXBuffer** ppEffectInstances, DWORD* pNumMaterials,
                          ID3DXMesh** ppMesh) {
    if (!pFilename || !pDevice || !ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    for (ID3DXBuffer** out : {ppAdjacency, ppMaterials, ppEffectInstances})
        if (out) *out = nullptr;
    try {
        return loadMesh(pFilename, options, pDevice, ppAdjacency, ppMaterials, ppEffectInstances,
                        pNumMaterials, ppMesh);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT D3DXSaveMeshToX(const char* pFilename, ID3DXMesh* pMesh, const DWORD*,
                        const D3DXMATERIAL* pMaterials, const D3DXEFFECTINSTANCE*,
                        DWORD numMaterials, DWORD format) {
    if (!pFilename || !pMesh || (numMaterials > 0 && !pMaterials) ||
        (format != D3DXF_FILEFORMAT_BINARY && format != D3DXF_FILEFORMAT_TEXT))
        return D3DERR_INVALIDCALL;
    try {
        MeshContent content;
        const HRESULT hr = meshContentOf(pMesh, pMaterials, numMaterials, content);
        if (FAILED(hr)) return hr;
        const XFileFormat fileFormat =
            format == D3DXF_FILEFORMAT_TEXT ? XFileFormat::Text : XFileFormat::Binary;
        const std::vector<uint8_t> bytes = writeXFile(content, fileFormat);
        return hresultOfSave(saveFileAtomically(pFilename, bytes.data(), bytes.size()));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
