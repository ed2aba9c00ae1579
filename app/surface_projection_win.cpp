// Project...: new texture coordinates from the mesh's shape (box, cylinder, sphere or the
// current view), laid over the bitmap as Map Texture Coordinates lays its planes (over the
// checker where no bitmap has a size), as one undo step.
#include "app/my_d3d_application_win.h"

#include "app/editor_dialogs_win.h"
#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/pane_points_win.h"
#include "app/plane_projection.h"
#include "app/texture_pane_win.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"

void CMyD3DApplication::ProjectSurface()
{
    if (!g_meshShown || !m_meshData.sysMemMesh) {
        errorBox("There is no mesh to project: open a mesh file first.");
        return;
    }
    if (!EditableWindow() || DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PROJECT), m_hMainWnd,
                                             ProjectDlgProc, LPARAM(&m_projectChoice)) <= 0)
        return;
    ID3DXMesh* mesh = m_meshData.sysMemMesh;
    const std::vector<D3DXVECTOR3> positions = meshPositions<D3DXVECTOR3>(mesh);
    {
        IndexLock indices(mesh);
        if (!indices.ok() || positions.empty())
            return;
        // The screen's directions in the mesh's own space: the columns of the view's rotation.
        SurfaceProjection projection = m_projectChoice.projection;
        const D3DXMATRIX& turn = m_arcBall.m_rotationMatrix;
        projection.viewRight = {turn._11, turn._21, turn._31};
        projection.viewUp = {turn._12, turn._22, turn._32};
        std::vector<PlanePoint> points;
        projectSurface(projection, positions, indices.indices(), mesh->GetNumFaces(), points);
        mirrorPlaneCoordinates(points, m_projectChoice.reverseU, m_projectChoice.reverseV);
        normalisePlaneCoordinates(points);
        recordPaneStep(*m_texturePane, "Project", [&] {
            m_texturePane->clearEdges();
            addFaceEdges(*m_texturePane, indices.indices(), mesh->GetNumFaces(), DWORD(positions.size()), true);
            replacePanePoints(*m_texturePane, points, true, true);
        });
    }
    // The pane now holds a point for every vertex, even for a mesh that came without them.
    g_meshHasPoints = true;
    repaintPane(*m_texturePane);
    SendMessageA(m_texturePane->windowHandle(), WM_COMMAND, CommandApply, 0);
}
