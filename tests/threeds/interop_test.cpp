// Files of other 3DS writers are read as they were written: lib3ds and Assimp's exporter, over
// several shapes with and without materials and texture names. And a good file stays good
// whatever an unknown chunk holds: a handled id planted there with a length no chunk there can
// have is taken as the data it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include "tests/support/chunk_builder.h"
#include "tests/threeds/read_chunks.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Shape {
    const char* name;
    std::vector<float> positions;   // x y z per vertex
    std::vector<float> texcoords;   // u v per vertex, or none
    std::vector<uint16_t> corners;  // three per face
};

// Values exact in binary and in short decimals, so that a text file carries them unchanged.
std::vector<Shape> shapes()
{
    Shape grid{"grid", {}, {}, {}}, box{"box", {}, {}, {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                                       2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5}};
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i) {
            grid.positions.insert(grid.positions.end(), {i * 1.5f - 3, j * 0.75f, float(i * j % 3)});
            grid.texcoords.insert(grid.texcoords.end(), {i / 4.0f, j / 4.0f});
        }
    for (uint16_t a = 0; a < 24; ++a)
        if (a % 5 < 4 && a < 20)
            grid.corners.insert(grid.corners.end(), {a, uint16_t(a + 1), uint16_t(a + 5), uint16_t(a + 1), uint16_t(a + 6), uint16_t(a + 5)});
    for (int k = 0; k < 8; ++k)
        box.positions.insert(box.positions.end(), {k & 1 ? 1.0f : -1.0f, k & 2 ? 1.0f : -1.0f, k & 4 ? 1.0f : -1.0f});
    return {{"triangle", {0, 0, 0, 2, 0, 0, 0, 2, 0.5f}, {0, 0, 1, 0, 0, 1}, {0, 1, 2}}, grid, box};
}

struct Material {
    const char* name;      // none: the faces have no material
    const char* texture;   // none: the material has no texture map
};
const Material kMaterials[] = {{nullptr, nullptr}, {"skin", nullptr}, {"skin", "skin.bmp"}};

// Saves the shape through lib3ds with the material (or none) on every face; with a keyframer,
// an object node for the mesh and the master scale 2.0, whose float holds the bytes of the
// object id (0x4000) where the editor's scan steps on it.
bool writeWithLib3ds(const Shape& shape, const Material& material, bool keyframer)
{
    Lib3dsFile* file = lib3ds_file_new();
    Lib3dsMesh* mesh = lib3ds_mesh_new("shape");
    const unsigned vertices = unsigned(shape.positions.size() / 3), faces = unsigned(shape.corners.size() / 3);
    file->master_scale = keyframer ? 2.0f : 1.0f;
    if (material.name) {
        Lib3dsMaterial* skin = lib3ds_material_new();
        std::strcpy(skin->name, material.name);
        std::strcpy(skin->texture1_map.name, material.texture ? material.texture : "");
        lib3ds_file_insert_material(file, skin);
    }
    lib3ds_mesh_new_point_list(mesh, vertices);
    if (!shape.texcoords.empty())
        lib3ds_mesh_new_texel_list(mesh, vertices);
    for (unsigned v = 0; v < vertices; ++v) {
        std::memcpy(mesh->pointL[v].pos, &shape.positions[3 * v], 3 * sizeof(float));
        if (!shape.texcoords.empty())
            std::memcpy(mesh->texelL[v], &shape.texcoords[2 * v], 2 * sizeof(float));
    }
    lib3ds_mesh_new_face_list(mesh, faces);
    for (unsigned f = 0; f < faces; ++f) {
        std::copy_n(&shape.corners[3 * f], 3, mesh->faceL[f].points);
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
using Triangle = std::array<float, 15>;
std::vector<Triangle> trianglesOf(const std::vector<uint32_t>& corners, const float* positions, const float* texcoords,
                                  size_t texcoordCount)
{
    std::vector<Triangle> triangles(corners.size() / 3);
    for (size_t c = 0; c < corners.size(); ++c) {
        std::copy_n(positions + 3 * corners[c], 3, &triangles[c / 3][5 * (c % 3)]);
        if (corners[c] < texcoordCount)
            std::copy_n(texcoords + 2 * corners[c], 2, &triangles[c / 3][5 * (c % 3) + 3]);
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

void expectReadAsWritten(const Shape& shape, const Material& material, bool checkMaterial)
{
    const ReadOutcome read = readChunkFile(readFileBytes("other.3ds"));
    ASSERT_EQ(read.result, 1);
    EXPECT_EQ(read.boxes, std::vector<std::string>{});
    std::vector<uint32_t> corners(shape.corners.begin(), shape.corners.end()), readCorners;
    for (const Face3ds& face : read.record.faces)
        readCorners.insert(readCorners.end(), {face.a, face.b, face.c});
    EXPECT_EQ(trianglesOf(readCorners, reinterpret_cast<const float*>(read.record.vertices.data()),
                          reinterpret_cast<const float*>(read.record.texCoords.data()), read.record.texCoordCount()),
              trianglesOf(corners, shape.positions.data(), shape.texcoords.data(), shape.texcoords.size() / 2));
    EXPECT_EQ(read.record.texCoordCount() > 0, !shape.texcoords.empty());
    // Assimp's exporter keeps materials as it sees fit; lib3ds writes the one it was given.
    if (checkMaterial)
        EXPECT_EQ(read.record.materialCount ? read.record.materials[0].name : "", std::string(material.name ? material.name : ""));
}

TEST(ThreedsInterop, FilesOfLib3dsAndAssimpAreReadAsWritten)
{
    for (const Shape& shape : shapes())
        for (const Material& material : kMaterials) {
            for (bool keyframer : {false, true}) {
                ASSERT_TRUE(writeWithLib3ds(shape, material, keyframer));
                SCOPED_TRACE(std::string("lib3ds ") + shape.name + (material.name ? " skin" : "") +
                             (material.texture ? " textured" : "") + (keyframer ? ", keyframer" : ""));
                expectReadAsWritten(shape, material, true);
            }
            std::string obj = material.name ? "mtllib shape.mtl\nusemtl skin\n" : "";
            for (size_t v = 0; v < shape.positions.size(); v += 3)
                obj += "v " + std::to_string(shape.positions[v]) + " " + std::to_string(shape.positions[v + 1]) + " " +
                       std::to_string(shape.positions[v + 2]) + "\n";
            for (size_t v = 0; v < shape.texcoords.size(); v += 2)
                obj += "vt " + std::to_string(shape.texcoords[v]) + " " + std::to_string(shape.texcoords[v + 1]) + "\n";
            for (size_t c = 0; c < shape.corners.size(); ++c) {
                const std::string index = std::to_string(shape.corners[c] + 1);
                obj += (c % 3 ? " " : "f ") + index + (shape.texcoords.empty() ? "" : "/" + index) + (c % 3 == 2 ? "\n" : "");
            }
            writeFile("shape.obj", obj);
            writeFile("shape.mtl", std::string("newmtl skin\nKd 1 1 1\n") + (material.texture ? "map_Kd skin.bmp\n" : ""));
            std::remove("other.3ds");
            ASSERT_EQ(std::system("assimp export shape.obj other.3ds > /dev/null"), 0);
            SCOPED_TRACE(std::string("assimp ") + shape.name + (material.name ? " skin" : "") + (material.texture ? " textured" : ""));
            expectReadAsWritten(shape, material, false);
        }
}

// A good file with `unknown` as the first chunk of `container` ("main", "editor", "object" or
// "mesh").
Bytes fileWith(const std::string& container, const Bytes& unknown)
{
    const auto in = [&](const char* here) { return container == here ? unknown : Bytes{}; };
    const Bytes mesh = join({in("mesh"), vertexListChunk({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}), faceListChunk({{0, 1, 2}}),
                             textChunk(0x4130, "skin"), texCoordListChunk({{0, 0}, {1, 0}, {0, 1}})});
    const Bytes object = ChunkBuilder().chunk(0x4000, join({ChunkBuilder().text("body").data(), in("object"),
                                                            ChunkBuilder().chunk(0x4100, mesh).data()})).data();
    const Bytes material = ChunkBuilder().chunk(0xAFFF, join({textChunk(0xA000, "skin"), textChunk(0xA300, "skin.bmp")})).data();
    return ChunkBuilder().chunk(0x4D4D, join({in("main"), ChunkBuilder().chunk(0x3D3D, join({in("editor"), material, object})).data()})).data();
}

TEST(ThreedsInterop, HandledIdsInsideUnknownChunksAreTheirData)
{
    const std::string clean = verdict(readChunkFile(fileWith("", {})));
    ASSERT_EQ(clean, "v3 f1 t3 i0 tex [skin:skin.bmp]");
    const struct {
        const char* container;
        uint16_t id;
    } plants[] = {{"main", 0x3D3D}, {"main", 0xB000}, {"editor", 0x4000}, {"editor", 0xAFFF}, {"editor", 0x1100},
                  {"object", 0x4100}, {"object", 0x4600}, {"mesh", 0x4110}, {"mesh", 0x4120}, {"mesh", 0x4140}, {"mesh", 0x4160}};
    for (const auto& plant : plants)
        for (size_t at = 0; at < 4; ++at)   // where the scan lands on it, and where it does not
            for (uint32_t length : {0u, 5u, 200u, 0xFFFFFFFFu}) {
                ChunkBuilder data;
                data.bytes(Bytes(at, 0)).u16(plant.id).u32(length).u16(0xFFFF).bytes(Bytes(8 - at, 0));   // a list count too
                EXPECT_EQ(verdict(readChunkFile(fileWith(plant.container, ChunkBuilder().chunk(0x1234, data.data()).data()))), clean)
                    << plant.container << " " << plant.id << " at " << at << ", length " << length;
            }
}

}  // namespace
