// The text encoding: header forms, separators, comments, templates and skipped objects.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/graphics/xfile_test_files.h"
#include "tests/support/tree_paths.h"

namespace {

const char kQuad[] = "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }\n";

struct SyntaxCase {
    const char* what;
    const char* body;
};

// Each body holds the same unit quad, written the ways real files write it.
const SyntaxCase kSyntaxCases[] = {
    {"canonical", kQuad},
    {"commas only", "Mesh{4,0,0,0,1,0,0,1,1,0,0,1,0,1,4,0,1,2,3}"},
    {"spaces only", "Mesh {\n 4\n 0 0 0\n 1 0 0\n 1 1 0\n 0 1 0\n 1\n 4 0 1 2 3\n}"},
    {"doubled separators", "Mesh {4;; 0;0;0;;, 1;0;0;;, 1;1;0;;, 0;1;0;;; 1;; 4;;0,1,2,3;;; }"},
    {"hash comments", "# a comment { with braces\nMesh { # vertices\n4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }"},
    {"slash comments", "// made by hand\nMesh {\n 4; // four\n 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }"},
    {"name starting with a digit", "Mesh 01_Quad-Mesh.1 { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }"},
    {"named with guid", "Mesh quad { <3D82AB44-62DA-11cf-AB39-0020AF71E433> 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }"},
    {"float forms", "Mesh { 4; 0.0;-0.000;+0e0;, 1.;0;0;, 1.000000e+000;1;.0;, 0;10E-1;0;; 1; 4;0,1,2,3;; }"},
    {"crlf and tabs", "Mesh\t{\r\n4;\r\n0;0;0;,\t1;0;0;,\r\n1;1;0;,0;1;0;;\r\n1;\r\n4;0,1,2,3;;\r\n}\r\n"},
    {"templates first",
     "template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
     "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; array Vector vertices[nVertices];"
     " DWORD nFaces; array MeshFace faces[nFaces]; [...] }\n"
     "template Open { <00000000-0000-0000-0000-000000000000> [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>, Mesh] }\n"
     "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; }"},
    {"header and unknown objects",
     "Header { 1; 0; 1; }\nAnimationSet walk { Animation { { Frame1 } AnimationKey { 0; 1; 0;4;1.0,0,0,0;;; } } }\n"
     "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;;\n"
     " SkinWeights { \"bone\"; 1; 0; 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n XSkinMeshHeader { 1; 1; 1; } }"},
};

class XFileTextSyntax : public testing::TestWithParam<SyntaxCase> {};

TEST_P(XFileTextSyntax, ReadsTheUnitQuad)
{
    MeshContent mesh;
    ASSERT_EQ(readText(GetParam().body, mesh), XReadStatus::Ok) << GetParam().what;
    const std::vector<float> positions = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    EXPECT_EQ(mesh.positions, positions);
    const std::vector<uint32_t> fan = {0, 1, 2, 0, 2, 3};
    EXPECT_EQ(mesh.indices, fan);
    EXPECT_EQ(mesh.attributes, std::vector<uint32_t>(2, 0));
    EXPECT_TRUE(mesh.normals.empty());
    EXPECT_TRUE(mesh.texcoords.empty());
    EXPECT_TRUE(mesh.colors.empty());
    EXPECT_TRUE(mesh.materials.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, XFileTextSyntax, testing::ValuesIn(kSyntaxCases));

// Words that start like numbers but are none, or numbers out of range, wherever they stand
// in a run of numbers.
TEST(XFileText, NumbersOnlyAlmostWrittenAreRefused)
{
    const struct {
        const char* body;
        XReadStatus status;
    } cases[] = {
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3x;; }", XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1q;0;, 0;1;0;; 1; 4;0,1,2,3;; }", XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,-2,3;; }", XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,4294967298,3;; }", XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1e39;0;, 0;1;0;; 1; 4;0,1,2,3;; }", XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;; MeshVertexColors { 1; 0.5;1;1;1;1;;; } }",
         XReadStatus::Malformed},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,+2,3;; }", XReadStatus::Ok},
        {"Mesh { 4; 0;0;0;, 1;0;0;, 1;1e-60;0;, 0;1;0;; 1; 4;0,1,2,3;; }", XReadStatus::Ok},
    };
    for (const auto& c : cases) {
        MeshContent mesh;
        EXPECT_EQ(readText(c.body, mesh), c.status) << c.body;
    }
}

TEST(XFileText, ReadsAllHeaderVariantsAndRefusesOthers)
{
    struct HeaderCase {
        const char* header;
        XReadStatus status;
    };
    const HeaderCase cases[] = {
        {"xof 0302txt 0032", XReadStatus::Ok},        {"xof 0303txt 0032", XReadStatus::Ok},
        {"xof 0302txt 0064", XReadStatus::Ok},        {"xof 0301txt 0032", XReadStatus::Unsupported},
        {"xof 0302tzip0032", XReadStatus::Unsupported}, {"xof 0302bzip0064", XReadStatus::Unsupported},
        {"xof 0302txt 0016", XReadStatus::Unsupported}, {"xof 0302asc 0032", XReadStatus::Unsupported},
        {"XOF 0302txt 0032", XReadStatus::NotXFile},  {"\x89PNG\r\n\x1a\n01234567", XReadStatus::NotXFile},
    };
    for (const HeaderCase& c : cases) {
        MeshContent mesh;
        EXPECT_EQ(readBytes(textXFile(kQuad, c.header), mesh), c.status) << c.header;
        EXPECT_EQ(mesh.faceCount(), c.status == XReadStatus::Ok ? 2u : 0u) << c.header;
    }
}

TEST(XFileText, PolygonsOfAnySizeBecomeFans)
{
    MeshContent mesh;
    ASSERT_EQ(readText("Mesh { 6; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;2;0;, 5;5;5;;\n"
                       " 2; 5;0,1,2,3,4;, 3;4,3,5;; }",
                       mesh),
              XReadStatus::Ok);
    const std::vector<uint32_t> expected = {0, 1, 2, 0, 2, 3, 0, 3, 4, 4, 3, 5};
    EXPECT_EQ(mesh.indices, expected);
    EXPECT_EQ(mesh.vertexCount(), 6u);
}

TEST(XFileText, DoublePrecisionDigitsRoundToFloat)
{
    MeshContent mesh;
    ASSERT_EQ(readBytes(textXFile("Mesh { 3; 0.1000000000000000055511151231257827;0;1e-50;, "
                                  "3.4028234663852886e+38;0;0;, 0;1;0;; 1; 3;0,1,2;; }",
                                  "xof 0302txt 0064\n"),
                        mesh),
              XReadStatus::Ok);
    EXPECT_EQ(mesh.positions[0], 0.1f);
    EXPECT_EQ(mesh.positions[2], 0.0f);   // too small for a float: zero
    EXPECT_EQ(mesh.positions[3], 3.4028234663852886e+38f);
}

TEST(XFileText, MeshesInsideUnknownObjectsAreSkippedWithThem)
{
    MeshContent mesh;
    ASSERT_EQ(readText(std::string("Wrapper { Inner { Mesh { 3; 9;9;9;, 9;9;9;, 9;9;9;; 1; 3;0,1,2;; } } }\n") + kQuad,
                       mesh),
              XReadStatus::Ok);
    EXPECT_EQ(mesh.vertexCount(), 4u);
    EXPECT_EQ(mesh.positions[0], 0.0f);
}

TEST(XFileText, ReadsTheCubeAsAssimpExportsIt)
{
    // assimp writes frames with matrices, its own templates and nine-digit floats.
    const std::string path = sourcePath("tests/graphics/xfile_seeds/cube_by_assimp.x");
    MeshContent mesh;
    ASSERT_EQ(loadXFile(path.c_str(), mesh), XReadStatus::Ok) << path;
    EXPECT_EQ(mesh.faceCount(), 12u);
    EXPECT_EQ(mesh.normals.size(), mesh.positions.size());
    EXPECT_EQ(mesh.texcoords.size(), 2u * mesh.vertexCount());
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].textureFile, "");
    for (float coordinate : mesh.positions)
        EXPECT_FLOAT_EQ(std::fabs(coordinate), 1.0f);
}

} // namespace
