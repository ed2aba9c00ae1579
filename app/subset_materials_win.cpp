#include "app/subset_materials_win.h"

#include <cstring>
#include <new>

#include "app/globals_win.h"

namespace {

D3DCOLORVALUE colour(float r, float g, float b, float a)
{
    D3DCOLORVALUE value;
    value.r = r;
    value.g = g;
    value.b = b;
    value.a = a;
    return value;
}

} // namespace

D3DMATERIAL9 defaultFileMaterial()
{
    D3DMATERIAL9 material = {};
    material.Diffuse = colour(0.6941f, 0.6941f, 0.6941f, 0.0f);
    material.Ambient = colour(0.0f, 0.0f, 0.0f, 1.0f);
    material.Specular = colour(1.0f, 1.0f, 1.0f, 1.0f);
    material.Emissive = colour(0.0f, 0.0f, 0.0f, 1.0f);
    return material;
}

D3DMATERIAL9 defaultDrawMaterial()
{
    D3DMATERIAL9 material = defaultFileMaterial();
    material.Ambient = material.Diffuse;
    return material;
}

void freeSubsetArrays(DWORD n, D3DMATERIAL9*& materials, IDirect3DTexture9**& textures)
{
    if (textures) {
        for (DWORD i = 0; i < n; ++i)
            if (textures[i])
                textures[i]->Release();
    }
    delete[] textures;
    textures = nullptr;
    delete[] materials;
    materials = nullptr;
}

bool allocateSubsetArrays(DWORD n, D3DMATERIAL9*& materials, IDirect3DTexture9**& textures,
                          DWORD oldCount)
{
    freeSubsetArrays(oldCount, materials, textures);
    materials = new (std::nothrow) D3DMATERIAL9[n ? n : 1];
    textures = new (std::nothrow) IDirect3DTexture9*[n ? n : 1]();
    if (!materials || !textures) {
        freeSubsetArrays(0, materials, textures);
        return false;
    }
    for (DWORD i = 0; i < n; ++i)
        materials[i] = defaultDrawMaterial();
    return true;
}

void freeFileMaterials(DWORD oldCount)
{
    if (!g_fileMaterials)
        return;
    for (DWORD i = 0; i < (oldCount ? oldCount : 1); ++i)
        delete[] g_fileMaterials[i].pTextureFilename;
    delete[] g_fileMaterials;
    g_fileMaterials = nullptr;
}

bool allocateFileMaterials(DWORD n, DWORD oldCount)
{
    freeFileMaterials(oldCount);
    // One entry at least, so that subset 0 can always be asked for its texture.
    const DWORD entries = n ? n : 1;
    g_fileMaterials = new (std::nothrow) D3DXMATERIAL[entries];
    if (!g_fileMaterials)
        return false;
    for (DWORD i = 0; i < entries; ++i) {
        g_fileMaterials[i].MatD3D = defaultFileMaterial();
        g_fileMaterials[i].pTextureFilename = nullptr;
    }
    return true;
}

void setFileMaterialTexture(DWORD i, const char* name)
{
    const size_t length = strlen(name);
    char* copy = new char[length + 1];
    memcpy(copy, name, length + 1);
    delete[] g_fileMaterials[i].pTextureFilename;
    g_fileMaterials[i].pTextureFilename = copy;
}

const char* firstFileMaterialTexture()
{
    if (!g_fileMaterials)
        return nullptr;
    return g_fileMaterials[0].pTextureFilename;
}
