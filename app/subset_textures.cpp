// Giving every subset of the mesh the bitmap the user opened as its texture.
#include "app/my_d3d_application.h"

#include "app/globals.h"
#include "app/subset_materials.h"
#include "framework/media_search.h"

void CMyD3DApplication::LoadSubsetTextures()
{
    if (!allocateFileMaterials(m_numMaterials, m_numMaterials) ||
        !allocateSubsetArrays(m_numMaterials, m_materials, m_textures, m_numMaterials)) {
        m_numMaterials = 0;
        return;
    }
    const char* name = g_textureFileName.get();
    if (!name)
        return;
    for (DWORD i = 0; i < m_numMaterials; ++i) {
        setFileMaterialTexture(i, name);
        CreateTextureFromName(m_pDevice, name, &m_textures[i]);
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
