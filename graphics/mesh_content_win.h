#pragma once
// Mesh objects to and from MeshContent, for mesh files read and written outside the X-file
// calls (OBJ, and exports in any format).
#include "graphics/d3dx_win.h"
#include "graphics/mesh_content.h"

// A mesh as D3DXLoadMeshFromX makes it from a file's content, with the same outputs (each
// may be null but the mesh). Content whose arrays or indices do not hold together is
// D3DXERR_INVALIDDATA; a content without materials gets one white material.
HRESULT meshFromContent(MeshContent& content, DWORD options, IDirect3DDevice9* device,
                        ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials,
                        ID3DXBuffer** ppEffectInstances, DWORD* pNumMaterials, ID3DXMesh** ppMesh);

// The mesh's positions, normals, colours, first texture coordinates, faces and attributes,
// with the given materials. Every index must lie below the vertex count and every attribute
// below materialCount (when it is not 0), else D3DERR_INVALIDCALL.
HRESULT meshContentOf(ID3DXMesh* mesh, const D3DXMATERIAL* materials, DWORD materialCount,
                      MeshContent& out);
