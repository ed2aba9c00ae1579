// What the pane and the 3D view show of the texture: the checker in place of the bitmap, and
// the stretch tint of the pane's triangles.
#include "app/my_d3d_application_win.h"

#include <array>

#include "app/mesh_lock_win.h"
#include "app/texture_pane_win.h"
#include "resources/resource.h"
#include "viewer/checker_pattern.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"
#include "viewer/viewer_settings.h"

void CMyD3DApplication::ToggleChecker()
{
    g_checkerShown = !g_checkerShown;
    CheckMenuItem(GetMenu(m_hMainWnd), IDM_CHECKER, g_checkerShown ? MF_CHECKED : MF_UNCHECKED);
    repaintPane(*m_texturePane);
}

IDirect3DTexture9* CMyD3DApplication::CheckerTexture()
{
    if (!m_checkerTexture && m_pDevice) {
        Image image;
        image.width = image.height = kCheckerSide;
        image.pixels.resize(size_t(kCheckerSide) * kCheckerSide);
        for (int y = 0; y < kCheckerSide; ++y)
            for (int x = 0; x < kCheckerSide; ++x)
                image.pixels[size_t(y) * kCheckerSide + x] = 0xFF000000u | checkerColour(x, y, kCheckerSide, kCheckerSide);
        createTextureFromImage(m_pDevice, image, m_checkerTexture.put());
    }
    return m_checkerTexture.get();
}

void CMyD3DApplication::ToggleStretchView()
{
    g_stretchShown = !g_stretchShown;
    CheckMenuItem(GetMenu(m_hMainWnd), IDM_STRETCH_VIEW, g_stretchShown ? MF_CHECKED : MF_UNCHECKED);
    RefreshStretchFaces();
    repaintPane(*m_texturePane);
}

void CMyD3DApplication::RefreshStretchFaces()
{
    ImageWindow* window = m_texturePane ? m_texturePane->activeWindow() : nullptr;
    if (!window)
        return;
    StretchFaces& faces = window->stretchFaces;
    ID3DXMesh* mesh = m_meshData.sysMemMesh;
    faces = StretchFaces();
    if (!g_stretchShown || !mesh)
        return;
    const std::vector<std::array<float, 3>> positions = meshPositions<std::array<float, 3>>(mesh);
    IndexLock indices(mesh);
    if (indices.ok())
        buildStretchFaces(positions, indices.indices(), mesh->GetNumFaces(), faces);
}
