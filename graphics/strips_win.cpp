// D3DXConvertMeshToSingleStrip and D3DXConvertMeshToStrips over the portable strip builder.
#include "base/com_ref.h"
#include "graphics/d3dx_win.h"
#include "graphics/d3dx_buffer_win.h"
#include "graphics/mesh_win.h"
#include "graphics/subset_strips.h"

#include <new>

namespace {

// The strips of one subset, or a failure for a mesh that cannot be read or has an index
// past its vertices.
HRESULT subsetStrips(ID3DXMesh* mesh, DWORD attribId, StripSet& strips) {
    const DWORD faceCount = mesh->GetNumFaces(), vertexCount = mesh->GetNumVertices();
    MeshLock indices(mesh, MeshLock::Indices, D3DLOCK_READONLY);
    MeshLock attributes(mesh, MeshLock::Attributes, D3DLOCK_READONLY);
    if (!indices.ok() || !attributes.ok()) return D3DERR_INVALIDCALL;
    std::vector<uint32_t> corners;
    if (!subsetCorners(indices.indices(), attributes.attributes(), faceCount, attribId,
                       vertexCount, corners))
        return D3DERR_INVALIDCALL;
    strips = cutSubsetStrips(corners, vertexCount);
    return S_OK;
}

HRESULT stripIndexBuffer(ID3DXMesh* mesh, DWORD ibOptions, const std::vector<uint32_t>& indices,
                         IDirect3DIndexBuffer9** ppIndexBuffer) {
    ComRef<IDirect3DDevice9> device;
    HRESULT hr = mesh->GetDevice(device.put());
    if (FAILED(hr)) return hr;
    const std::vector<uint16_t> narrow(indices.begin(), indices.end());
    return createIndexBuffer(device, ibOptions, narrow.data(), narrow.size(), ppIndexBuffer);
}

}  // namespace

HRESULT D3DXConvertMeshToSingleStrip(ID3DXMesh* pMeshIn, DWORD attribId, DWORD ibOptions,
                                     IDirect3DIndexBuffer9** ppIndexBuffer, DWORD* pNumIndices) {
    if (!pMeshIn || !ppIndexBuffer) return D3DERR_INVALIDCALL;
    *ppIndexBuffer = nullptr;
    try {
        StripSet strips;
        HRESULT hr = subsetStrips(pMeshIn, attribId, strips);
        if (FAILED(hr)) return hr;
        const std::vector<uint32_t> single = joinStrips(strips);
        hr = stripIndexBuffer(pMeshIn, ibOptions, single, ppIndexBuffer);
        if (SUCCEEDED(hr) && pNumIndices) *pNumIndices = DWORD(single.size());
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT D3DXConvertMeshToStrips(ID3DXMesh* pMeshIn, DWORD attribId, DWORD ibOptions,
                                IDirect3DIndexBuffer9** ppIndexBuffer, DWORD* pNumIndices,
                                ID3DXBuffer** ppStripLengths, DWORD* pNumStrips) {
    if (!pMeshIn || !ppIndexBuffer) return D3DERR_INVALIDCALL;
    *ppIndexBuffer = nullptr;
    if (ppStripLengths) *ppStripLengths = nullptr;
    try {
        StripSet strips;
        HRESULT hr = subsetStrips(pMeshIn, attribId, strips);
        if (FAILED(hr)) return hr;
        const std::vector<DWORD> lengths(strips.lengths.begin(), strips.lengths.end());
        ComRef<ID3DXBuffer> lengthBuffer;
        if (ppStripLengths) {
            hr = createBuffer(lengths.data(), lengths.size() * sizeof(DWORD), lengthBuffer.put());
            if (FAILED(hr)) return hr;
        }
        hr = stripIndexBuffer(pMeshIn, ibOptions, strips.indices, ppIndexBuffer);
        if (FAILED(hr)) return hr;
        if (ppStripLengths) *ppStripLengths = lengthBuffer.detach();
        if (pNumIndices) *pNumIndices = DWORD(strips.indices.size());
        if (pNumStrips) *pNumStrips = DWORD(lengths.size());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
