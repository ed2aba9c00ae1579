// D3DXConvertMeshToSingleStrip and D3DXConvertMeshToStrips over the portable strip builder.
#include "base/com_ref.h"
#include "graphics/d3dx_win.h"
#include "graphics/d3dx_buffer_win.h"
#include "graphics/mesh_win.h"
#include "graphics/strips.h"

#include <mutex>
#include <new>

namespace {

// The last cut, kept for the next call: the single strip and the strips of a subset are
// asked for one after the other, and the second call finds the very same faces. Handed over
// (and forgotten) when it matches, so that it holds memory only between the two calls.
struct LastCut {
    std::mutex lock;
    std::vector<uint32_t> corners;
    DWORD vertexCount = 0;
    StripSet strips;
};

LastCut& lastCut() {
    static LastCut cut;
    return cut;
}

void cutStrips(const std::vector<uint32_t>& corners, DWORD vertexCount, StripSet& strips) {
    LastCut& last = lastCut();
    {
        std::lock_guard<std::mutex> hold(last.lock);
        if (last.vertexCount == vertexCount && last.corners == corners) {
            strips = std::move(last.strips);
            std::vector<uint32_t>().swap(last.corners);
            last.vertexCount = 0;
            return;
        }
    }
    strips = buildStrips(corners.data(), corners.size() / 3, vertexCount);
    std::lock_guard<std::mutex> hold(last.lock);
    last.corners = corners;
    last.vertexCount = vertexCount;
    last.strips = strips;
}

// The strips of one subset, or a failure for a mesh that cannot be read or has an index
// past its vertices.
HRESULT subsetStrips(ID3DXMesh* mesh, DWORD attribId, StripSet& strips) {
    const DWORD faceCount = mesh->GetNumFaces(), vertexCount = mesh->GetNumVertices();
    MeshLock indices(mesh, MeshLock::Indices, D3DLOCK_READONLY);
    MeshLock attributes(mesh, MeshLock::Attributes, D3DLOCK_READONLY);
    if (!indices.ok() || !attributes.ok()) return D3DERR_INVALIDCALL;
    std::vector<uint32_t> corners;
    corners.reserve(size_t(faceCount) * 3);
    for (DWORD face = 0; face < faceCount; ++face) {
        if (attributes.attributes()[face] != attribId) continue;
        for (int k = 0; k < 3; ++k) {
            const uint16_t index = indices.indices()[3 * face + k];
            if (index >= vertexCount) return D3DERR_INVALIDCALL;
            corners.push_back(index);
        }
    }
    cutStrips(corners, vertexCount, strips);
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
