#pragma once
// The per-subset arrays of a mesh (Direct3D materials and textures) and the file materials
// written into a saved X file. Every subset gets the same grey material, whatever the file
// says.
#include <windows.h>
#include <d3d9.h>

#include "graphics/d3dx_win.h"

// Diffuse 0.6941 grey (alpha 0), ambient (0, 0, 0, 1), specular white, emissive (0, 0, 0, 1):
// the material saved with every subset.
D3DMATERIAL9 defaultFileMaterial();

// The same, with the ambient colour equal to the diffuse one: the material the view draws with.
D3DMATERIAL9 defaultDrawMaterial();

// New arrays of n draw materials and n null textures, after releasing the textures and freeing
// the arrays given. False (both arrays null) when the memory cannot be had.
bool allocateSubsetArrays(DWORD n, D3DMATERIAL9*& materials, IDirect3DTexture9**& textures,
                          DWORD oldCount);

// Releases the n textures and frees both arrays, leaving them null.
void freeSubsetArrays(DWORD n, D3DMATERIAL9*& materials, IDirect3DTexture9**& textures);

// g_fileMaterials: n entries of the default file material with no texture name, after freeing
// the old array of oldCount entries and their names. False when the memory cannot be had.
bool allocateFileMaterials(DWORD n, DWORD oldCount);
// Frees g_fileMaterials (oldCount entries) with their texture names; leaves it null.
void freeFileMaterials(DWORD oldCount);
// Gives entry i a copy of `name` as its texture file name.
void setFileMaterialTexture(DWORD i, const char* name);
// The texture name of subset 0, or null (no mesh, or its first subset names no texture).
const char* firstFileMaterialTexture();
