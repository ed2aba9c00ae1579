// Attribute sorting and strip cutting of the displayed mesh and of the marker copies, done
// once per load so that the 3D view can draw lists, strips or one strip per subset.
#include "app/my_d3d_application_win.h"

#include <cstring>

namespace {

// One strip for the subset and its strips one after another. `tooLong` is set when the single
// strip has more triangles than the device draws in one call.
HRESULT cutSubsetStrips(ID3DXMesh* mesh, DWORD subset, DWORD maxPrimitives, StripData& strips,
                        BOOL& tooLong)
{
    releaseStrips(strips);
    HRESULT hr = D3DXConvertMeshToSingleStrip(mesh, subset, D3DXMESH_IB_MANAGED,
                                              strips.singleStripIndices.put(),
                                              &strips.singleStripIndexCount);
    if (FAILED(hr))
        return hr;
    if (strips.singleStripIndexCount > maxPrimitives + 2ull)
        tooLong = TRUE;

    ComRef<ID3DXBuffer> lengths;
    DWORD indexCount = 0;
    hr = D3DXConvertMeshToStrips(mesh, subset, D3DXMESH_IB_MANAGED, strips.stripIndices.put(),
                                 &indexCount, lengths.put(), &strips.stripCount);
    if (FAILED(hr))
        return hr;
    const DWORD listed = lengths->GetBufferSize() / sizeof(DWORD);
    if (strips.stripCount > listed)
        strips.stripCount = listed;
    const auto* first = static_cast<const DWORD*>(lengths->GetBufferPointer());
    strips.stripLengths.assign(first, first + strips.stripCount);
    return S_OK;
}

} // namespace

HRESULT CMyD3DApplication::OptimizeMeshData(ID3DXMesh* mesh, const DWORD* adjacency, DWORD flags,
                                            MeshData& d)
{
    d.sysMemMesh.reset();
    d.strips.clear();
    d.stripDataCount = 0;

    HRESULT hr = mesh->Optimize(flags | D3DXMESH_SYSTEMMEM, adjacency, nullptr, nullptr, nullptr,
                                d.sysMemMesh.put());
    if (FAILED(hr))
        return hr;
    d.stripDataCount = m_numMaterials;
    d.strips.resize(m_numMaterials);
    m_singleStripTooLong = FALSE;
    for (DWORD i = 0; i < m_numMaterials; ++i) {
        hr = cutSubsetStrips(d.sysMemMesh, i, m_caps.MaxPrimitiveCount, d.strips[i],
                             m_singleStripTooLong);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CMyD3DApplication::OptimizeMarkerData(ID3DXMesh* marker, const DWORD* adjacency,
                                              DWORD flags, MeshData& d, DWORD k)
{
    HRESULT hr = marker->Optimize(flags | D3DXMESH_SYSTEMMEM, adjacency, nullptr, nullptr,
                                  nullptr, d.markerSysMemMeshes[k].put());
    if (FAILED(hr))
        return hr;
    d.markerStrips[k].resize(1);
    d.markerStripCounts[k] = 1;
    m_singleStripTooLong = FALSE;
    return cutSubsetStrips(d.markerSysMemMeshes[k], 0, m_caps.MaxPrimitiveCount,
                           d.markerStrips[k][0], m_singleStripTooLong);
}
