// Our files against Debian's Assimp (assimp-utils), both ways: Assimp reads the OBJ, X and 3DS
// files we write and exports them as OBJ and X files of its own making, which we read; each time
// the same triangles with the same positions and texture coordinates come back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"
#include "graphics/xfile_reader.h"
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

// Assimp's export of `source` as an OBJ or X file, read by us.
MeshContent assimpExportOf(const std::string& source, const std::string& ending)
{
    const std::string exported = "assimp." + ending, command = "assimp export " + source + " " + exported + " > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    ObjMesh obj;
    const std::string text = readFileText(exported);
    if (ending == "obj")
        EXPECT_EQ(readObj(text.data(), text.size(), obj).status, ObjReadStatus::Ok);
    else
        EXPECT_EQ(loadXFile(exported.c_str(), obj.mesh), XReadStatus::Ok);
    return obj.mesh;
}

// Writes `mesh` as a 3DS file; returns it as Assimp turns the file's z-up space y-up and its
// upward v down, which reading an OBJ turns into (x, z, y) and 1 - v.
MeshContent write3ds(const MeshContent& mesh, const char* path)
{
    MeshRecord record;
    MeshContent turned;
    for (uint32_t v = 0; v < mesh.vertexCount(); ++v) {
        const float *p = &mesh.positions[3 * v], *uv = &mesh.texcoords[2 * v];
        record.vertices.push_back({p[0], p[1], p[2]});
        record.texCoords.push_back({uv[0], uv[1]});
        turned.positions.insert(turned.positions.end(), {p[0], p[2], p[1]});
        turned.texcoords.insert(turned.texcoords.end(), {uv[0], 1.0f - uv[1]});
    }
    for (uint32_t f = 0; f < mesh.faceCount(); ++f) {
        const uint32_t* i = &mesh.indices[3 * f];
        record.faces.push_back({i[0], i[1], i[2]});
        turned.indices.insert(turned.indices.end(), {i[0], i[2], i[1]});
    }
    record.materialCount = 1;
    std::strcpy(record.materials[0].textureFileName, "knot.bmp");
    g_meshRecords.assign(1, record);
    EXPECT_TRUE(g_chunk3dsFile.openForWriting(path));
    g_chunk3dsFile.Write();
    EXPECT_EQ(g_chunk3dsFile.closeWriting(), SaveResult::Saved);
    return turned;
}

TEST(ObjAssimp, AssimpReadsOurFilesAndWeReadItsExports)
{
    MeshContent knot = makeTorusKnot(32, 8, true);
    giveKnotMaterial(knot);
    ObjMesh ours;
    ours.mesh = knot;
    ours.materialNames = {"knot"};
    writeFile("ours.obj", writeObj(ours));
    writeFile("ours.x", writeXFile(knot, XFileFormat::Binary));
    const MeshContent turned = write3ds(knot, "ours.3ds");
    const struct {
        const char *file, *exported;
        const MeshContent& expected;
    } cases[] = {{"ours.obj", "obj", knot}, {"ours.x", "obj", knot}, {"ours.x", "x", knot}, {"ours.3ds", "obj", turned}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " exported as " + c.exported);
        expectSameTriangles(c.expected, assimpExportOf(c.file, c.exported));
        if (std::string(c.file) + c.exported == "ours.xobj") {   // and the X file's texture
            EXPECT_NE(readFileText("assimp.mtl").find("knot.bmp"), std::string::npos);
        }
    }
}

} // namespace
