// Fuzz harness of the X file reader, text and binary. Every input the reader accepts must hold
// together (indices below the vertex count, one attribute per triangle, channels sized per
// vertex) and read back the same after a write in either encoding.
#include <cstdio>
#include <cstdlib>

#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"

namespace {

void require(bool condition, const char* what) { if (!condition) std::fprintf(stderr, "xfile fuzz: %s\n", what), std::abort(); }

bool sized(size_t channel, size_t perVertex, uint32_t vertices) { return channel == 0 || channel == perVertex * vertices; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MeshContent mesh;
    if (readXFile(data, size, mesh) != XReadStatus::Ok) {
        require(mesh.positions.empty() && mesh.indices.empty(), "failed read left content");
        return 0;
    }
    const uint32_t vertices = mesh.vertexCount();
    require(mesh.positions.size() == 3 * size_t(vertices) && sized(mesh.normals.size(), 3, vertices)
                && sized(mesh.texcoords.size(), 2, vertices) && sized(mesh.colors.size(), 1, vertices),
            "channels not per vertex");
    require(mesh.indices.size() % 3 == 0 && mesh.faceCount() > 0 && mesh.attributes.size() == mesh.faceCount(),
            "not whole triangles, one attribute each");
    for (uint32_t index : mesh.indices)
        require(index < vertices, "index past the vertices");
    for (uint32_t attribute : mesh.attributes)
        require(attribute < (mesh.materials.empty() ? 1 : mesh.materials.size()), "attribute past the materials");
    for (XFileFormat format : {XFileFormat::Text, XFileFormat::Binary}) {
        const std::vector<uint8_t> bytes = writeXFile(mesh, format);
        MeshContent back;
        require(readXFile(bytes.data(), bytes.size(), back) == XReadStatus::Ok, "written file does not read");
        require(back.positions == mesh.positions && back.indices == mesh.indices && back.normals == mesh.normals
                    && back.texcoords == mesh.texcoords && back.attributes == mesh.attributes
                    && back.materials.size() == mesh.materials.size(),
                "written file reads back differently");
    }
    return 0;
}
