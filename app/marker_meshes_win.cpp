// The marker: a small cube drawn at every vertex whose point is selected in the texture pane.
// One marker copy per vertex is kept. The copies never change after loading, so every slot
// holds a reference to the one attribute-sorted marker and its strips instead of a private
// duplicate: a mesh of thousands of vertices then costs thousands of reference counts rather
// than thousands of meshes and index buffers.
#include "app/my_d3d_application_win.h"

#include <cstdio>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/subset_materials_win.h"
#include "framework/media_search_win.h"
#include "viewer/viewer_settings.h"

namespace {

const char kMarkerFileName[] = "cube.x";
// The marker is drawn at a third of the size of the file's cube.
const float kMarkerShrink = 3.0f;

// Slot `to` takes references to the marker and the strips of slot `from`.
void shareMarkerSlot(MeshData& d, DWORD from, DWORD to)
{
    d.markerSysMemMeshes[to] = d.markerSysMemMeshes[from].share();
    d.markerStrips[to].resize(d.markerStrips[from].size());
    for (size_t i = 0; i < d.markerStrips[from].size(); ++i) {
        const StripData& source = d.markerStrips[from][i];
        StripData& copy = d.markerStrips[to][i];
        copy.singleStripIndices = source.singleStripIndices.share();
        copy.stripIndices = source.stripIndices.share();
        copy.singleStripIndexCount = source.singleStripIndexCount;
        copy.stripLengths = source.stripLengths;
        copy.stripCount = source.stripCount;
    }
    d.markerStripCounts[to] = d.markerStripCounts[from];
}

// The marker file sits in the media folder; without one, the usual search finds it.
void markerFilePath(char* path, int size)
{
    char folder[512];
    if (SUCCEEDED(GetMediaFolder(folder, int(sizeof(folder))))) {
        char full[512];
        if (snprintf(full, sizeof(full), "%s%s", folder, kMarkerFileName) < int(sizeof(full))) {
            LocateMediaFile(path, size, full);
            return;
        }
    }
    LocateMediaFile(path, size, kMarkerFileName);
}

} // namespace

HRESULT CMyD3DApplication::LoadMarkerMesh(ID3DXMesh** meshOut, ID3DXBuffer** adjacencyOut)
{
    g_pointsReady = false;
    const HRESULT hr = LoadMarkerFile(meshOut, adjacencyOut);
    // The marker never touches the pane, whose points still belong to the mesh, also when
    // the marker file is missing.
    g_pointsReady = true;
    return hr;
}

HRESULT CMyD3DApplication::LoadMarkerFile(ID3DXMesh** meshOut, ID3DXBuffer** adjacencyOut)
{
    *meshOut = nullptr;
    char path[512];
    markerFilePath(path, int(sizeof(path)));

    ComRef<ID3DXMesh> mesh;
    DWORD materialCount = 0;
    HRESULT hr = D3DXLoadMeshFromX(path, D3DXMESH_SYSTEMMEM, m_pDevice, adjacencyOut, nullptr,
                                   nullptr, &materialCount, mesh.put());
    if (FAILED(hr))
        return hr;
    if (!allocateSubsetArrays(materialCount, m_markerMaterials, m_markerTextures)) {
        m_numMarkerMaterials = 0;
        return E_OUTOFMEMORY;
    }
    m_numMarkerMaterials = materialCount;

    hr = ConvertToEditedLayout(mesh, mesh->GetFVF());
    if (FAILED(hr))
        return hr;
    {
        VertexLock vertices(mesh);
        if (vertices.ok()) {
            const DWORD count = mesh->GetNumVertices();
            const UINT stride = D3DXGetFVFVertexSize(mesh->GetFVF());
            D3DXComputeBoundingSphere(reinterpret_cast<const D3DXVECTOR3*>(vertices.bytes()),
                                      count, stride, &m_markerCenter, &m_markerRadius);
            for (DWORD k = 0; k < count; ++k) {
                float* position = reinterpret_cast<float*>(vertices.bytes() + size_t(k) * stride);
                for (int axis = 0; axis < 3; ++axis)
                    position[axis] /= kMarkerShrink;
            }
        }
    }
    *meshOut = mesh.detach();
    return S_OK;
}

void CMyD3DApplication::CreateMarkers(DWORD n)
{
    m_font->BuildTexture(m_pDevice);
    resizeMarkerArrays(m_meshData, n);
    ComRef<ID3DXMesh> marker;
    ComRef<ID3DXBuffer> adjacency;
    if (FAILED(LoadMarkerMesh(marker.put(), adjacency.put())))
        return;
    adjacency.reset();
    if (n > 0 && SUCCEEDED(OptimizeMarkerData(marker, nullptr, D3DXMESHOPT_ATTRSORT,
                                              m_meshData, 0))) {
        for (DWORD k = 1; k < n; ++k)
            shareMarkerSlot(m_meshData, 0, k);
    }
}
