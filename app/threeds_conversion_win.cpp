// Opening a 3DS file: the record the chunk reader filled becomes the displayed mesh, with its
// texture in the pane and one point per vertex at (W·u, H·v).
#include "app/my_d3d_application_win.h"

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/pane_points_win.h"
#include "app/subset_materials_win.h"
#include "app/texture_pane_win.h"
#include "framework/media_search_win.h"
#include "viewer/image_group_win.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/diagnostics.h"
#include "threeds/mesh_record.h"
#include "viewer/viewer_settings.h"

namespace {

void fillMesh(const MeshRecord& record, EditedVertex* vertices, WORD* indices)
{
    for (uint32_t k = 0; k < record.vertexCount(); ++k) {
        EditedVertex& vertex = vertices[k];
        vertex.x = record.vertices[k].x;
        vertex.y = record.vertices[k].y;
        vertex.z = record.vertices[k].z;
        vertex.nx = vertex.ny = vertex.nz = 0.0f;
        if (k < record.texCoordCount()) {
            vertex.u = record.texCoords[k].u;
            vertex.v = record.texCoords[k].v;
        }
    }
    for (uint32_t f = 0; f < record.faceCount(); ++f) {
        indices[3 * f] = WORD(record.faces[f].a);
        indices[3 * f + 1] = WORD(record.faces[f].b);
        indices[3 * f + 2] = WORD(record.faces[f].c);
    }
}

} // namespace

void CMyD3DApplication::ApplyRecordTexture(const MeshRecord& record)
{
    const char* name = lastTextureFileName(record);
    if (!name[0]) {
        emptyPaneBitmap(*m_texturePane);
        return;
    }
    g_fileMaterials.setTexture(0, name);
    CreateTextureFromName(m_pDevice, name, m_textures[0].put());
    g_textureFileName.set(name);
    char found[512];
    LocateMediaFile(found, int(sizeof(found)), name);
    showPaneTexture(*m_texturePane, found);
}

void CMyD3DApplication::BuildMeshFrom3ds()
{
    g_pointsReady = false;
    m_objSource.reset();
    m_font->BuildTexture(m_pDevice);
    if (g_meshRecords.empty() || g_meshRecords.front().vertexCount() == 0 ||
        g_meshRecords.front().faceCount() == 0) {
        errorBox("Error file is empty");
        return;
    }
    // The reader has refused files whose faces name vertices past the list.
    const MeshRecord& record = g_meshRecords.front();
    ComRef<ID3DXMesh> mesh;
    if (FAILED(D3DXCreateMeshFVF(record.faceCount(), record.vertexCount(), 0, kEditedVertexFormat,
                                 m_pDevice, mesh.put()))) {
        errorBox("Error: the mesh of the file is too large");
        return;
    }
    if (!g_fileMaterials.allocate(1) || !allocateSubsetArrays(1, m_materials, m_textures)) {
        m_numMaterials = 0;
        return;
    }
    m_numMaterials = 1;
    ApplyRecordTexture(record);
    const bool textured = g_fileMaterials.firstTexture() != nullptr;
    {
        VertexLock vertices(mesh);
        IndexLock indices(mesh);
        if (vertices.ok() && indices.ok()) {
            fillMesh(record, vertices.edited(), indices.indices());
            ForgetPointHistory();
            m_texturePane->clearEdges();
            addFaceEdges(*m_texturePane, indices.indices(), record.faceCount(),
                         record.vertexCount(), textured);
            std::vector<PlanePoint> points(record.vertexCount());
            for (uint32_t k = 0; k < record.vertexCount(); ++k) {
                points[k].s = vertices.edited()[k].u;
                points[k].t = vertices.edited()[k].v;
            }
            replacePanePoints(*m_texturePane, points, textured);
            g_pointsReady = true;
            setPaneZoom(*m_texturePane, 1.0f);
            D3DXComputeBoundingSphere(reinterpret_cast<const D3DXVECTOR3*>(vertices.bytes()),
                                      record.vertexCount(), sizeof(EditedVertex),
                                      &m_objectCenter, &m_objectRadius);
        }
    }
    D3DXComputeNormals(mesh, nullptr);
    if (SUCCEEDED(OptimizeMeshData(mesh, nullptr, D3DXMESHOPT_ATTRSORT, m_meshData)))
        repaintPane(*m_texturePane);
    mesh.reset();
    g_pointsReady = true;
}

void CMyD3DApplication::Open3dsFile()
{
    if (!g_chunk3dsFile.openForReading(m_meshFileName)) {
        errorBox("Error: unable to open file");
        return;
    }
    g_meshRecords.clear();
    g_meshRecords.emplace_back();
    // A damaged file has had its message from the reader; its half-read record is not a mesh,
    // and the mesh shown so far stays.
    if (!g_chunk3dsFile.Read()) {
        g_meshRecords.clear();
        g_chunk3dsFile.closeReading();
        return;
    }
    g_meshShown = true;
    InvalidateDeviceResources();
    releaseMarkerCopyArray(m_meshData);
    DeleteDeviceResources();
    BuildMeshFrom3ds();
    if (m_meshData.sysMemMesh)
        CreateMarkers(m_meshData.sysMemMesh->GetNumVertices());
    RestoreDeviceResources();
    g_meshRecords.clear();
    g_chunk3dsFile.closeReading();
}
