// Loading an X file into the displayed mesh: materials and textures, the texture pane's
// bitmap, points and edges, the bounding sphere, the vertex layout and normals.
#include "app/my_d3d_application_win.h"

#include <cstring>

#include "base/file_names.h"
#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/pane_points_win.h"
#include "app/subset_materials_win.h"
#include "app/texture_pane_win.h"
#include "framework/media_search_win.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

// The marker is a tenth of the mesh's radius, relative to the radius of the marker mesh.
const float kMarkerRadius = 1.72733f;

// Bytes a declaration element of this type takes in a vertex.
UINT declarationTypeSize(BYTE type)
{
    switch (type) {
    case D3DDECLTYPE_FLOAT1: return 4;
    case D3DDECLTYPE_FLOAT2: return 8;
    case D3DDECLTYPE_FLOAT3: return 12;
    case D3DDECLTYPE_FLOAT4: return 16;
    case D3DDECLTYPE_SHORT4:
    case D3DDECLTYPE_SHORT4N:
    case D3DDECLTYPE_USHORT4N:
    case D3DDECLTYPE_FLOAT16_4: return 8;
    default: return 4;   // D3DCOLOR, UBYTE4, SHORT2, UBYTE4N, SHORT2N, USHORT2N, UDEC3, DEC3N, FLOAT16_2
    }
}

// The elements before the end marker, looking at no more than the array holds.
int countDeclarationElements(const D3DVERTEXELEMENT9* declaration)
{
    int count = 0;
    while (count < MAX_FVF_DECL_SIZE && declaration[count].Stream != 0xFF)
        ++count;
    return count;
}

// The last 2D float element of each vertex as (u, v), walking the elements in order with one
// running offset over the whole buffer, as the element sizes add up to the vertex size. A
// layout whose sizes do not add up stops at the end of the buffer instead of reading past it.
void readTextureCoordinates(const BYTE* vertices, size_t bufferSize, DWORD vertexCount,
                            const D3DVERTEXELEMENT9* declaration, int elementCount,
                            std::vector<PlanePoint>& out)
{
    out.assign(vertexCount, PlanePoint());
    size_t offset = 0;
    for (DWORD k = 0; k < vertexCount; ++k) {
        for (int e = 0; e < elementCount; ++e) {
            const UINT size = declarationTypeSize(declaration[e].Type);
            if (size > bufferSize - offset)
                return;
            if (declaration[e].Type == D3DDECLTYPE_FLOAT2) {
                memcpy(&out[k].s, vertices + offset, 4);
                memcpy(&out[k].t, vertices + offset + 4, 4);
            }
            offset += size;
        }
    }
}

} // namespace

void CMyD3DApplication::ApplyFileMaterial(DWORD i, const char* textureName)
{
    if (!textureName || !textureName[0]) {
        emptyPaneBitmap(*m_texturePane);
        return;
    }
    g_fileMaterials.setTexture(i, textureName);
    char found[512];
    LocateMediaFile(found, int(sizeof(found)), textureName);
    g_textureFileName.set(textureName);
    D3DXCreateTextureFromFileA(m_pDevice, found, m_textures[i].put());
    // The pane gets the file the search found, so that a texture beside the mesh in the media
    // folder shows although the current folder is elsewhere.
    showPaneTexture(*m_texturePane, found);
    SendMessageA(m_texturePane->windowHandle(), WM_SIZE, 0, 0);
}

void CMyD3DApplication::FillPaneFromXMesh(ID3DXMesh* mesh, float vShift)
{
    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    int elementCount = 0;
    if (SUCCEEDED(mesh->GetDeclaration(declaration)))
        elementCount = countDeclarationElements(declaration);

    VertexLock vertices(mesh);
    IndexLock indices(mesh);
    if (!vertices.ok() || !indices.ok())
        return;
    const DWORD vertexCount = mesh->GetNumVertices();
    const UINT stride = D3DXGetFVFVertexSize(mesh->GetFVF());
    const bool textured = g_fileMaterials.firstTexture() != nullptr;

    ForgetPointHistory();
    m_texturePane->clearEdges();
    addFaceEdges(*m_texturePane, indices.indices(), mesh->GetNumFaces(), vertexCount, textured);

    D3DXComputeBoundingSphere(reinterpret_cast<const D3DXVECTOR3*>(vertices.bytes()),
                              vertexCount, stride, &m_objectCenter, &m_objectRadius);
    g_markerScale = m_objectRadius * 0.1f / kMarkerRadius;

    std::vector<PlanePoint> coordinates;
    readTextureCoordinates(vertices.bytes(), size_t(vertexCount) * stride, vertexCount,
                           declaration, elementCount, coordinates);
    for (PlanePoint& point : coordinates)
        point.t += vShift;
    replacePanePoints(*m_texturePane, coordinates, textured);
    g_pointsReady = true;
}

HRESULT CMyD3DApplication::LoadMeshFile(ID3DXMesh** meshOut, ID3DXBuffer** adjacencyOut)
{
    *meshOut = nullptr;
    g_pointsReady = false;
    char path[512];
    HRESULT hr = LocateMediaFile(path, int(sizeof(path)), m_meshFileName);
    if (FAILED(hr))
        return hr;

    ComRef<ID3DXBuffer> materialBuffer;
    ComRef<ID3DXMesh> mesh;
    DWORD materialCount = 0;
    m_objSource.reset();
    const bool obj = nameEndsWith(path, ".obj");
    if (obj)
        hr = LoadObjMesh(path, adjacencyOut, materialBuffer.put(), &materialCount, mesh.put());
    else
        hr = D3DXLoadMeshFromX(path, D3DXMESH_SYSTEMMEM, m_pDevice, adjacencyOut,
                               materialBuffer.put(), nullptr, &materialCount, mesh.put());
    if (FAILED(hr))
        return hr;

    const bool filesReady = g_fileMaterials.allocate(materialCount);
    const bool arraysReady = allocateSubsetArrays(materialCount, m_materials, m_textures);
    m_numMaterials = arraysReady ? materialCount : 0;
    if (!filesReady || !arraysReady)
        return E_OUTOFMEMORY;

    const auto* fileMaterials = static_cast<const D3DXMATERIAL*>(materialBuffer->GetBufferPointer());
    const DWORD listed = materialBuffer->GetBufferSize() / sizeof(D3DXMATERIAL);
    for (DWORD i = 0; i < materialCount; ++i)
        ApplyFileMaterial(i, i < listed ? fileMaterials[i].pTextureFilename : nullptr);

    const DWORD loadedFormat = mesh->GetFVF();
    // Points of an X file sit one bitmap height lower: v runs from -1 to 0 over the image.
    FillPaneFromXMesh(mesh, obj ? 0.0f : 1.0f);
    materialBuffer.reset();
    setPaneZoom(*m_texturePane, 1.0f);

    hr = ConvertToEditedLayout(mesh, loadedFormat);
    if (FAILED(hr))
        return hr;
    *meshOut = mesh.detach();
    g_meshHasPoints = true;
    repaintPane(*m_texturePane);
    return S_OK;
}

HRESULT CMyD3DApplication::ConvertToEditedLayout(ComRef<ID3DXMesh>& mesh, DWORD loadedFormat)
{
    DWORD format = 0;
    if (m_force32ByteVertices && loadedFormat != kEditedVertexFormat)
        format = kEditedVertexFormat;
    else if (!m_force32ByteVertices && !(loadedFormat & D3DFVF_NORMAL))
        format = loadedFormat | D3DFVF_NORMAL;
    if (format) {
        ComRef<ID3DXMesh> clone;
        const HRESULT hr = mesh->CloneMeshFVF(mesh->GetOptions(), format, m_pDevice, clone.put());
        mesh = std::move(clone);
        if (FAILED(hr))
            return hr;
    }
    if (!(loadedFormat & D3DFVF_NORMAL))
        D3DXComputeNormals(mesh, nullptr);
    return S_OK;
}
