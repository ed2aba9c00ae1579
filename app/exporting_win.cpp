// Export... and Export UV Layout...: the mesh written under any name in the format the user
// picks, and a picture of its texture layout. Every file is saved whole or not at all.
#include "app/my_d3d_application_win.h"

#include <commdlg.h>

#include <iterator>
#include <new>
#include <string>

#include "app/editor_dialogs_win.h"
#include "app/globals_win.h"
#include "app/mesh_lock_win.h"
#include "app/texture_pane_win.h"
#include "app/uv_layout.h"
#include "base/file_names.h"
#include "graphics/mesh_content_win.h"
#include "graphics/obj_writer.h"
#include "graphics/png_write.h"
#include "imagefile/image_bitmap_win.h"
#include "resources/resource.h"
#include "threeds/diagnostics.h"
#include "viewer/image_group_win.h"
#include "viewer/image_window_win.h"
#include "viewer/viewer_settings.h"

namespace {

// The export dialog's file types, in the order of its filter.
enum ExportType : DWORD { BinaryX = 1, TextX, Threeds, Obj };
const char kMeshFilter[] =
    "X Files (binary)\0*.x\0X Files (text)\0*.x\0.3ds Files\0*.3ds\0.obj Files\0*.obj\0";
const char* const kMeshEndings[] = {"", ".x", ".x", ".3ds", ".obj"};

// Asks where to write, starting with file type `type` (1-based, in the order of `filter`): a new
// name is allowed and replacing an existing file is asked about first. The dialog gives a name
// without an ending the chosen type's; a name that ends as one of the types (`endings[1 ..
// count - 1]`) is of that type, the chosen one first, so that both X types keep theirs; any
// other name is written as typed, in the chosen type. False when the user cancels.
bool chooseTarget(HWND owner, const char* title, const char* filter, const char* folder,
                  const char* const* endings, DWORD count, std::string& path, DWORD& type)
{
    char name[512] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = type;
    dialog.lpstrDefExt = endings[type] + 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof(name);
    dialog.lpstrInitialDir = folder;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog))
        return false;
    path = name;
    type = dialog.nFilterIndex >= 1 && dialog.nFilterIndex < count ? dialog.nFilterIndex : 1;
    for (DWORD other = 1; other < count && !nameEndsWith(name, endings[type]); ++other)
        if (nameEndsWith(name, endings[other]))
            type = other;
    return true;
}

void reportSave(SaveResult result)
{
    if (result != SaveResult::Saved)
        errorBox(saveFailureMessage(result));
}

// The pane's points in the bitmap's pixels, x and y by turns.
std::vector<float> panePoints(ImageGroup& pane)
{
    std::vector<float> points;
    const int32_t count = pane.pointCount();
    pane.resetPointIterator();
    for (int32_t k = 0; k < count; ++k) {
        const ImagePoint point = pane.nextPoint();
        points.push_back(point.x);
        points.push_back(point.y);
    }
    return points;
}

// The pane's bitmap as a picture, top row first; empty when none is shown.
Image paneBitmapImage(ImageGroup& pane)
{
    Image image;
    const ImageWindow* window = pane.activeWindow();
    if (!window || !window->bitmap.getLoadedBitmap())
        return image;
    const RgbImage& rgb = window->bitmap.rgbPixels();
    if (rgb.bgr.size() != size_t(rgb.width) * size_t(rgb.height) * 3)
        return image;
    image.width = uint32_t(rgb.width);
    image.height = uint32_t(rgb.height);
    image.pixels.resize(size_t(rgb.width) * size_t(rgb.height));
    for (int y = 0; y < rgb.height; ++y)
        for (int x = 0; x < rgb.width; ++x) {
            const uint8_t* bgr = &rgb.bgr[(size_t(rgb.height - 1 - y) * size_t(rgb.width) + size_t(x)) * 3];
            image.pixels[size_t(y) * size_t(rgb.width) + size_t(x)] =
                0xFF000000u | uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0];
        }
    return image;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string stemOf(const std::string& path)
{
    const std::string name = path.substr(folderOf(path).size());
    return name.substr(0, name.find_last_of('.'));
}

} // namespace

void CMyD3DApplication::ExportMesh()
{
    if (!g_meshShown || !m_meshData.sysMemMesh) {
        errorBox("There is no mesh to export: open a mesh file first.");
        return;
    }
    std::string path;
    DWORD type = m_objSource ? Obj : BinaryX;
    if (!chooseTarget(m_hMainWnd, "Export Mesh File", kMeshFilter, m_dialogFolder, kMeshEndings,
                      DWORD(std::size(kMeshEndings)), path, type))
        return;
    switch (type) {
    case BinaryX: WriteXFile(m_meshData.sysMemMesh, path.c_str(), D3DXF_FILEFORMAT_BINARY); break;
    case TextX: WriteXFile(m_meshData.sysMemMesh, path.c_str(), D3DXF_FILEFORMAT_TEXT); break;
    case Threeds: Write3dsFile(path.c_str()); break;
    case Obj: WriteObjFile(path.c_str()); break;
    }
}

void CMyD3DApplication::WriteObjFile(const char* path)
{
    ObjMesh obj;
    const bool fromObj = m_objSource != nullptr;
    if (fromObj) {
        obj = *m_objSource;
    } else if (FAILED(meshContentOf(m_meshData.sysMemMesh, g_fileMaterials.entries(),
                                    m_numMaterials, obj.mesh))) {
        errorBox("Error: the mesh could not be read; nothing was saved.");
        return;
    } else {
        for (DWORD i = 0; i < m_numMaterials; ++i)
            obj.materialNames.push_back("material" + std::to_string(i + 1));
        obj.materialLibrary = stemOf(path) + ".mtl";
        obj.runs.push_back({0, stemOf(path), ""});
    }
    // The pane's points are the texture coordinates (u = x / W, v = y / H).
    const std::vector<float> points = panePoints(*m_texturePane);
    const PaneBitmapSize size = paneBitmapSize(*m_texturePane);
    if (!points.empty() && (size.width <= 0 || size.height <= 0)) {
        errorBox("Error: the bitmap has no size, so the points cannot become texture "
                 "coordinates; nothing was saved.");
        return;
    }
    const size_t vertexCount = obj.mesh.vertexCount();
    if (!points.empty() && obj.mesh.texcoords.size() != 2 * vertexCount)
        obj.mesh.texcoords.assign(2 * vertexCount, 0.0f);
    for (size_t k = 0; k < vertexCount && 2 * k + 1 < points.size(); ++k) {
        obj.mesh.texcoords[2 * k] = points[2 * k] / float(size.width);
        obj.mesh.texcoords[2 * k + 1] = points[2 * k + 1] / float(size.height);
    }
    const std::string text = writeObj(obj);
    SaveResult result = saveFileAtomically(path, text.data(), text.size());
    // The library beside the new file was not named in the save dialog: one that is there
    // already is only replaced when the user says so.
    const std::string libraryPath = folderOf(path) + obj.materialLibrary;
    if (result == SaveResult::Saved && !fromObj &&
        (GetFileAttributesA(libraryPath.c_str()) == INVALID_FILE_ATTRIBUTES ||
         MessageBoxA(m_hMainWnd, ("The material library \"" + obj.materialLibrary + "\" is there "
                                  "already. Replace it with this mesh's materials?").c_str(),
                     "Export", MB_YESNO | MB_ICONQUESTION) == IDYES)) {
        const std::string library = writeMtl(obj);
        result = saveFileAtomically(libraryPath.c_str(), library.data(), library.size());
    }
    reportSave(result);
}

void CMyD3DApplication::ExportUvLayout()
{
    const std::vector<float> points = panePoints(*m_texturePane);
    if (!g_meshShown || !m_meshData.sysMemMesh || points.empty()) {
        errorBox("Error: there are no points to draw; open a textured mesh or map its texture "
                 "coordinates first.");
        return;
    }
    const PaneBitmapSize size = paneBitmapSize(*m_texturePane);
    const Image bitmap = paneBitmapImage(*m_texturePane);
    UvLayoutChoice choice;
    choice.width = size.width > 0 ? size.width : 1024;
    choice.height = size.height > 0 ? size.height : 1024;
    choice.bitmapShown = !bitmap.pixels.empty();
    choice.overBitmap = choice.bitmapShown;
    if (DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_UV_LAYOUT), m_hMainWnd,
                        UvLayoutDlgProc, LPARAM(&choice)) != IDOK)
        return;
    static const char* const pngEnding[] = {"", ".png"};
    std::string path;
    DWORD type = 1;
    if (!chooseTarget(m_hMainWnd, "Export UV Layout", "PNG Files\0*.png\0", m_dialogFolder,
                      pngEnding, 2, path, type))
        return;

    UvLayout layout;
    layout.width = uint32_t(choice.width);
    layout.height = uint32_t(choice.height);
    layout.bitmapWidth = float(size.width > 0 ? size.width : choice.width);
    layout.bitmapHeight = float(size.height > 0 ? size.height : choice.height);
    layout.points = points;
    layout.lineColour = 0xFF000000u | wireframeColour();
    {
        IndexLock indices(m_meshData.sysMemMesh);
        if (indices.ok())
            layout.triangles.assign(indices.indices(),
                                    indices.indices() + 3 * size_t(m_meshData.sysMemMesh->GetNumFaces()));
    }
    std::vector<uint8_t> png;
    try {
        png = encodePng(drawUvLayout(layout, choice.overBitmap ? &bitmap : nullptr));
    } catch (const std::bad_alloc&) {
    }
    if (png.empty())
        errorBox("Error: there is not enough memory for a picture of this size; nothing was "
                 "saved. Choose a smaller width and height.");
    else
        reportSave(saveFileAtomically(path.c_str(), png.data(), png.size()));
}
