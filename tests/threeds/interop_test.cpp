// Files of other 3DS writers are read as they were written: lib3ds and Assimp's exporter, over
// shapes with and without texture coordinates, materials and texture names.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include "tests/threeds/read_chunks.h"

namespace {

// Values exact in binary and in short decimals, so that a text file carries them unchanged.
std::vector<MeshRecord> shapes()
{
    MeshRecord triangle, box;
    triangle.vertices = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0.5f}};
    triangle.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    triangle.faces = {{0, 1, 2}};
    for (int k = 0; k < 8; ++k)
        box.vertices.push_back({k & 1 ? 1.0f : -1.0f, k & 2 ? 1.0f : -1.0f, k & 4 ? 1.0f : -1.0f});
    box.faces = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4}, {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
    return {triangle, box};
}

// A material's name (none: the faces have none) and texture (none: it has no texture map).
struct Material {
    const char *name, *texture;
} const kMaterials[] = {{nullptr, nullptr}, {"skin", nullptr}, {"skin", "skin.bmp"}};

// Saves the shape through lib3ds with the material (or none) on every face; with a keyframer,
// an object node for the mesh and the master scale 2.0, whose float holds the bytes of the
// object id (0x4000) where the editor's scan steps on it.
bool writeWithLib3ds(const MeshRecord& shape, const Material& material, bool keyframer)
{
    Lib3dsFile* file = lib3ds_file_new();
    Lib3dsMesh* mesh = lib3ds_mesh_new("shape");
    file->master_scale = keyframer ? 2.0f : 1.0f;
    if (material.name) {
        Lib3dsMaterial* skin = lib3ds_material_new();
        std::strcpy(skin->name, material.name);
        std::strcpy(skin->texture1_map.name, material.texture ? material.texture : "");
        lib3ds_file_insert_material(file, skin);
    }
    lib3ds_mesh_new_point_list(mesh, shape.vertexCount());
    for (unsigned v = 0; v < shape.vertexCount(); ++v)
        std::memcpy(mesh->pointL[v].pos, &shape.vertices[v], sizeof(Vertex3ds));
    if (shape.texCoordCount() && lib3ds_mesh_new_texel_list(mesh, shape.texCoordCount()))
        std::memcpy(mesh->texelL, shape.texCoords.data(), shape.texCoordCount() * sizeof(TexCoord3ds));
    lib3ds_mesh_new_face_list(mesh, shape.faceCount());
    for (unsigned f = 0; f < shape.faceCount(); ++f) {
        const Face3ds& face = shape.faces[f];
        Lib3dsWord* points = mesh->faceL[f].points;
        points[0] = Lib3dsWord(face.a), points[1] = Lib3dsWord(face.b), points[2] = Lib3dsWord(face.c);
        std::strcpy(mesh->faceL[f].material, material.name ? material.name : "");
    }
    lib3ds_file_insert_mesh(file, mesh);
    if (keyframer) {
        Lib3dsNode* node = lib3ds_node_new_object();
        std::strcpy(node->name, "shape");
        node->parent_id = LIB3DS_NO_PARENT;
        lib3ds_file_insert_node(file, node);
    }
    const bool saved = lib3ds_file_save(file, "other.3ds");
    lib3ds_file_free(file);
    return saved;
}

// The faces as their corners' positions and texture coordinates (0, 0 without them), sorted,
// so that files of writers that number their vertices otherwise compare.
std::vector<std::array<float, 15>> trianglesOf(const MeshRecord& mesh)
{
    std::vector<std::array<float, 15>> triangles(mesh.faceCount());
    for (size_t f = 0; f < triangles.size(); ++f) {
        const uint32_t corners[3] = {mesh.faces[f].a, mesh.faces[f].b, mesh.faces[f].c};
        for (int c = 0; c < 3; ++c) {
            std::memcpy(&triangles[f][5 * c], &mesh.vertices.at(corners[c]), sizeof(Vertex3ds));
            if (corners[c] < mesh.texCoordCount())
                std::memcpy(&triangles[f][5 * c + 3], &mesh.texCoords[corners[c]], sizeof(TexCoord3ds));
        }
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

TEST(ThreedsInterop, FilesOfLib3dsAndAssimpAreReadAsWritten)
{
    // Assimp's exporter keeps materials as it sees fit; lib3ds writes the one it was given.
    auto expectReadAsWritten = [](const MeshRecord& shape, const char* material) {
        const ReadOutcome read = readChunkFile(readFileBytes("other.3ds"));
        ASSERT_EQ(read.result, 1);
        EXPECT_TRUE(read.boxes.empty() && trianglesOf(read.record) == trianglesOf(shape));
        EXPECT_EQ(read.record.texCoordCount() > 0, shape.texCoordCount() > 0);
        if (material) {
            EXPECT_EQ(read.record.materialCount ? read.record.materials[0].name : "", std::string(material));
        }
    };
    for (const MeshRecord& shape : shapes())
        for (const Material& material : kMaterials) {
            const std::string trace = std::to_string(shape.faceCount()) + " faces" + (material.name ? " skin" : "") +
                                      (material.texture ? " textured" : "");
            for (bool keyframer : {false, true}) {
                ASSERT_TRUE(writeWithLib3ds(shape, material, keyframer));
                SCOPED_TRACE("lib3ds " + trace + (keyframer ? ", keyframer" : ""));
                expectReadAsWritten(shape, material.name ? material.name : "");
            }
            std::string obj = material.name ? "mtllib shape.mtl\nusemtl skin\n" : "";
            for (const Vertex3ds& v : shape.vertices)
                obj += "v " + std::to_string(v.x) + " " + std::to_string(v.y) + " " + std::to_string(v.z) + "\n";
            for (const TexCoord3ds& t : shape.texCoords)
                obj += "vt " + std::to_string(t.u) + " " + std::to_string(t.v) + "\n";
            for (const Face3ds& face : shape.faces) {
                obj += "f";
                for (uint32_t corner : {face.a + 1, face.b + 1, face.c + 1})
                    obj += " " + std::to_string(corner) + (shape.texCoords.empty() ? "" : "/" + std::to_string(corner));
                obj += "\n";
            }
            writeFile("shape.obj", obj);
            writeFile("shape.mtl", std::string("newmtl skin\nKd 1 1 1\n") + (material.texture ? "map_Kd skin.bmp\n" : ""));
            std::remove("other.3ds");
            ASSERT_EQ(std::system("assimp export shape.obj other.3ds > /dev/null"), 0);
            SCOPED_TRACE("assimp " + trace);
            expectReadAsWritten(shape, nullptr);
        }
}

}  // namespace
