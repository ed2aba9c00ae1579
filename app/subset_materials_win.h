#pragma once
// The per-subset arrays of a mesh (Direct3D materials and textures) and the file materials
// written into a saved X file. Every subset gets the same grey material, whatever the file
// says.
#include <windows.h>
#include <d3d9.h>

#include <string>
#include <vector>

#include "base/com_ref.h"
#include "graphics/d3dx_win.h"

using SubsetMaterials = std::vector<D3DMATERIAL9>;
using SubsetTextures = std::vector<ComRef<IDirect3DTexture9>>;

// Diffuse 0.6941 grey (alpha 0), ambient (0, 0, 0, 1), specular white, emissive (0, 0, 0, 1):
// the material saved with every subset.
D3DMATERIAL9 defaultFileMaterial();

// The same, with the ambient colour equal to the diffuse one: the material the view draws with.
D3DMATERIAL9 defaultDrawMaterial();

// n draw materials and n empty texture slots (one of each at least), after releasing what the
// arrays held. False (both arrays empty) when the memory cannot be had.
bool allocateSubsetArrays(DWORD n, SubsetMaterials& materials, SubsetTextures& textures);

// Releases the textures and empties both arrays.
void freeSubsetArrays(SubsetMaterials& materials, SubsetTextures& textures);

// The materials of a saved X file, one per subset, and the texture names they point to.
class FileMaterials {
public:
    // n entries (one at least, so that subset 0 can always be asked for its texture) of the
    // default file material without a texture name, replacing the old ones. False, leaving
    // none, when the memory cannot be had.
    bool allocate(DWORD n);
    void clear();
    // Gives entry i a copy of `name` as its texture file name.
    void setTexture(DWORD i, const char* name);
    // The texture name of subset 0, or null (no entries, or its first subset names none).
    const char* firstTexture() const;
    // The entries as the X writer takes them; null when there are none.
    const D3DXMATERIAL* entries() const { return entries_.empty() ? nullptr : entries_.data(); }

private:
    std::vector<D3DXMATERIAL> entries_;
    std::vector<std::string> names_;   // the texture names the entries point into
};

// The file materials of the displayed mesh; empty when no mesh is loaded.
extern FileMaterials g_fileMaterials;
