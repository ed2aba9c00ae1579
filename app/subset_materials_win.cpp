#include "app/subset_materials_win.h"

#include <new>

FileMaterials g_fileMaterials;

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

void freeSubsetArrays(SubsetMaterials& materials, SubsetTextures& textures)
{
    textures.clear();
    materials.clear();
}

bool allocateSubsetArrays(DWORD n, SubsetMaterials& materials, SubsetTextures& textures)
{
    freeSubsetArrays(materials, textures);
    try {
        materials.assign(n ? n : 1, defaultDrawMaterial());
        textures.resize(n ? n : 1);
    } catch (const std::bad_alloc&) {
        freeSubsetArrays(materials, textures);
        return false;
    }
    return true;
}

void FileMaterials::clear()
{
    entries_.clear();
    names_.clear();
}

bool FileMaterials::allocate(DWORD n)
{
    clear();
    const DWORD count = n ? n : 1;
    try {
        D3DXMATERIAL entry = {};
        entry.MatD3D = defaultFileMaterial();
        entries_.assign(count, entry);
        names_.resize(count);
    } catch (const std::bad_alloc&) {
        clear();
        return false;
    }
    return true;
}

void FileMaterials::setTexture(DWORD i, const char* name)
{
    names_[i] = name;
    entries_[i].pTextureFilename = names_[i].data();
}

const char* FileMaterials::firstTexture() const
{
    return entries_.empty() ? nullptr : entries_[0].pTextureFilename;
}
