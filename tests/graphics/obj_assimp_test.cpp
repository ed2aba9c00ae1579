// Our OBJ files against Debian's Assimp (assimp-utils), both ways: Assimp reads the OBJ we
// write and exports it again, and we read Assimp's OBJ export of our X and 3DS files; each
// time the same triangles with the same positions and texture coordinates come back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/support/test_files.h"
#include "threeds/chunk3ds_file.h"
#include "threeds/mesh_record.h"

namespace {

using Corner = std::array<float, 5>;   // x, y, z, u, v
using Triangle = std::array<Corner, 3>;

// The triangles of `mesh`, each turned to start at its least corner, sorted: a form that does
// not depend on vertex or face order.
std::vector<Triangle> trianglesOf(const MeshContent& mesh)
{
    std::vector<Triangle> triangles;
    for (uint32_t f = 0; f < mesh.faceCount(); ++f) {
        Triangle t;
        for (int c = 0; c < 3; ++c) {
            const uint32_t v = mesh.indices[3 * f + uint32_t(c)];
            for (int k = 0; k < 3; ++k)
                t[c][k] = std::round(mesh.positions[3 * v + uint32_t(k)] * 1e4f) / 1e4f;
            for (int k = 0; k < 2; ++k)
                t[c][3 + k] = std::round(mesh.texcoords[2 * v + uint32_t(k)] * 1e4f) / 1e4f;
        }
        std::rotate(t.begin(), std::min_element(t.begin(), t.end()), t.end());
        triangles.push_back(t);
    }
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

void expectSameTriangles(const MeshContent& expected, const MeshContent& actual)
{
    const std::vector<Triangle> a = trianglesOf(expected), b = trianglesOf(actual);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 5; ++k)
                ASSERT_NEAR(a[i][c][k], b[i][c][k], 2e-4) << "triangle " << i;
}

// Assimp's OBJ export of `source`, read by us.
MeshContent assimpObjOf(const std::string& source)
{
    const std::string command = "assimp export " + source + " assimp.obj > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = readFileText("assimp.obj");
    ObjMesh obj;
    EXPECT_EQ(readObj(text.data(), text.size(), obj).status, ObjReadStatus::Ok);
    return obj.mesh;
}

TEST(ObjAssimp, AssimpReadsOurObjAndWeReadItsExports)
{
    MeshContent knot = makeTorusKnot(32, 8, true);
    giveKnotMaterial(knot);

    ObjMesh ours;
    ours.mesh = knot;
    ours.materialNames = {"knot"};
    writeFile("ours.obj", writeObj(ours));
    expectSameTriangles(knot, assimpObjOf("ours.obj"));

    const std::vector<uint8_t> x = writeXFile(knot, XFileFormat::Binary);
    writeFile("ours.x", std::string(x.begin(), x.end()));
    expectSameTriangles(knot, assimpObjOf("ours.x"));

    // Our 3DS writer's file: Assimp turns its z-up space y-up and its upward v down, which
    // reading an OBJ turns into (x, z, y) and 1 - v.
    MeshRecord record;
    MeshContent expected;
    for (uint32_t v = 0; v < knot.vertexCount(); ++v) {
        const float* p = &knot.positions[3 * v];
        const float* uv = &knot.texcoords[2 * v];
        record.vertices.push_back({p[0], p[1], p[2]});
        record.texCoords.push_back({uv[0], uv[1]});
        expected.positions.insert(expected.positions.end(), {p[0], p[2], p[1]});
        expected.texcoords.insert(expected.texcoords.end(), {uv[0], 1.0f - uv[1]});
    }
    for (uint32_t f = 0; f < knot.faceCount(); ++f) {
        const uint32_t* i = &knot.indices[3 * f];
        record.faces.push_back({i[0], i[1], i[2]});
        expected.indices.insert(expected.indices.end(), {i[0], i[2], i[1]});
    }
    record.materialCount = 1;
    std::strcpy(record.materials[0].textureFileName, "knot.bmp");
    g_meshRecords.assign(1, record);
    ASSERT_TRUE(g_chunk3dsFile.openForWriting("ours.3ds"));
    g_chunk3dsFile.Write();
    ASSERT_EQ(g_chunk3dsFile.closeWriting(), SaveResult::Saved);
    expectSameTriangles(expected, assimpObjOf("ours.3ds"));
}

} // namespace
