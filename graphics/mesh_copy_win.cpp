#include "graphics/mesh_copy_win.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/com_ref.h"
#include "graphics/adjacency.h"
#include "graphics/attribute_sort.h"
#include "graphics/d3dx_buffer_win.h"
#include "graphics/fvf.h"
#include "graphics/mesh_win.h"
#include "graphics/vertex_convert.h"

namespace {

// Optimize's flags below this bit are the new mesh's options; the rest say what to optimise.
const DWORD kMeshOptionBits = 0x000FFFFF;

std::vector<AttributeRange> attributeTableOf(ID3DXMesh* mesh) {
    DWORD size = 0;
    mesh->GetAttributeTable(nullptr, &size);
    std::vector<D3DXATTRIBUTERANGE> table(size);
    if (size) mesh->GetAttributeTable(table.data(), &size);
    std::vector<AttributeRange> ranges(size);
    if (size) std::memcpy(ranges.data(), table.data(), size * sizeof(AttributeRange));
    return ranges;
}

// The source's indices and attributes, read under locks.
HRESULT readFaces(ID3DXMesh* source, MeshArrays& arrays) {
    const DWORD faceCount = source->GetNumFaces();
    MeshLock indices(source, MeshLock::Indices, D3DLOCK_READONLY);
    MeshLock attributes(source, MeshLock::Attributes, D3DLOCK_READONLY);
    if (!indices.ok() || !attributes.ok()) return D3DERR_INVALIDCALL;
    arrays.indices.assign(indices.indices(), indices.indices() + size_t(faceCount) * 3);
    arrays.attributes.assign(attributes.attributes(), attributes.attributes() + faceCount);
    return S_OK;
}

// Adjacency of the new faces: the given one moved with the faces, or worked out from the
// positions when none was given.
void writeAdjacency(const MeshArrays& sorted, const std::vector<uint32_t>& order,
                    const DWORD* adjacencyIn, uint32_t vertexCount, DWORD* adjacencyOut) {
    const size_t faceCount = order.size();
    if (adjacencyIn) {
        std::vector<uint32_t> newPosition(faceCount);
        for (size_t face = 0; face < faceCount; ++face) newPosition[order[face]] = uint32_t(face);
        for (size_t face = 0; face < faceCount; ++face)
            for (int k = 0; k < 3; ++k) {
                const DWORD old = adjacencyIn[order[face] * 3 + k];
                adjacencyOut[face * 3 + k] = old < faceCount ? newPosition[old] : kNoNeighbour;
            }
        return;
    }
    const uint32_t stride = uint32_t(sorted.vertices.size() / vertexCount);
    const std::vector<uint32_t> representative =
        pointRepresentatives(sorted.vertices.data(), vertexCount, stride);
    std::vector<uint32_t> corners(sorted.indices.size());
    for (size_t i = 0; i < corners.size(); ++i)
        corners[i] = sorted.indices[i] < vertexCount ? representative[sorted.indices[i]]
                                                     : sorted.indices[i];
    const std::vector<uint32_t> adjacency = faceAdjacency(corners.data(), faceCount, vertexCount);
    std::copy(adjacency.begin(), adjacency.end(), adjacencyOut);
}

HRESULT identityRemap(DWORD vertexCount, ID3DXBuffer** ppVertexRemap) {
    HRESULT hr = createBuffer(nullptr, size_t(vertexCount) * sizeof(DWORD), ppVertexRemap);
    if (FAILED(hr)) return hr;
    DWORD* remap = static_cast<DWORD*>((*ppVertexRemap)->GetBufferPointer());
    for (DWORD v = 0; v < vertexCount; ++v) remap[v] = v;
    return S_OK;
}

}  // namespace

HRESULT cloneMesh(ID3DXMesh* source, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                  ID3DXMesh** ppCloneMesh) {
    if (!ppCloneMesh) return D3DERR_INVALIDCALL;
    *ppCloneMesh = nullptr;
    const DWORD vertexCount = source->GetNumVertices();
    HRESULT hr = checkMeshShape(source->GetNumFaces(), vertexCount, options, fvf, device);
    if (FAILED(hr)) return hr;
    MeshArrays arrays;
    try {
        hr = readFaces(source, arrays);
        if (FAILED(hr)) return hr;
        MeshLock vertices(source, MeshLock::Vertices, D3DLOCK_READONLY);
        if (!vertices.ok()) return D3DERR_INVALIDCALL;
        arrays.vertices = convertVertices(vertices.bytes(), vertexCount, source->GetFVF(), fvf);
        arrays.table = attributeTableOf(source);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return createMesh(options, fvf, device, std::move(arrays), ppCloneMesh);
}

HRESULT optimizeMesh(ID3DXMesh* source, DWORD flags, const DWORD* pAdjacencyIn,
                     DWORD* pAdjacencyOut, DWORD* pFaceRemap, ID3DXBuffer** ppVertexRemap,
                     ID3DXMesh** ppOptMesh) {
    if (!ppOptMesh) return D3DERR_INVALIDCALL;
    *ppOptMesh = nullptr;
    if (ppVertexRemap) *ppVertexRemap = nullptr;
    ComRef<IDirect3DDevice9> device;
    HRESULT hr = source->GetDevice(device.put());
    if (FAILED(hr)) return hr;
    const DWORD options = flags & kMeshOptionBits, fvf = source->GetFVF();
    const DWORD vertexCount = source->GetNumVertices();
    MeshArrays sorted;
    try {
        MeshArrays original;
        hr = readFaces(source, original);
        if (FAILED(hr)) return hr;
        // Every optimisation starts by grouping faces by attribute; vertices stay in place,
        // so a vertex keeps its number (the editor's points rely on it).
        const std::vector<uint32_t> attributes(original.attributes.begin(),
                                               original.attributes.end());
        const std::vector<uint32_t> order = attributeSortOrder(attributes);
        const std::vector<uint32_t> sortedAttributes = reorderFaces(attributes, order, 1);
        sorted.indices = reorderFaces(original.indices, order, 3);
        sorted.attributes.assign(sortedAttributes.begin(), sortedAttributes.end());
        sorted.table = attributeTable(sortedAttributes, sorted.indices);
        {
            MeshLock vertices(source, MeshLock::Vertices, D3DLOCK_READONLY);
            if (!vertices.ok()) return D3DERR_INVALIDCALL;
            sorted.vertices.assign(vertices.bytes(),
                                   vertices.bytes() + size_t(vertexCount) * fvf::vertexSize(fvf));
        }
        if (pFaceRemap) std::copy(order.begin(), order.end(), pFaceRemap);
        if (pAdjacencyOut) writeAdjacency(sorted, order, pAdjacencyIn, vertexCount, pAdjacencyOut);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    ComRef<ID3DXMesh> optimized;
    hr = createMesh(options, fvf, device, std::move(sorted), optimized.put());
    if (SUCCEEDED(hr) && ppVertexRemap) hr = identityRemap(vertexCount, ppVertexRemap);
    if (SUCCEEDED(hr)) *ppOptMesh = optimized.detach();
    return hr;
}
