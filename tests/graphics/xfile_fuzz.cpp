// Fuzz harness of the X file reader, text and binary.
// Every input the reader accepts must hold together (indices below the vertex count, one
// attribute per triangle, channels sized per vertex) and survive a write and read back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "xfile fuzz: %s\n", what);
        std::abort();
    }
}

void checkConsistent(const MeshContent& mesh)
{
    uint32_t vertices = mesh.vertexCount();
    require(mesh.positions.size() == 3 * size_t(vertices), "positions not in threes");
    require(mesh.normals.empty() || mesh.normals.size() == mesh.positions.size(), "normals not per vertex");
    require(mesh.texcoords.empty() || mesh.texcoords.size() == 2 * size_t(vertices), "texcoords not per vertex");
    require(mesh.colors.empty() || mesh.colors.size() == vertices, "colours not per vertex");
    require(mesh.indices.size() % 3 == 0 && mesh.faceCount() > 0, "no whole triangles");
    require(mesh.attributes.size() == mesh.faceCount(), "not one attribute per triangle");
    for (uint32_t index : mesh.indices)
        require(index < vertices, "index past the vertices");
    for (uint32_t attribute : mesh.attributes)
        require(mesh.materials.empty() ? attribute == 0 : attribute < mesh.materials.size(), "attribute past the materials");
}

void checkRoundTrip(const MeshContent& mesh, XFileFormat format)
{
    std::vector<uint8_t> bytes = writeXFile(mesh, format);
    MeshContent back;
    require(readXFile(bytes.data(), bytes.size(), back) == XReadStatus::Ok, "written file does not read");
    require(back.positions == mesh.positions && back.indices == mesh.indices && back.normals == mesh.normals
                && back.texcoords == mesh.texcoords && back.attributes == mesh.attributes
                && back.materials.size() == mesh.materials.size(),
            "written file reads back differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MeshContent mesh;
    if (readXFile(data, size, mesh) != XReadStatus::Ok) {
        require(mesh.positions.empty() && mesh.indices.empty(), "failed read left content");
        return 0;
    }
    checkConsistent(mesh);
    checkRoundTrip(mesh, XFileFormat::Text);
    checkRoundTrip(mesh, XFileFormat::Binary);
    return 0;
}
