// Giving every subset of the mesh the bitmap the user opened as its texture.
#include "app/my_d3d_application_win.h"

#include "app/globals_win.h"
#include "app/subset_materials_win.h"
#include "framework/media_search_win.h"

void CMyD3DApplication::LoadSubsetTextures()
{
    if (!g_fileMaterials.allocate(m_numMaterials) ||
        !allocateSubsetArrays(m_numMaterials, m_materials, m_textures)) {
        m_numMaterials = 0;
        return;
    }
    const char* name = g_textureFileName.get();
    if (!name)
        return;
    for (DWORD i = 0; i < m_numMaterials; ++i) {
        g_fileMaterials.setTexture(i, name);
        CreateTextureFromName(m_pDevice, name, m_textures[i].put());
    }
}

HRESULT CMyD3DApplication::CreateTextureFromName(IDirect3DDevice9* device, const char* name,
                                                 IDirect3DTexture9** texture)
{
    *texture = nullptr;
    char found[512];
    LocateMediaFile(found, int(sizeof(found)), name);
    return D3DXCreateTextureFromFileA(device, found, texture);
}
