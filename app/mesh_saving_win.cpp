// Saving the edited mesh: as a binary X file with the pane's points as its texture
// coordinates, or as a 3DS file with the coordinates the mesh holds since the last apply.
#include "app/my_d3d_application_win.h"

#include <cstdio>
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

// Shows why the points could not go into the mesh before an X save. A vertex buffer that
// cannot be locked skips the save without a message.
void reportWriteBack(PointWriteBack result)
{
    if (result == PointWriteBack::OtherLayout)
        errorBox("Error: the mesh's vertices have no texture coordinates to take the points; "
                 "nothing was saved.");
    else if (result == PointWriteBack::NoBitmapSize)
        errorBox("Error: the bitmap has no size, so the points cannot become texture "
                 "coordinates; nothing was saved.");
}

void reportSaveFailure(SaveResult result)
{
    if (result != SaveResult::Saved)
        errorBox(saveFailureMessage(result));
}

// A 3DS file keeps its counts in 16 bits; larger ones would be cut to their low 16 bits, a
// file that other readers take as another mesh. Says so when the mesh is too large.
bool fitsInThreeds(ID3DXMesh* mesh)
{
    if (!mesh || (mesh->GetNumVertices() <= kMax3dsListCount &&
                  mesh->GetNumFaces() <= kMax3dsListCount))
        return true;
    char text[200];
    snprintf(text, sizeof(text),
             "Error: a 3DS file holds at most %u vertices and %u faces; this mesh has %lu "
             "vertices and %lu faces. Nothing was saved.",
             kMax3dsListCount, kMax3dsListCount, mesh->GetNumVertices(), mesh->GetNumFaces());
    errorBox(text);
    return false;
}

} // namespace

HRESULT CMyD3DApplication::SaveMeshAsX(ID3DXMesh* mesh)
{
    return WriteXFile(mesh, m_meshFileName, D3DXF_FILEFORMAT_BINARY);
}

HRESULT CMyD3DApplication::WriteXFile(ID3DXMesh* mesh, const char* path, DWORD format)
{
    if (!mesh)
        return E_FAIL;
    // Coordinates older than the points would be a wrong file: without them, nothing is saved.
    const PointWriteBack written = writePanePointsToMesh(*m_texturePane, mesh, kXFileVOffset);
    if (written != PointWriteBack::Written) {
        reportWriteBack(written);
        return E_FAIL;
    }
    const HRESULT hr = D3DXSaveMeshToX(path, mesh, nullptr, g_fileMaterials.entries(), nullptr,
                                       m_numMaterials, format);
    if (saveResultOf(hr) != SaveResult::Saved)
        reportSaveFailure(saveResultOf(hr));
    else if (FAILED(hr))
        errorBox("Error: the mesh could not be saved. The file on disk was left as it was.");
    return hr;
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
    Write3dsFile(m_meshFileName);
}

void CMyD3DApplication::Write3dsFile(const char* path)
{
    if (!fitsInThreeds(m_meshData.sysMemMesh))
        return;
    if (!g_chunk3dsFile.openForWriting(path)) {
        errorBox("Error: unable to open file");
        return;
    }
    BuildMeshRecordForSave(m_meshData);
    g_chunk3dsFile.Write();
    g_meshRecords.clear();
    const SaveResult result = g_chunk3dsFile.closeWriting();
    // A 3DS file that could not be written has the 3DS writer's own word for it.
    if (result == SaveResult::WriteFailed)
        errorBox("Error Writing a char");
    else
        reportSaveFailure(result);
}
