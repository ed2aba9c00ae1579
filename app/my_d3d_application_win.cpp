// The editor's application object: its defaults and the framework callbacks, in the order the
// framework calls them (d3d_application_win.h). Mesh loading, rendering and the commands
// build on these bodies.
#include "app/my_d3d_application_win.h"

#include "app/globals_win.h"
#include "app/subset_materials_win.h"
#include "viewer/apply_request.h"
#include "framework/media_search_win.h"
#include "framework/text_buffer.h"
#include "resources/resource.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

// The pane calls this with no context; the one application object is the editor.
void ApplyPanePointsToMesh() {
    static_cast<CMyD3DApplication*>(g_pApp)->UpdateMeshFromPoints();
}

void Check(HMENU menu, UINT command, bool checked) {
    CheckMenuItem(menu, command, checked ? MF_CHECKED : MF_UNCHECKED);
}

}  // namespace

CMyD3DApplication::CMyD3DApplication() {
    CopyBounded(m_meshFileName, "knot.x", sizeof(m_meshFileName));
    m_dialogFolder[0] = '\0';
    GetMediaFolder(m_dialogFolder, int(sizeof(m_dialogFolder)));
    m_font = std::make_unique<CD3DTextureFont>("Arial", 12, FONT_BOLD);

    m_windowTitle = "Quillfold: Optimizing Meshes in D3D";
    m_deviceCatalog.m_needsDepthBuffer = true;
    m_showCursorWhenFullscreen = true;
    g_fileMaterials.clear();
}

HRESULT CMyD3DApplication::InitAppOnce() {
    SetClassLongPtrA(m_hDeviceWnd, GCLP_HCURSOR, LONG_PTR(LoadCursorA(nullptr, IDC_SIZEALL)));
    // The pane's apply request (apply button, or a drag's end with automatic update) writes
    // its points into the mesh.
    setApplyPointsHandler(ApplyPanePointsToMesh);
    return S_OK;
}

HRESULT CMyD3DApplication::CreateDeviceResources() {
    m_font->BuildTexture(m_pDevice);

    HMENU menu = GetMenu(m_hMainWnd);
    Check(menu, IDM_GRID_BASE + m_gridSide, true);
    Check(menu, IDM_UNOPTIMIZED, !m_showVCacheOptimized && !m_showStripReordered);
    Check(menu, IDM_VCACHE_OPTIMIZED, m_showVCacheOptimized);
    Check(menu, IDM_STRIP_REORDERED, m_showStripReordered);
    Check(menu, IDM_TRIANGLE_LISTS, !m_drawStrips && !m_drawSingleStrip);
    Check(menu, IDM_SINGLE_STRIP, m_drawSingleStrip);
    Check(menu, IDM_STRIPS, m_drawStrips);
    Check(menu, IDM_DYNAMIC_MESH, m_meshOptions == D3DXMESH_DYNAMIC);
    Check(menu, IDM_32BYTE_VERTICES, m_force32ByteVertices);

    // A mesh file that is missing or unreadable is no failure of the device set-up.
    ComRef<ID3DXMesh> loaded;
    if (FAILED(LoadMeshFile(loaded.put(), m_adjacency.put())))
        return S_OK;
    const HRESULT hr = OptimizeMeshData(loaded, nullptr, D3DXMESHOPT_ATTRSORT, m_meshData);
    loaded.reset();
    if (FAILED(hr))
        releaseMeshData(m_meshData);
    return hr;
}

HRESULT CMyD3DApplication::InvalidateDeviceResources() {
    m_font->ReleaseBuffers();
    releaseDrawableParts(m_meshData);
    return S_OK;
}

HRESULT CMyD3DApplication::DeleteDeviceResources() {
    m_font->ReleaseTexture();
    freeSubsetArrays(m_materials, m_textures);
    g_fileMaterials.clear();
    freeSubsetArrays(m_markerMaterials, m_markerTextures);
    m_checkerTexture.reset();
    releaseMeshData(m_meshData);
    m_numMaterials = 0;
    m_numMarkerMaterials = 0;
    return S_OK;
}

HRESULT CMyD3DApplication::CleanupAppOnce() {
    m_font.reset();
    return S_OK;
}

bool CMyD3DApplication::HandleSharedMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    m_arcBall.HandleMouseMessage(hWnd, msg, wParam, lParam);
    return msg == WM_CONTEXTMENU;
}

LRESULT CMyD3DApplication::MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN in CMyD3DApplication::MsgProc");
    if (HandleSharedMessage(hWnd, msg, wParam, lParam))
        return 0;
    if (msg == WM_COMMAND && !HandleEditCommand(LOWORD(wParam)))
        HandleDisplayCommand(hWnd, LOWORD(wParam));
    return CD3DApplication::MsgProc(hWnd, msg, wParam, lParam);
}

LRESULT CMyD3DApplication::MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && wParam == VK_SHIFT)
        logLine("WM_KEYDOWN in CMyD3DApplication::MsgProcMain");
    if (HandleSharedMessage(hWnd, msg, wParam, lParam))
        return 0;
    switch (msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_SHIFT)
            shiftDown = (msg == WM_KEYDOWN);
        else if (wParam == VK_CONTROL)
            ctrlDown = (msg == WM_KEYDOWN);
        break;
    case WM_SIZE:
        if (m_hDeviceWnd) {
            LayOutPanes();
            RECT client;
            GetClientRect(hWnd, &client);
            const int half = client.right / 2;
            m_texturePane->resizeImageGroup(half, 0, half, client.bottom);
        }
        break;
    case WM_COMMAND:
        HandleMainCommand(hWnd, LOWORD(wParam));
        break;
    case WM_INITMENUPOPUP:
        UpdateEditMenu(GetMenu(hWnd));
        break;
    }
    // Everything, handled or not, also reaches the framework's handler, as the device
    // window's messages do.
    return CD3DApplication::MsgProc(hWnd, msg, wParam, lParam);
}
