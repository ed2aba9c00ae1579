// The writer: what it writes reads back as the same mesh, in both encodings; and the meshes the
// media generator writes with it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

#include "graphics/d3dx_math.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/cube_mesh.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/graphics/xfile_test_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

TEST(XFileWriter, EveryChannelSavesAndLoadsBackIdenticallyInEitherEncoding)
{
    // Two materials, colours, and values whose shortest decimal forms are long. (Meshes without
    // some channel: the fuzz harness writes every seed back in both encodings.)
    MeshContent full = makeTorusKnot(7, 5);
    full.positions[0] = 1.0f / 3.0f, full.positions[1] = -1.17549435e-38f, full.positions[2] = 3.40282347e+38f;
    full.texcoords[0] = 1e-7f;
    for (uint32_t v = 0; v < full.vertexCount(); ++v)
        full.colors.push_back(0x01020304u * v ^ 0x80FF00FFu);
    full.materials.emplace_back();
    full.materials[1].diffuse[0] = 0.1f, full.materials[1].power = 12.5f;
    full.materials[1].specular[1] = 0.7f, full.materials[1].emissive[2] = 0.3f;
    for (size_t f = 0; f < full.attributes.size(); f += 3)
        full.attributes[f] = 1;
    TempFolder folder;
    for (XFileFormat format : {XFileFormat::Text, XFileFormat::Binary}) {
        ASSERT_TRUE(saveXFile(folder.file("saved.x").c_str(), full, format));
        EXPECT_EQ(readFileText(folder.file("saved.x")).substr(0, 16),
                  format == XFileFormat::Text ? "xof 0302txt 0032" : "xof 0302bin 0032");
        MeshContent back;
        ASSERT_EQ(loadXFile(folder.file("saved.x").c_str(), back), XReadStatus::Ok);
        expectSameMesh(full, back);
    }
    // Binary numbers go in lists, so the binary file is the smaller.
    EXPECT_LT(writeXFile(full, XFileFormat::Binary).size(), writeXFile(full, XFileFormat::Text).size());
    EXPECT_FALSE(saveXFile(folder.file("no-such-folder/knot.x").c_str(), full, XFileFormat::Binary));
    EXPECT_EQ(loadXFile(folder.file("no-such-folder/knot.x").c_str(), full), XReadStatus::NotXFile);
}

D3DXVECTOR3 vectorAt(const std::vector<float>& values, uint32_t v)
{
    return {values[3 * v], values[3 * v + 1], values[3 * v + 2]};
}

// Faces wind clockwise seen from outside (so that Direct3D's default culling keeps the outside),
// and normals are unit.
void expectOutwardUnitNormals(const MeshContent& mesh)
{
    for (size_t f = 0; f < mesh.faceCount(); ++f) {
        const uint32_t* t = &mesh.indices[3 * f];
        const D3DXVECTOR3 p = vectorAt(mesh.positions, t[0]), a = vectorAt(mesh.positions, t[1]) - p,
                          b = vectorAt(mesh.positions, t[2]) - p, n = vectorAt(mesh.normals, t[0]);
        D3DXVECTOR3 cross;
        ASSERT_GT(D3DXVec3Dot(D3DXVec3Cross(&cross, &a, &b), &n), 0.0f) << "face " << f;
    }
    for (uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        const D3DXVECTOR3 n = vectorAt(mesh.normals, v);
        ASSERT_NEAR(D3DXVec3Length(&n), 1.0f, 1e-5f) << "vertex " << v;
    }
}

TEST(MediaMeshes, KnotAndCubeAreClosedOutwardAndTexturedAsTheEditorShowsThem)
{
    const MeshContent knot = makeTorusKnot(40, 7), seamed = makeTorusKnot(40, 7, true), cube = makeCube();
    EXPECT_EQ(std::make_tuple(280u, 560u, std::vector<uint32_t>(560, 0), std::string("knot.bmp")),
              std::make_tuple(knot.vertexCount(), knot.faceCount(), knot.attributes, knot.materials.at(0).textureFile));
    for (const MeshContent* mesh : {&knot, &seamed, &cube})
        expectOutwardUnitNormals(*mesh);
    // A closed tube: every directed edge once, and its reverse once.
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (size_t c = 0; c < knot.indices.size(); ++c)
        ++edges[{knot.indices[c], knot.indices[c - c % 3 + (c + 1) % 3]}];
    for (const auto& [edge, count] : edges)
        ASSERT_TRUE(count == 1 && edges.count({edge.second, edge.first})) << edge.first << "-" << edge.second;
    // Seam copies: the last ring repeats the first one's geometry at u = 4, the last column the
    // first one's at v = 0, so that no triangle stretches across the texture. v runs from -1 to
    // 0, as the editor keeps it in X files: the points lie on the first row of tiles.
    ASSERT_EQ(std::make_pair(41u * 8, 560u), std::make_pair(seamed.vertexCount(), seamed.faceCount()));
    for (uint32_t j = 0; j < 8; ++j)
        EXPECT_TRUE(vectorAt(seamed.positions, j) == vectorAt(seamed.positions, 320 + j) &&
                    seamed.texcoords[2 * (320 + j)] == 4.0f);
    EXPECT_EQ(vectorAt(seamed.positions, 0), vectorAt(seamed.positions, 7));
    EXPECT_EQ(std::make_pair(seamed.texcoords[1], seamed.texcoords[2 * 7 + 1]), std::make_pair(-1.0f, 0.0f));
    EXPECT_EQ(std::make_tuple(24u, 12u, true), std::make_tuple(cube.vertexCount(), cube.faceCount(), cube.materials.empty()));
    for (float coordinate : cube.positions)
        EXPECT_EQ(std::fabs(coordinate), 1.0f);
}

} // namespace
