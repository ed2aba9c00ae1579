#pragma once
// Our Direct3D 9 utility library with the D3DX names and calling conventions: mesh and buffer
// objects, mesh creation, loading and saving of X files, normals, bounds, triangle strips and
// textures from image files. Results are HRESULTs (negative on failure); objects are reference
// counted and released by whoever obtained them.
#include <windows.h>
#include <d3d9.h>

#include "base/atomic_file.h"
#include "graphics/d3dx_math.h"
#include "graphics/image.h"

// Mesh options: where the vertex (VB_) and index (IB_) buffers live and how they are used.
const DWORD D3DXMESH_32BIT = 0x001;          // not supported: our index buffers are 16-bit
const DWORD D3DXMESH_VB_SYSTEMMEM = 0x010;
const DWORD D3DXMESH_VB_MANAGED = 0x020;
const DWORD D3DXMESH_VB_WRITEONLY = 0x040;
const DWORD D3DXMESH_VB_DYNAMIC = 0x080;
const DWORD D3DXMESH_IB_SYSTEMMEM = 0x100;
const DWORD D3DXMESH_IB_MANAGED = 0x200;
const DWORD D3DXMESH_IB_WRITEONLY = 0x400;
const DWORD D3DXMESH_IB_DYNAMIC = 0x800;
const DWORD D3DXMESH_SYSTEMMEM = 0x110;
const DWORD D3DXMESH_MANAGED = 0x220;
const DWORD D3DXMESH_WRITEONLY = 0x440;
const DWORD D3DXMESH_DYNAMIC = 0x880;

// Optimize: faces sorted by attribute (stable), the attribute table rebuilt.
const DWORD D3DXMESHOPT_ATTRSORT = 0x02000000;

const DWORD D3DXF_FILEFORMAT_BINARY = 0;
const DWORD D3DXF_FILEFORMAT_TEXT = 1;

// Entries of a declaration array, the end marker included.
const int MAX_FVF_DECL_SIZE = 65;

struct D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    char* pTextureFilename;   // null when the material names no texture
};

struct D3DXEFFECTDEFAULT {
    char* pParamName;
    DWORD Type;
    DWORD NumBytes;
    void* pValue;
};

struct D3DXEFFECTINSTANCE {
    char* pEffectFilename;
    DWORD NumDefaults;
    D3DXEFFECTDEFAULT* pDefaults;
};

// A run of faces with one attribute (subset). Vertices keep their places, so VertexStart ..
// VertexStart + VertexCount - 1 is the span of vertices the run's faces use.
struct D3DXATTRIBUTERANGE {
    DWORD AttribId;
    DWORD FaceStart;
    DWORD FaceCount;
    DWORD VertexStart;
    DWORD VertexCount;
};

// A block of bytes handed out by the library (materials, adjacency, remaps, strip lengths).
struct ID3DXBuffer : public IUnknown {
    virtual LPVOID STDMETHODCALLTYPE GetBufferPointer() = 0;
    virtual DWORD STDMETHODCALLTYPE GetBufferSize() = 0;
};
typedef ID3DXBuffer* LPD3DXBUFFER;

// A triangle mesh: a vertex buffer laid out by a flexible vertex format, a 16-bit index buffer
// (three indices per face), an attribute per face and a table of attribute runs.
// The CPU copies are the mesh's own memory; the Direct3D buffers in the pool the options name
// are made on first use (GetVertexBuffer, GetIndexBuffer, DrawSubset), after which they hold
// the data. Either way a lock gives the current contents.
struct ID3DXMesh : public IUnknown {
    // Draws the faces whose attribute is attribId as a triangle list on the mesh's device.
    virtual HRESULT STDMETHODCALLTYPE DrawSubset(DWORD attribId) = 0;
    virtual DWORD STDMETHODCALLTYPE GetNumFaces() = 0;
    virtual DWORD STDMETHODCALLTYPE GetNumVertices() = 0;
    virtual DWORD STDMETHODCALLTYPE GetFVF() = 0;
    // Fills the elements of the vertex format followed by D3DDECL_END.
    virtual HRESULT STDMETHODCALLTYPE GetDeclaration(
        D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]) = 0;
    virtual DWORD STDMETHODCALLTYPE GetNumBytesPerVertex() = 0;
    virtual DWORD STDMETHODCALLTYPE GetOptions() = 0;
    // The device, with a reference added for the caller.
    virtual HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice9** ppDevice) = 0;
    // A copy with other options and vertex format: components present in both formats are
    // copied, the others are zero. Indices, attributes and attribute table are copied.
    virtual HRESULT STDMETHODCALLTYPE CloneMeshFVF(DWORD options, DWORD fvf,
                                                   IDirect3DDevice9* pDevice,
                                                   ID3DXMesh** ppCloneMesh) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVertexBuffer(IDirect3DVertexBuffer9** ppVB) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIndexBuffer(IDirect3DIndexBuffer9** ppIB) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockVertexBuffer(DWORD flags, LPVOID* ppData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnlockVertexBuffer() = 0;
    virtual HRESULT STDMETHODCALLTYPE LockIndexBuffer(DWORD flags, LPVOID* ppData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnlockIndexBuffer() = 0;
    // With a null table, only the entry count is written.
    virtual HRESULT STDMETHODCALLTYPE GetAttributeTable(D3DXATTRIBUTERANGE* pAttribTable,
                                                        DWORD* pAttribTableSize) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockAttributeBuffer(DWORD flags, DWORD** ppData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnlockAttributeBuffer() = 0;
    // A copy with the faces sorted by attribute (D3DXMESHOPT_ATTRSORT; stable, vertices keep
    // their order) and the mesh options of the low flag bits. Optional outputs: adjacency of
    // the new faces, pFaceRemap[new face] = old face, vertex remap buffer (new -> old).
    virtual HRESULT STDMETHODCALLTYPE Optimize(DWORD flags, const DWORD* pAdjacencyIn,
                                               DWORD* pAdjacencyOut, DWORD* pFaceRemap,
                                               ID3DXBuffer** ppVertexRemap,
                                               ID3DXMesh** ppOptMesh) = 0;
};
typedef ID3DXMesh* LPD3DXMESH;

// A zero-filled buffer of numBytes bytes.
HRESULT D3DXCreateBuffer(DWORD numBytes, ID3DXBuffer** ppBuffer);

// An empty mesh (zeroed vertices and indices, attributes 0, no attribute table).
// Fails for more than 65535 vertices, D3DXMESH_32BIT or a format without a position.
HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                          IDirect3DDevice9* pDevice, ID3DXMesh** ppMesh);

// Reads an X file into a mesh with D3DFVF_XYZ plus NORMAL, DIFFUSE and TEX1 where the file has
// them, vertices and faces in the file's order, attributes from the material list and an
// attribute table of the runs of equal attributes. Outputs (each may be null): adjacency (3 DWORDs per face, neighbour
// across edges 0-1, 1-2, 2-0, 0xFFFFFFFF for none; vertices at the same position count as one),
// materials (D3DXMATERIAL records; the texture names live inside the same buffer), effect
// instances (one empty record per material) and the material count. A file without materials
// gives one white material. Files of more than 65535 vertices fail (16-bit indices only).
HRESULT D3DXLoadMeshFromX(const char* pFilename, DWORD options, IDirect3DDevice9* pDevice,
                          ID3DXBuffer** ppAdjacency, ID3DXBuffer** ppMaterials,
                          ID3DXBuffer** ppEffectInstances, DWORD* pNumMaterials,
                          ID3DXMesh** ppMesh);

// Writes the mesh (any vertex format: position, normal, diffuse colour and first texture
// coordinate are kept) with numMaterials materials as an X file in the given format.
// Adjacency and effect instances are not written. The file is saved atomically: when that
// fails, the result is hresultOfSave(why) and any earlier file is left as it was.
HRESULT D3DXSaveMeshToX(const char* pFilename, ID3DXMesh* pMesh, const DWORD* pAdjacency,
                        const D3DXMATERIAL* pMaterials,
                        const D3DXEFFECTINSTANCE* pEffectInstances, DWORD numMaterials,
                        DWORD format);
// The HRESULT for a save that did not happen (S_OK for Saved), and back: saveResultOf gives
// Saved for every result that is no such failure.
HRESULT hresultOfSave(SaveResult result);
SaveResult saveResultOf(HRESULT result);

// Fills the vertex normals: each the normalised sum of the normals of the faces that use the
// vertex, weighted by the face's angle at it. The format must have D3DFVF_XYZ and
// D3DFVF_NORMAL. The adjacency is not needed and may be null.
HRESULT D3DXComputeNormals(ID3DXMesh* pMesh, const DWORD* pAdjacency);

// Centre = mean of the positions, radius = largest distance from it. No vertices: (0,0,0), 0.
HRESULT D3DXComputeBoundingSphere(const D3DXVECTOR3* pFirstPosition, DWORD numVertices,
                                  DWORD stride, D3DXVECTOR3* pCenter, float* pRadius);

// Bytes per vertex of a flexible vertex format.
UINT D3DXGetFVFVertexSize(DWORD fvf);

// One strip for the faces of subset attribId: every triangle once with its winding kept,
// strips joined by degenerate triangles. The index buffer (16-bit) lives where ibOptions
// says (D3DXMESH_IB_*); *pNumIndices gets its index count (0 for a subset without faces, with
// a buffer of one index). Fails for a mesh with an index past its vertices.
HRESULT D3DXConvertMeshToSingleStrip(ID3DXMesh* pMeshIn, DWORD attribId, DWORD ibOptions,
                                     IDirect3DIndexBuffer9** ppIndexBuffer, DWORD* pNumIndices);

// The strips of subset attribId one after another in one index buffer: strip k has
// lengths[k] triangles and lengths[k] + 2 indices. ppStripLengths gets a buffer of
// *pNumStrips DWORD lengths.
HRESULT D3DXConvertMeshToStrips(ID3DXMesh* pMeshIn, DWORD attribId, DWORD ibOptions,
                                IDirect3DIndexBuffer9** ppIndexBuffer, DWORD* pNumIndices,
                                ID3DXBuffer** ppStripLengths, DWORD* pNumStrips);

// A managed texture with a full mip chain from a BMP, TGA, PNG, JPEG, DDS, PGM or PPM file,
// its sides rounded up to powers of two. Fails (never crashes) on a missing, unknown or
// corrupt file: D3DXERR_INVALIDDATA.
HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* pDevice, const char* pSrcFile,
                                   IDirect3DTexture9** ppTexture);

// A managed texture with a full mip chain holding `image` (generated pixels). D3DERR_INVALIDCALL
// for an empty image or one whose pixels do not fill its size.
HRESULT createTextureFromImage(IDirect3DDevice9* device, const Image& image,
                               IDirect3DTexture9** texture);

// The failure code of a file the library cannot read.
const HRESULT D3DXERR_INVALIDDATA = MAKE_HRESULT(1, 0x876, 2905);
