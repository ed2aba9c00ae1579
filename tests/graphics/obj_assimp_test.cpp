// Our files against Debian's Assimp (assimp-utils), both ways: Assimp reads the OBJ and X files
// we write and exports them as OBJ and X files of its own making, which we read; each time the
// same triangles with the same positions and texture coordinates come back. (Our 3DS files are
// the threeds suites' and the editor's Assimp check's.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "graphics/obj_reader.h"
#include "graphics/obj_writer.h"
#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/support/test_files.h"

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

TEST(ObjAssimp, AssimpReadsOurFilesAndWeReadItsExports)
{
    MeshContent knot = makeTorusKnot(32, 8, true);
    giveKnotMaterial(knot);
    ObjMesh ours;
    ours.mesh = knot;
    ours.materialNames = {"knot"};
    writeFile("ours.obj", writeObj(ours));
    writeFile("ours.x", writeXFile(knot, XFileFormat::Binary));
    for (const auto& [file, exported] : {std::pair{"ours.obj", "obj"}, {"ours.x", "obj"}, {"ours.x", "x"}}) {
        SCOPED_TRACE(std::string(file) + " exported as " + exported);
        expectSameTriangles(knot, assimpExportOf(file, exported));
        if (std::string(file) + exported == "ours.xobj") {   // and the X file's texture
            EXPECT_NE(readFileText("assimp.mtl").find("knot.bmp"), std::string::npos);
        }
    }
}

} // namespace
