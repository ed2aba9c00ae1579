// The editor's commands: the display switches (accelerators in the 3D view, or the menu), and
// the File and Options menu items of the main window.
#include "app/my_d3d_application_win.h"

#include <commdlg.h>

#include <cstring>

#include "app/editor_dialogs_win.h"
#include "base/file_names.h"
#include "app/globals_win.h"
#include "app/texture_pane_win.h"
#include "resources/resource.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"

namespace {

// The one command of a group of three that is marked; the other two are unmarked.
void markOneOf(HWND window, UINT marked, UINT other1, UINT other2)
{
    HMENU menu = GetMenu(window);
    CheckMenuItem(menu, marked, MF_CHECKED);
    CheckMenuItem(menu, other1, MF_UNCHECKED);
    CheckMenuItem(menu, other2, MF_UNCHECKED);
}

void mark(HWND window, UINT command, bool checked)
{
    CheckMenuItem(GetMenu(window), command, checked ? MF_CHECKED : MF_UNCHECKED);
}

} // namespace

bool CMyD3DApplication::MeshFileDialog(bool saving, char* title, DWORD titleSize)
{
    title[0] = '\0';
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFilter = ".X Files\0*.x\0.3ds Files\0*.3ds\0.obj Files\0*.obj\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = m_meshFileName;
    dialog.nMaxFile = sizeof(m_meshFileName);
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = titleSize;
    dialog.lpstrInitialDir = m_dialogFolder;
    dialog.lpstrTitle = saving ? "Save Mesh File" : "Open Mesh File";
    dialog.Flags = OFN_FILEMUSTEXIST;
    return saving ? GetSaveFileNameA(&dialog) != FALSE : GetOpenFileNameA(&dialog) != FALSE;
}

void CMyD3DApplication::ReloadMesh()
{
    InvalidateDeviceResources();
    releaseMarkerCopyArray(m_meshData);
    DeleteDeviceResources();
    m_meshOpenFailure.clear();
    const HRESULT hr = CreateDeviceResources();
    if (SUCCEEDED(hr) && m_meshData.sysMemMesh) {
        CreateMarkers(m_meshData.sysMemMesh->GetNumVertices());
        RestoreDeviceResources();
    } else {
        errorBox(m_meshOpenFailure.empty() ? "Error: Could not open file"
                                           : m_meshOpenFailure.c_str());
    }
}

void CMyD3DApplication::OpenMeshFile()
{
    char title[512];
    if (MeshFileDialog(false, title, sizeof(title)))
        OpenChosenMeshFile(title);
}

void CMyD3DApplication::OpenChosenMeshFile(const char* title)
{
    // Later dialogs start in the folder of this file, which also becomes the current folder
    // before the file is read, so that a texture named beside it is found (the open dialog
    // does not always leave the current folder there).
    memcpy(m_dialogFolder, m_meshFileName, sizeof(m_dialogFolder));
    if (char* lastBackslash = strrchr(m_dialogFolder, '\\'))
        *lastBackslash = '\0';
    SetCurrentDirectoryA(m_dialogFolder);
    if (nameEndsWith(title, "3ds")) {
        Open3dsFile();
        return;
    }
    g_meshShown = true;
    ReloadMesh();
}

void CMyD3DApplication::SaveMeshFileAs()
{
    char title[512];
    if (!MeshFileDialog(true, title, sizeof(title)))
        return;
    if (nameEndsWith(title, "3ds"))
        Save3dsFile();
    else if (nameEndsWith(title, "x"))
        SaveMeshAsX(m_meshData.sysMemMesh);
}

void CMyD3DApplication::SaveMeshFile()
{
    if (!g_meshShown || !m_meshData.sysMemMesh) {
        errorBox("There is no mesh to save: open a mesh file first.");
        return;
    }
    // The file the mesh came from (or was last saved as), in its own format.
    if (nameEndsWith(m_meshFileName, "3ds"))
        Save3dsFile();
    else if (nameEndsWith(m_meshFileName, "x"))
        SaveMeshAsX(m_meshData.sysMemMesh);
    else if (nameEndsWith(m_meshFileName, "obj"))
        WriteObjFile(m_meshFileName);
    else   // a file is never overwritten by one of another format
        errorBox("Save writes X, 3DS and OBJ files; choose Save As to keep this mesh as one of them.");
}

void CMyD3DApplication::CloseMeshFile()
{
    g_meshShown = false;
    g_meshHasPoints = false;
    InvalidateDeviceResources();
    releaseMarkerCopyArray(m_meshData);
    DeleteDeviceResources();
    m_font->BuildTexture(m_pDevice);
    RestoreDeviceResources();
    CloseBitmap();
}

void CMyD3DApplication::OpenBitmap()
{
    ImageWindow* window = m_texturePane->activeWindow();
    if (!window)
        return;
    window->bitmap.releaseDibBlock();
    const std::string path = window->openBitmap();
    if (path.empty())
        return;
    g_textureFileName.set(path.c_str());
    LoadSubsetTextures();
    resetPaneView(*m_texturePane);
    setPaneZoom(*m_texturePane, 1.0f);
}

void CMyD3DApplication::CloseBitmap()
{
    emptyPaneBitmap(*m_texturePane);
    m_texturePane->clearEdges();
    m_texturePane->removeAllPoints();
    ForgetPointHistory();
    repaintPane(*m_texturePane);
}

void CMyD3DApplication::ShowOptions()
{
    if (DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_OPTIONS), m_hMainWnd, OptionsDlgProc,
                        0) <= 0)
        return;
    refreshPaneImageSize(*m_texturePane);
    repaintPane(*m_texturePane);
}

void CMyD3DApplication::HandleDisplayCommand(HWND window, UINT command)
{
    switch (command) {
    case IDM_UNOPTIMIZED:
        m_showVCacheOptimized = FALSE;
        m_showStripReordered = FALSE;
        markOneOf(window, IDM_UNOPTIMIZED, IDM_VCACHE_OPTIMIZED, IDM_STRIP_REORDERED);
        break;
    case IDM_VCACHE_OPTIMIZED:
        m_showVCacheOptimized = TRUE;
        m_showStripReordered = FALSE;
        markOneOf(window, IDM_VCACHE_OPTIMIZED, IDM_UNOPTIMIZED, IDM_STRIP_REORDERED);
        break;
    case IDM_STRIP_REORDERED:
        m_showVCacheOptimized = FALSE;
        m_showStripReordered = TRUE;
        markOneOf(window, IDM_STRIP_REORDERED, IDM_UNOPTIMIZED, IDM_VCACHE_OPTIMIZED);
        break;
    case IDM_TRIANGLE_LISTS:
        m_drawStrips = FALSE;
        m_drawSingleStrip = FALSE;
        markOneOf(window, IDM_TRIANGLE_LISTS, IDM_SINGLE_STRIP, IDM_STRIPS);
        break;
    case IDM_SINGLE_STRIP:
        m_drawStrips = FALSE;
        m_drawSingleStrip = TRUE;
        markOneOf(window, IDM_SINGLE_STRIP, IDM_TRIANGLE_LISTS, IDM_STRIPS);
        break;
    case IDM_STRIPS:
        m_drawStrips = TRUE;
        m_drawSingleStrip = FALSE;
        markOneOf(window, IDM_STRIPS, IDM_TRIANGLE_LISTS, IDM_SINGLE_STRIP);
        break;
    case IDM_DYNAMIC_MESH:
        m_meshOptions = m_meshOptions == D3DXMESH_DYNAMIC ? D3DXMESH_MANAGED : D3DXMESH_DYNAMIC;
        mark(window, IDM_DYNAMIC_MESH, m_meshOptions == D3DXMESH_DYNAMIC);
        InvalidateDeviceResources();
        RestoreDeviceResources();
        break;
    case IDM_32BYTE_VERTICES:
        m_force32ByteVertices = !m_force32ByteVertices;
        mark(window, IDM_32BYTE_VERTICES, m_force32ByteVertices);
        InvalidateDeviceResources();
        releaseMarkerCopyArray(m_meshData);
        DeleteDeviceResources();
        CreateDeviceResources();
        RestoreDeviceResources();
        break;
    }
}

void CMyD3DApplication::HandleMainCommand(HWND window, UINT command)
{
    switch (command) {
    case IDM_OPEN_FILE: OpenMeshFile(); break;
    case IDM_SAVE: SaveMeshFile(); break;
    case IDM_SAVE_AS: SaveMeshFileAs(); break;
    case IDM_CLOSE_FILE: CloseMeshFile(); break;
    case IDM_EXPORT: ExportMesh(); break;
    case IDM_EXPORT_UV_LAYOUT: ExportUvLayout(); break;
    case IDM_OPEN_BITMAP: OpenBitmap(); break;
    case IDM_CLOSE_BITMAP: CloseBitmap(); break;
    case IDM_SELECT_ALL:
        m_texturePane->selectAll();
        repaintPane(*m_texturePane);
        break;
    case IDM_MAP_TEXTURE_COORDINATES: MapTextureCoordinates(); break;
    case IDM_PROJECT: ProjectSurface(); break;
    case IDM_CHECKER: ToggleChecker(); break;
    case IDM_STRETCH_VIEW: ToggleStretchView(); break;
    case IDM_OPTIONS: ShowOptions(); break;
    default:
        if (!HandleEditCommand(command))
            HandleDisplayCommand(window, command);
        break;
    }
}
