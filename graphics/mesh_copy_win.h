#pragma once
// Copies of meshes: CloneMeshFVF and Optimize, written against the mesh interface.
#include "graphics/d3dx_win.h"

HRESULT cloneMesh(ID3DXMesh* source, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                  ID3DXMesh** ppCloneMesh);

HRESULT optimizeMesh(ID3DXMesh* source, DWORD flags, const DWORD* pAdjacencyIn,
                     DWORD* pAdjacencyOut, DWORD* pFaceRemap, ID3DXBuffer** ppVertexRemap,
                     ID3DXMesh** ppOptMesh);
