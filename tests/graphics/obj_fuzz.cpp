// Fuzz harness of the OBJ reader (and of the MTL reader on the same bytes). Every input the
// reader accepts must hold together (indices below the vertex count, one attribute per triangle
// below the material count, runs in face order) and read back alike after a write; a refused
// one leaves nothing.
#include <cstdio>
#include <cstdlib>

#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"

namespace {

void require(bool condition, const char* what) { if (!condition) std::fprintf(stderr, "obj fuzz: %s\n", what), std::abort(); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    ObjMesh obj;
    if (readObj(text, size, obj).status != ObjReadStatus::Ok) {
        require(obj.mesh.positions.empty() && obj.mesh.indices.empty(), "failed read left content");
        obj.materialNames = {"red", "blue"};   // the same bytes as a library for two materials
        obj.mesh.materials.resize(2);
        applyMtl(text, size, obj);
        return 0;
    }
    const MeshContent& mesh = obj.mesh;
    require(mesh.vertexCount() > 0 && mesh.vertexCount() <= kObjMaxVertices, "vertex count");
    require(mesh.texcoords.empty() || mesh.texcoords.size() == 2 * size_t(mesh.vertexCount()), "texcoords not per vertex");
    require(mesh.normals.empty() || mesh.normals.size() == mesh.positions.size(), "normals not per vertex");
    require(mesh.attributes.size() == mesh.faceCount() && mesh.faceCount() > 0, "not one attribute per triangle");
    require(obj.materialNames.size() == mesh.materials.size(), "material names");
    for (uint32_t index : mesh.indices)
        require(index < mesh.vertexCount(), "index past the vertices");
    for (uint32_t attribute : mesh.attributes)
        require(attribute < mesh.materials.size(), "attribute past the materials");
    require(!obj.runs.empty() && obj.runs[0].firstFace == 0, "no first run");
    for (size_t i = 1; i < obj.runs.size(); ++i)
        require(obj.runs[i].firstFace > obj.runs[i - 1].firstFace, "runs out of order");
    applyMtl(text, size, obj);
    const std::string written = writeObj(obj);
    ObjMesh back;
    require(readObj(written.data(), written.size(), back).status == ObjReadStatus::Ok, "written file does not read");
    require(back.mesh.indices.size() == mesh.indices.size() && back.mesh.attributes == mesh.attributes,
            "written file reads back differently");
    return 0;
}
