#pragma once
// CMyD3DApplication: the editor's application object. The framework owns the windows, the
// device and the loop and calls the overrides below at fixed moments; this object keeps the
// displayed mesh, its materials and textures, the view state and the display switches.
#include <functional>
#include <memory>
#include <string>

#include "app/editor_dialogs_win.h"
#include "app/mesh_data_win.h"
#include "app/subset_materials_win.h"
#include "base/com_ref.h"
#include "framework/arc_ball_win.h"
#include "framework/d3d_application_win.h"
#include "framework/texture_font_win.h"
#include "graphics/d3dx_win.h"
#include "graphics/d3dx_math.h"
#include "graphics/obj_reader.h"
#include "threeds/mesh_record.h"
#include "viewer/selection_transform.h"

class ImageWindow;

class CMyD3DApplication : public CD3DApplication {
public:
    CMyD3DApplication();
    ~CMyD3DApplication() override = default;

    // Gives the device window the four-headed sizing cursor.
    HRESULT InitAppOnce() override;
    // Builds the font's glyph sheet and sets the menu's check marks.
    HRESULT CreateDeviceResources() override;
    HRESULT RestoreDeviceResources() override;
    HRESULT AdvanceFrame() override;
    // Clears the view to blue.
    HRESULT RenderFrame() override;
    HRESULT InvalidateDeviceResources() override;
    HRESULT DeleteDeviceResources() override;
    // Destroys the font.
    HRESULT CleanupAppOnce() override;
    // The device window's messages: the arcball first, then the framework.
    LRESULT MsgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The main window's messages: key flags and the pane layout, then the framework.
    LRESULT MsgProcMain(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    char m_meshFileName[512];
    char m_dialogFolder[512];
    BOOL m_showVCacheOptimized = TRUE;
    BOOL m_showStripReordered = FALSE;
    BOOL m_drawStrips = FALSE;
    BOOL m_drawSingleStrip = FALSE;
    BOOL m_force32ByteVertices = TRUE;
    BOOL m_singleStripTooLong = FALSE;
    std::unique_ptr<CD3DTextureFont> m_font;
    CArcBall m_arcBall;
    D3DXVECTOR3 m_objectCenter;
    D3DXVECTOR3 m_markerCenter;
    float m_objectRadius = 0.0f;
    float m_markerRadius = 0.0f;
    D3DXMATRIX m_worldMatrix;
    DWORD m_gridSide = 1;
    DWORD m_meshOptions = D3DXMESH_MANAGED;
    MeshData m_meshData;
    DWORD m_numMaterials = 0;
    DWORD m_numMarkerMaterials = 0;
    SubsetTextures m_textures;
    SubsetTextures m_markerTextures;
    SubsetMaterials m_materials;
    SubsetMaterials m_markerMaterials;
    ComRef<ID3DXBuffer> m_adjacency;
    // The OBJ file the mesh came from (its objects, groups and material names), or null.
    std::unique_ptr<ObjMesh> m_objSource;
    // Why the last mesh file did not open, when a reader said more than that it did not.
    std::string m_meshOpenFailure;
    std::string m_editStatus;
    // The checker on the mesh: where a subset has no texture, or on all while Checker is checked.
    ComRef<IDirect3DTexture9> m_checkerTexture;
    // The last choice of the Project dialog, offered again the next time.
    ProjectDialogData m_projectChoice;

public:
    // Mesh loading (mesh_loading_win.cpp, marker_meshes_win.cpp, strip_building_win.cpp,
    // subset_textures_win.cpp). LoadMeshFile loads m_meshFileName as an X file: materials,
    // textures, the pane's bitmap, points and edges, the bounding sphere, the edited vertex
    // layout and normals; a name ending in ".obj" is read as an OBJ file (obj_loading_win.cpp).
    // LoadMarkerMesh loads the marker "cube.x" shrunk to a third.
    HRESULT LoadMeshFile(ID3DXMesh** mesh, ID3DXBuffer** adjacency);
    HRESULT LoadMarkerMesh(ID3DXMesh** mesh, ID3DXBuffer** adjacency);
    HRESULT LoadObjMesh(const char* path, ID3DXBuffer** adjacency, ID3DXBuffer** materials,
                        DWORD* materialCount, ID3DXMesh** mesh);
    // n marker slots, all holding the one loaded and attribute-sorted marker.
    void CreateMarkers(DWORD n);
    // Attribute-sorts `mesh` into d.sysMemMesh and cuts every subset into strips.
    HRESULT OptimizeMeshData(ID3DXMesh* mesh, const DWORD* adjacency, DWORD flags, MeshData& d);
    HRESULT OptimizeMarkerData(ID3DXMesh* marker, const DWORD* adjacency, DWORD flags,
                               MeshData& d, DWORD k);
    // Every subset gets g_textureFileName (when set) as its texture.
    void LoadSubsetTextures();
    HRESULT CreateTextureFromName(IDirect3DDevice9* device, const char* name,
                                  IDirect3DTexture9** texture);

    // Texture coordinates (texture_mapping_win.cpp). The projection fills the pane with one point
    // per vertex on the chosen plane; UpdateMeshFromPoints writes the pane's points into the
    // system-memory mesh and makes the drawable copy again (the pane's apply hook).
    HRESULT ProjectTextureCoordinates(MeshData& d);
    void UpdateMeshFromPoints();
    void RebuildDrawableMesh(MeshData& d);

    // Drawing (scene_rendering_win.cpp) with the current world matrix.
    void DrawMeshData(MeshData& d);
    void DrawMarker(MeshData& d, DWORD k);

    // Saving and 3DS files (mesh_saving_win.cpp, threeds_conversion_win.cpp).
    HRESULT SaveMeshAsX(ID3DXMesh* mesh);
    // The same three to any path (exporting_win.cpp has the OBJ one and the two commands):
    // X in the binary or text format, 3DS, and OBJ with the pane's points as texture
    // coordinates and, for a mesh from an OBJ file, its objects, groups and materials.
    HRESULT WriteXFile(ID3DXMesh* mesh, const char* path, DWORD format);
    void Write3dsFile(const char* path);
    void WriteObjFile(const char* path);
    void BuildMeshFrom3ds();
    void BuildMeshRecordForSave(MeshData& d);

    // Commands (commands_win.cpp): the display switches of both windows, and the main window's
    // menu commands (which include the display switches).
    void HandleDisplayCommand(HWND window, UINT command);
    void HandleMainCommand(HWND window, UINT command);

    // The Edit menu (edit_commands_win.cpp). HandleEditCommand runs an Edit command (from the
    // menu or an accelerator) and says whether it was one; UpdateEditMenu names the steps undo
    // and redo would take and greys them when there are none. EditableWindow is the pane's
    // active window, or null when there is none or a drag is under way.
    bool HandleEditCommand(UINT command);
    void UpdateEditMenu(HMENU menu);
    ImageWindow* EditableWindow() const;
    // Moves the selected points as one undo step, or says why nothing moved.
    void ChangeSelectedPoints(ImageWindow& window, const char* label,
                              const std::function<TransformResult(PointList&)>& change);
    void ShowTransformDialog();
    bool ReportTransform(TransformResult result);
    void ChangeSelection(UINT command);
    // The selection count and the pointer's position over the bitmap, shown at the right end
    // of the menu bar (seen while working, and no room taken from the two halves); once a
    // frame, redrawn only when the text changed.
    std::string EditStatusText() const;
    void UpdateEditStatus();
    // Opening or closing a mesh: the old steps name points of another mesh.
    void ForgetPointHistory();

protected:
    // Open File after its dialog: m_meshFileName holds the chosen path and `title` the file's
    // name, whose ending chooses between a 3DS and an X file.
    void OpenChosenMeshFile(const char* title);

private:
    // What one draw of a mesh or a marker needs.
    struct SubsetDrawing {
        ID3DXMesh* mesh = nullptr;
        IDirect3DVertexBuffer9* vertexBuffer = nullptr;
        const D3DMATERIAL9* materials = nullptr;
        const ComRef<IDirect3DTexture9>* textures = nullptr;
        IDirect3DTexture9* checker = nullptr;   // shown instead of a missing texture, or of all
        DWORD subsetCount = 0;
        const StripData* strips = nullptr;
        DWORD stripDataCount = 0;
    };

    // The message handling both windows share: the arcball and the context menu.
    bool HandleSharedMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    void ApplyFileMaterial(DWORD i, const char* textureName);
    void FillPaneFromXMesh(ID3DXMesh* mesh, float vShift);
    HRESULT ConvertToEditedLayout(ComRef<ID3DXMesh>& mesh, DWORD loadedFormat);
    HRESULT LoadMarkerFile(ID3DXMesh** mesh, ID3DXBuffer** adjacency);
    void RebuildMarkerCopies(MeshData& d);
    void DrawMeshWithMarkers();
    bool DrawSharedMarkers(const std::vector<DWORD>& selected, const std::vector<D3DXMATRIX>& worlds);
    void DrawSubsets(const SubsetDrawing& drawing);
    bool DrawSubsetStrips(const StripData& strips, UINT vertexCount);
    void ApplyRecordTexture(const MeshRecord& record);

    bool MeshFileDialog(bool saving, char* title, DWORD titleSize);
    void ReloadMesh();
    void OpenMeshFile();
    void SaveMeshFileAs();
    // Save: back to the file the mesh came from, in its format. Close File: no mesh, no pane.
    void SaveMeshFile();
    void CloseMeshFile();
    void Open3dsFile();
    void Save3dsFile();
    void ExportMesh();
    void ExportUvLayout();
    void OpenBitmap();
    void CloseBitmap();
    void MapTextureCoordinates();
    // Project...: the dialog, then the chosen projection as one undo step (surface_projection_win.cpp).
    void ProjectSurface();
    // The Checker item (texture_views_win.cpp): the checker in place of the bitmap, or back.
    void ToggleChecker();
    // The Stretch View item: the pane's triangles tinted by their stretch, or not.
    void ToggleStretchView();
    // Gives the pane the mesh's triangles for the stretch tint while it is shown (none without
    // a mesh); after every change of mesh.
    void RefreshStretchFaces();
    // The checker's texture for the 3D view, made on first use; none when it cannot be made.
    IDirect3DTexture9* CheckerTexture();
    void ShowOptions();
};
