// Saving the edited mesh: as a binary X file with the pane's points as its texture
// coordinates, or as a 3DS file with the coordinates the mesh holds since the last apply.
#include "app/my_d3d_application_win.h"

#include <cstring>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/pane_points_win.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/diagnostics.h"
#include "threeds/mesh_record.h"

namespace {

// X files keep v one bitmap height up: a point at y is saved as y / H - 1.
const float kXFileVOffset = -1.0f;

void copyText(char* destination, const char* source, size_t size)
{
    strncpy(destination, source ? source : "", size - 1);
    destination[size - 1] = '\0';
}

} // namespace

HRESULT CMyD3DApplication::SaveMeshAsX(ID3DXMesh* mesh)
{
    if (!mesh)
        return E_FAIL;
    writePanePointsToMesh(*m_texturePane, mesh, kXFileVOffset);
    return D3DXSaveMeshToX(m_meshFileName, mesh, nullptr, g_fileMaterials.entries(), nullptr,
                           m_numMaterials, D3DXF_FILEFORMAT_BINARY);
}

void CMyD3DApplication::BuildMeshRecordForSave(MeshData& d)
{
    g_meshRecords.emplace_back();
    MeshRecord& record = g_meshRecords.front();
    record.materialCount = 1;
    copyText(record.materials[0].textureFileName, g_textureFileName.get(),
             sizeof(record.materials[0].textureFileName));
    if (!d.sysMemMesh)
        return;
    if (FAILED(d.sysMemMesh->CloneMeshFVF(m_meshOptions | D3DXMESH_VB_WRITEONLY,
                                          d.sysMemMesh->GetFVF(), m_pDevice, d.mesh.put())))
        return;
    VertexLock vertices(d.mesh);
    IndexLock indices(d.mesh);
    if (!vertices.ok() || !indices.ok())
        return;
    const DWORD vertexCount = d.mesh->GetNumVertices();
    const UINT stride = D3DXGetFVFVertexSize(d.mesh->GetFVF());
    const bool edited = hasEditedLayout(d.mesh);
    record.vertices.resize(vertexCount);
    record.texCoords.resize(vertexCount);
    for (DWORD k = 0; k < vertexCount; ++k) {
        const BYTE* vertex = vertices.bytes() + size_t(k) * stride;
        memcpy(&record.vertices[k], vertex, sizeof(Vertex3ds));
        if (edited)
            memcpy(&record.texCoords[k], vertex + offsetof(EditedVertex, u), sizeof(TexCoord3ds));
    }
    const DWORD faceCount = d.mesh->GetNumFaces();
    record.faces.resize(faceCount);
    const WORD* corner = indices.indices();
    for (DWORD f = 0; f < faceCount; ++f)
        record.faces[f] = Face3ds{corner[3 * f], corner[3 * f + 1], corner[3 * f + 2]};
}

void CMyD3DApplication::Save3dsFile()
{
    if (!g_chunk3dsFile.openForWriting(m_meshFileName)) {
        errorBox("Error: unable to open file");
        return;
    }
    BuildMeshRecordForSave(m_meshData);
    g_chunk3dsFile.Write();
    g_meshRecords.clear();
    g_chunk3dsFile.closeWriting();
}
