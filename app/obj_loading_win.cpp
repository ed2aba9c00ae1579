// Opening an OBJ file: its text read into a mesh, its material library (beside the OBJ, then
// through the media search) giving colours and texture names, every fault one message.
#include "app/my_d3d_application_win.h"

#include <string>

#include "base/whole_file.h"
#include "framework/media_search_win.h"
#include "graphics/mesh_content_win.h"
#include "threeds/diagnostics.h"

namespace {

// Larger files are no meshes the editor could hold.
const size_t kMaxObjBytes = size_t(512) << 20;

// A file the OBJ names: in the OBJ's folder, else where the media search finds it. Empty when
// it is nowhere.
std::string findNamedFile(const std::string& objPath, const std::string& name)
{
    const size_t slash = objPath.find_last_of("\\/");
    const std::string beside = objPath.substr(0, slash == std::string::npos ? 0 : slash + 1) + name;
    if (GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES)
        return beside;
    char found[512];
    if (SUCCEEDED(LocateMediaFile(found, int(sizeof(found)), name.c_str())))
        return found;
    return "";
}

void readMaterialLibrary(const std::string& objPath, ObjMesh& obj)
{
    if (obj.materialLibrary.empty())
        return;
    std::vector<uint8_t> text;
    const std::string path = findNamedFile(objPath, obj.materialLibrary);
    if (path.empty() || !readWholeFile(path.c_str(), kMaxObjBytes, text)) {
        errorBox(("The material library \"" + obj.materialLibrary + "\" of the OBJ file could "
                  "not be read; the mesh is shown without its materials.").c_str());
        return;
    }
    applyMtl(reinterpret_cast<const char*>(text.data()), text.size(), obj);
    // A texture that is not there is said once and left out, rather than failing to load.
    for (MeshMaterial& material : obj.mesh.materials) {
        if (material.textureFile.empty() || !findNamedFile(objPath, material.textureFile).empty())
            continue;
        errorBox(("The texture \"" + material.textureFile + "\" of the material library was not "
                  "found; its faces are shown without it.").c_str());
        material.textureFile.clear();
    }
}

} // namespace

HRESULT CMyD3DApplication::LoadObjMesh(const char* path, ID3DXBuffer** adjacency,
                                       ID3DXBuffer** materials, DWORD* materialCount,
                                       ID3DXMesh** mesh)
{
    std::vector<uint8_t> text;
    if (!readWholeFile(path, kMaxObjBytes, text)) {
        m_meshOpenFailure = "Error: Could not open file. The OBJ file could not be read (or is "
                            "larger than 512 MB).";
        return E_FAIL;
    }
    auto obj = std::make_unique<ObjMesh>();
    const ObjReadResult result =
        readObj(reinterpret_cast<const char*>(text.data()), text.size(), *obj);
    if (result.status != ObjReadStatus::Ok) {
        m_meshOpenFailure = objReadMessage(result);
        return E_FAIL;
    }
    readMaterialLibrary(path, *obj);
    MeshContent content = obj->mesh;
    const HRESULT hr = meshFromContent(content, D3DXMESH_SYSTEMMEM, m_pDevice, adjacency,
                                       materials, nullptr, materialCount, mesh);
    if (SUCCEEDED(hr))
        m_objSource = std::move(obj);
    return hr;
}
