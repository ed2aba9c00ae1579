// New texture coordinates by planar projection (Map Texture Coordinates), and the write-back
// of the pane's edited points into the mesh with the drawable copy made again.
#include "app/my_d3d_application_win.h"

#include "app/editor_dialogs_win.h"
#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/pane_points_win.h"
#include "app/plane_projection.h"
#include "app/texture_pane_win.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"

HRESULT CMyD3DApplication::ProjectTextureCoordinates(MeshData& d)
{
    g_meshRecords.emplace_back();
    MeshRecord& record = g_meshRecords.front();
    if (d.sysMemMesh) {
        record.vertices = meshPositions<Vertex3ds>(d.sysMemMesh);
        IndexLock indices(d.sysMemMesh);
        if (indices.ok()) {
            record.faces.resize(d.sysMemMesh->GetNumFaces());
            addFaceEdges(*m_texturePane, indices.indices(), record.faceCount(),
                         record.vertexCount(), true);
        }
    }

    const char* name = planeName(g_planeChoice);
    if (!name)
        return S_OK;
    MessageBoxA(m_texturePane->windowHandle(), name, "caption", MB_OK);
    std::vector<PlanePoint> points;
    planeCoordinates(record.vertices, g_planeChoice, points);
    mirrorPlaneCoordinates(points, g_reverseU, g_reverseV);
    normalisePlaneCoordinates(points);
    replacePanePoints(*m_texturePane, points, true);
    return S_OK;
}

void CMyD3DApplication::MapTextureCoordinates()
{
    g_planeChoice = PlaneNone;
    g_reverseU = false;
    g_reverseV = false;
    const INT_PTR chosen = DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PLANE_SELECT),
                                           m_hMainWnd, PlaneSelectDlgProc, 0);
    if (chosen > 0) {
        recordPaneStep(*m_texturePane, "Projection", [&] {
            m_texturePane->clearEdges();
            m_texturePane->removeAllPoints();
            ProjectTextureCoordinates(m_meshData);
            g_meshRecords.pop_front();
        });
    }
    repaintPane(*m_texturePane);
    SendMessageA(m_texturePane->windowHandle(), WM_COMMAND, CommandApply, 0);
}

void CMyD3DApplication::UpdateMeshFromPoints()
{
    m_meshData.mesh.reset();
    RebuildDrawableMesh(m_meshData);
}

void CMyD3DApplication::RebuildMarkerCopies(MeshData& d)
{
    if (d.markerMeshes.size() < d.markerCount)
        d.markerMeshes.resize(d.markerCount);
    for (DWORD k = 0; k < d.markerCount; ++k) {
        ID3DXMesh* source = d.markerSysMemMeshes[k];
        if (!source || d.markerMeshes[k])
            continue;
        // Slots that share one marker share its drawable copy as well.
        if (k > 0 && source == d.markerSysMemMeshes[k - 1] && d.markerMeshes[k - 1]) {
            d.markerMeshes[k] = d.markerMeshes[k - 1].share();
            continue;
        }
        source->CloneMeshFVF(m_meshOptions | D3DXMESH_VB_WRITEONLY, source->GetFVF(), m_pDevice,
                             d.markerMeshes[k].put());
    }
}

void CMyD3DApplication::RebuildDrawableMesh(MeshData& d)
{
    if (!d.sysMemMesh)
        return;
    RebuildMarkerCopies(d);
    if (FAILED(d.sysMemMesh->GetVertexBuffer(d.vertexBuffer.put())))
        return;
    if (g_meshHasPoints)
        writePanePointsToMesh(*m_texturePane, d.sysMemMesh, 0.0f);
    d.sysMemMesh->CloneMeshFVF(m_meshOptions | D3DXMESH_VB_WRITEONLY, d.sysMemMesh->GetFVF(),
                               m_pDevice, d.mesh.put());
}
