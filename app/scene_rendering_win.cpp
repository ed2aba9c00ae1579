// The 3D view: device state, light and projection after every device creation or reset; the
// world and view matrices every frame; the mesh drawn as lists, strips or one strip per
// subset, and a marker at every vertex whose point is selected in the texture pane.
#include "app/my_d3d_application_win.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "base/com_ref.h"
#include "graphics/d3dx_math_win.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

const D3DCOLOR kClearColour = 0x000000FF;
const float kQuarterPi = 0.785398163f;
const float kArcBallRadius = 0.85f;
// The eye stands this many radii (times the grid side) in front of the mesh.
const float kEyeDistance = 3.7f;

void setLight(IDirect3DDevice9* device)
{
    D3DLIGHT9 light = {};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse.r = light.Diffuse.g = light.Diffuse.b = 1.0f;
    light.Ambient.r = light.Ambient.g = light.Ambient.b = 0.3f;
    D3DXVECTOR3 direction(0.3f, -1.0f, 1.0f);
    D3DXVec3Normalize(&direction, &direction);
    light.Direction.x = direction.x;
    light.Direction.y = direction.y;
    light.Direction.z = direction.z;
    light.Range = sqrtf(FLT_MAX);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
}

} // namespace

HRESULT CMyD3DApplication::RestoreDeviceResources()
{
    m_font->BuildBuffers();
    m_pDevice->SetRenderState(D3DRS_LIGHTING, TRUE);
    m_pDevice->SetRenderState(D3DRS_DITHERENABLE, TRUE);
    m_pDevice->SetRenderState(D3DRS_ZENABLE, TRUE);
    m_pDevice->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    m_pDevice->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    setLight(m_pDevice);

    m_arcBall.SetWindowSize(int(m_backBufferDesc.Width), int(m_backBufferDesc.Height),
                            kArcBallRadius);
    m_arcBall.SetTranslationRadius(m_objectRadius);

    D3DXMATRIX projection;
    const float aspect = float(m_backBufferDesc.Width) / float(m_backBufferDesc.Height);
    D3DXMatrixPerspectiveFovLH(&projection, kQuarterPi, aspect, m_objectRadius / 64.0f,
                               m_objectRadius * 200.0f);
    m_pDevice->SetTransform(D3DTS_PROJECTION, asD3DMatrix(&projection));

    RebuildDrawableMesh(m_meshData);
    RefreshStretchFaces();
    return S_OK;
}

HRESULT CMyD3DApplication::AdvanceFrame()
{
    D3DXMatrixTranslation(&m_worldMatrix, -m_objectCenter.x, -m_objectCenter.y,
                          -m_objectCenter.z);
    D3DXMatrixMultiply(&m_worldMatrix, &m_worldMatrix, &m_arcBall.m_translationMatrix);
    D3DXMatrixMultiply(&m_worldMatrix, &m_worldMatrix, &m_arcBall.m_rotationMatrix);
    const float gridShift = -m_objectRadius * float(m_gridSide - 1);
    D3DXMATRIX shift;
    D3DXMatrixTranslation(&shift, gridShift, gridShift, 0.0f);
    D3DXMatrixMultiply(&m_worldMatrix, &m_worldMatrix, &shift);

    const D3DXVECTOR3 eye(0.0f, 0.0f, -kEyeDistance * m_objectRadius * float(m_gridSide));
    const D3DXVECTOR3 at(0.0f, 0.0f, 0.0f);
    const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    m_pDevice->SetTransform(D3DTS_VIEW, asD3DMatrix(&view));
    UpdateEditStatus();
    return S_OK;
}

HRESULT CMyD3DApplication::RenderFrame()
{
    m_pDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColour, 1.0f, 0);
    if (FAILED(m_pDevice->BeginScene()))
        return S_OK;
    const DWORD cells = m_gridSide * m_gridSide;
    for (DWORD cell = 0; cell < cells && g_meshShown && m_meshData.sysMemMesh; ++cell)
        DrawMeshWithMarkers();
    m_pDevice->EndScene();
    return S_OK;
}

void CMyD3DApplication::DrawMeshWithMarkers()
{
    VertexLock vertices(m_meshData.sysMemMesh);
    if (!vertices.ok())
        return;
    m_pDevice->SetTransform(D3DTS_WORLD, asD3DMatrix(&m_worldMatrix));
    DrawMeshData(m_meshData);

    const DWORD vertexCount = m_meshData.sysMemMesh->GetNumVertices();
    const UINT stride = D3DXGetFVFVertexSize(m_meshData.sysMemMesh->GetFVF());
    const int32_t pointCount = m_texturePane->pointCount();
    static std::vector<DWORD> selected;   // scratch kept between frames
    selected.clear();
    m_texturePane->resetPointIterator();
    for (DWORD k = 0; k < vertexCount && int64_t(k) < pointCount; ++k) {
        if (m_texturePane->nextPoint().selected)
            selected.push_back(k);
    }
    if (selected.empty())
        return;
    g_pointsReady = true;
    static std::vector<D3DXMATRIX> worlds;
    worlds.resize(selected.size());
    D3DXMATRIX scale;
    D3DXMatrixScaling(&scale, g_markerScale, g_markerScale, g_markerScale);
    for (size_t i = 0; i < selected.size(); ++i) {
        const float* position = reinterpret_cast<const float*>(vertices.bytes() + size_t(selected[i]) * stride);
        D3DXMATRIX place;
        D3DXMatrixTranslation(&place, position[0], position[1], position[2]);
        D3DXMatrixMultiply(&worlds[i], &scale, &place);
        D3DXMatrixMultiply(&worlds[i], &worlds[i], &m_worldMatrix);
    }
    if (DrawSharedMarkers(selected, worlds))
        return;
    for (size_t i = 0; i < selected.size(); ++i) {
        m_pDevice->SetTransform(D3DTS_WORLD, asD3DMatrix(&worlds[i]));
        DrawMarker(m_meshData, selected[i]);
    }
}

// The marker slots share one mesh of one subset (as CreateMarkers makes them): its material,
// texture, format and buffers are set once and each marker then costs a world matrix and its
// draws, the very draws DrawMarker makes, in the same order. False (nothing drawn) for slots
// of other kinds.
bool CMyD3DApplication::DrawSharedMarkers(const std::vector<DWORD>& selected,
                                          const std::vector<D3DXMATRIX>& worlds)
{
    MeshData& d = m_meshData;
    if (m_numMarkerMaterials != 1 || d.markerMeshes.size() < d.markerCount)
        return false;
    ID3DXMesh* marker = selected[0] < d.markerCount ? d.markerMeshes[selected[0]].get() : nullptr;
    if (!marker)
        return false;
    // Strip modes draw a slot's strips only when it has some.
    auto hasStrips = [&](DWORD k) { return d.markerStripCounts[k] > 0 && !d.markerStrips[k].empty(); };
    for (DWORD k : selected) {
        if (k >= d.markerCount || d.markerMeshes[k] != marker || hasStrips(k) != hasStrips(selected[0]))
            return false;
    }
    const bool anyStrips = m_drawStrips || m_drawSingleStrip;
    D3DXATTRIBUTERANGE ranges[8];
    DWORD rangeCount = 0;
    if (!anyStrips && (FAILED(marker->GetAttributeTable(nullptr, &rangeCount)) || rangeCount == 0 ||
                       rangeCount > 8 || FAILED(marker->GetAttributeTable(ranges, &rangeCount))))
        return false;
    ComRef<IDirect3DVertexBuffer9> vertices;
    ComRef<IDirect3DIndexBuffer9> indices;
    if (FAILED(marker->GetVertexBuffer(vertices.put())) || FAILED(marker->GetIndexBuffer(indices.put())))
        return false;
    const DWORD format = marker->GetFVF();
    m_pDevice->SetMaterial(&m_markerMaterials[0]);
    m_pDevice->SetTexture(0, m_markerTextures[0]);
    m_pDevice->SetFVF(format);
    m_pDevice->SetStreamSource(0, vertices.get(), 0, D3DXGetFVFVertexSize(format));
    if (!anyStrips)
        m_pDevice->SetIndices(indices.get());
    const UINT vertexCount = marker->GetNumVertices();
    for (size_t i = 0; i < selected.size(); ++i) {
        m_pDevice->SetTransform(D3DTS_WORLD, asD3DMatrix(&worlds[i]));
        if (anyStrips) {
            if (hasStrips(selected[i]) && !DrawSubsetStrips(d.markerStrips[selected[i]][0], vertexCount))
                break;
            continue;
        }
        for (DWORD r = 0; r < rangeCount; ++r) {
            if (ranges[r].AttribId != 0 || ranges[r].FaceCount == 0)
                continue;
            m_pDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, ranges[r].VertexStart, ranges[r].VertexCount,
                                            ranges[r].FaceStart * 3, ranges[r].FaceCount);
        }
    }
    return true;
}

void CMyD3DApplication::DrawMeshData(MeshData& d)
{
    SubsetDrawing drawing;
    drawing.mesh = d.mesh;
    drawing.vertexBuffer = d.vertexBuffer;
    drawing.materials = m_materials.data();
    drawing.textures = m_textures.data();
    drawing.checker = CheckerTexture();
    drawing.subsetCount = m_numMaterials;
    drawing.strips = d.strips.data();
    drawing.stripDataCount = DWORD(d.strips.size());
    DrawSubsets(drawing);
}

void CMyD3DApplication::DrawMarker(MeshData& d, DWORD k)
{
    if (k >= d.markerCount || k >= d.markerMeshes.size() || !d.markerMeshes[k])
        return;
    // Only the strip modes draw from the vertex buffer itself; lists go through DrawSubset.
    ComRef<IDirect3DVertexBuffer9> vertexBuffer;
    if ((m_drawStrips || m_drawSingleStrip) &&
        FAILED(d.markerMeshes[k]->GetVertexBuffer(vertexBuffer.put())))
        return;
    SubsetDrawing drawing;
    drawing.mesh = d.markerMeshes[k];
    drawing.vertexBuffer = vertexBuffer;
    drawing.materials = m_markerMaterials.data();
    drawing.textures = m_markerTextures.data();
    drawing.subsetCount = m_numMarkerMaterials;
    drawing.strips = d.markerStrips[k].data();
    drawing.stripDataCount = std::min<DWORD>(d.markerStripCounts[k], DWORD(d.markerStrips[k].size()));
    DrawSubsets(drawing);
}

void CMyD3DApplication::DrawSubsets(const SubsetDrawing& drawing)
{
    if (!drawing.mesh)
        return;
    const bool anyStrips = m_drawStrips || m_drawSingleStrip;
    const UINT vertexCount = drawing.mesh->GetNumVertices();
    for (DWORD i = 0; i < drawing.subsetCount; ++i) {
        m_pDevice->SetMaterial(&drawing.materials[i]);
        IDirect3DTexture9* texture = drawing.textures[i];
        if (drawing.checker && (g_checkerShown || !texture))
            texture = drawing.checker;
        m_pDevice->SetTexture(0, texture);
        if (!anyStrips) {
            drawing.mesh->DrawSubset(i);
            continue;
        }
        if (i >= drawing.stripDataCount || !drawing.vertexBuffer)
            continue;
        const DWORD format = drawing.mesh->GetFVF();
        const UINT vertexSize = D3DXGetFVFVertexSize(format);
        m_pDevice->SetFVF(format);
        m_pDevice->SetStreamSource(0, drawing.vertexBuffer, 0, vertexSize);
        if (!DrawSubsetStrips(drawing.strips[i], vertexCount))
            return;
    }
}

bool CMyD3DApplication::DrawSubsetStrips(const StripData& strips, UINT vertexCount)
{
    if (m_drawSingleStrip) {
        // Each subset is judged by its own strip: one too long for the device is left out and
        // the others are still drawn.
        if (strips.singleStripIndexCount < 3 ||
            strips.singleStripIndexCount - 2 > m_caps.MaxPrimitiveCount)
            return true;
        m_pDevice->SetIndices(strips.singleStripIndices);
        return SUCCEEDED(m_pDevice->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, vertexCount,
                                                         0, strips.singleStripIndexCount - 2));
    }
    m_pDevice->SetIndices(strips.stripIndices);
    UINT start = 0;
    for (DWORD j = 0; j < strips.stripCount; ++j) {
        if (FAILED(m_pDevice->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, vertexCount, start,
                                                   strips.stripLengths[j])))
            return false;
        start += strips.stripLengths[j] + 2;
    }
    return true;
}
