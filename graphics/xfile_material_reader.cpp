#include "graphics/xfile_material_reader.h"

#include <string>

namespace {

bool isTextureFilename(std::string_view type)
{
    // Writers disagree on the case of the N.
    return type == "TextureFilename" || type == "TextureFileName";
}

bool readTextureFilename(XCursor& cursor, int depth, MeshMaterial& material)
{
    std::string_view file;
    if (!cursor.readString(file))
        return false;
    material.textureFile.assign(file.data(), file.size());
    return cursor.skipBody(depth);
}

bool readFaceIndexes(XCursor& cursor, uint32_t materialCount, XMeshData& mesh)
{
    uint32_t indexCount;
    if (!cursor.readCount(indexCount, 1))
        return false;
    if (indexCount > mesh.faceCount())
        return cursor.fail(XReadStatus::Malformed);
    mesh.faceMaterials.assign(mesh.faceCount(), 0);
    if (!cursor.readIndices(mesh.faceMaterials.data(), indexCount, materialCount))
        return false;
    if (indexCount > 0) {
        for (uint32_t f = indexCount; f < mesh.faceCount(); ++f)
            mesh.faceMaterials[f] = mesh.faceMaterials[indexCount - 1];
    }
    return true;
}

bool addReferenced(XCursor& cursor, std::string_view name, const XNamedMaterials& named,
                   XMeshData& mesh)
{
    auto found = named.find(std::string(name));
    if (found == named.end())
        return cursor.fail(XReadStatus::Malformed);
    mesh.materials.push_back(found->second);
    return true;
}

} // namespace

bool readMaterialBody(XCursor& cursor, int depth, MeshMaterial& material)
{
    if (!cursor.readFloats(material.diffuse, 4) || !cursor.readFloat(material.power)
        || !cursor.readFloats(material.specular, 3) || !cursor.readFloats(material.emissive, 3))
        return false;
    for (;;) {
        XChild child = cursor.nextChild(depth);
        if (child.kind == XChild::Closed)
            return true;
        if (child.kind == XChild::Failed)
            return false;
        if (child.kind != XChild::Object)
            continue;
        bool read = isTextureFilename(child.type) ? readTextureFilename(cursor, depth + 1, material)
                                                  : cursor.skipBody(depth + 1);
        if (!read)
            return false;
    }
}

bool readMaterialListBody(XCursor& cursor, int depth, const XNamedMaterials& named, XMeshData& mesh)
{
    uint32_t materialCount;
    if (!cursor.readCount(materialCount, 1) || !readFaceIndexes(cursor, materialCount, mesh))
        return false;
    mesh.materials.clear();
    for (;;) {
        XChild child = cursor.nextChild(depth);
        if (child.kind == XChild::Failed)
            return false;
        if (child.kind == XChild::Closed)
            break;
        bool read = true;
        if (child.kind == XChild::Reference) {
            read = addReferenced(cursor, child.name, named, mesh);
        } else if (child.type == "Material") {
            mesh.materials.emplace_back();
            read = readMaterialBody(cursor, depth + 1, mesh.materials.back());
        } else {
            read = cursor.skipBody(depth + 1);
        }
        if (!read)
            return false;
    }
    if (mesh.materials.size() < materialCount)
        return cursor.fail(XReadStatus::Malformed);
    mesh.materials.resize(materialCount);
    if (materialCount == 0)
        mesh.faceMaterials.clear();   // an empty list: the mesh has no materials
    return true;
}
