// What the reader makes of a file's objects: normals per corner, texture coordinates and
// colours per vertex, materials inline and by reference, vertex-data objects, frames.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/graphics/xfile_test_files.h"

namespace {

// A unit quad; `children` goes inside its Mesh object.
std::string quadWith(const std::string& children)
{
    return "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;\n" + children + "}\n";
}

std::vector<float> vertexValues(const std::vector<float>& values, size_t width, uint32_t v)
{
    return std::vector<float>(values.begin() + long(width * v), values.begin() + long(width * (v + 1)));
}

TEST(XFileStructure, CornerNormalsSplitOnlyPositionsThatDisagree)
{
    // Vertex 0 and 2 are used by both triangles; the second triangle gives vertex 0 another
    // normal, so vertex 0 is copied once; vertex 2 keeps one normal.
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("MeshNormals { 2; 0;0;-1;, 0;0;1;; 2; 3;0,0,0;, 3;1,0,0;; }\n"
                                "MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }"),
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.vertexCount(), 5u);
    EXPECT_EQ(vertexValues(mesh.positions, 3, 4), vertexValues(mesh.positions, 3, 0));
    EXPECT_EQ(vertexValues(mesh.normals, 3, 0), (std::vector<float>{0, 0, -1}));
    EXPECT_EQ(vertexValues(mesh.normals, 3, 4), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(vertexValues(mesh.normals, 3, 2), (std::vector<float>{0, 0, -1}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 4), (std::vector<float>{0, 0}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 2), (std::vector<float>{1, 1}));
    const std::vector<uint32_t> indices = {0, 1, 2, 4, 2, 3};
    EXPECT_EQ(mesh.indices, indices);
}

TEST(XFileStructure, NormalsWithTheirOwnFaceSizesAreRefused)
{
    MeshContent mesh;
    EXPECT_EQ(readText(quadWith("MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; }"), mesh), XReadStatus::Malformed);
    EXPECT_EQ(readText(quadWith("MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 4;0,0,0,0;; }"), mesh),
              XReadStatus::Malformed);
    EXPECT_EQ(readText(quadWith("MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,1,0;; }"), mesh),
              XReadStatus::BadIndex);
}

TEST(XFileStructure, VertexColoursConvertToArgbAndUnlistedVerticesStayWhite)
{
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("MeshVertexColors { 2; 0;1;0;0;1;;, 3;0.2;0.4;0.6;0.5;;; }"), mesh),
              XReadStatus::Ok);
    const std::vector<uint32_t> colors = {0xFFFF0000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0x80336699u};
    EXPECT_EQ(mesh.colors, colors);
    EXPECT_EQ(readText(quadWith("MeshVertexColors { 1; 4;1;1;1;1;;; }"), mesh), XReadStatus::BadIndex);
}

TEST(XFileStructure, TextureCoordinateCountMustMatchTheVertices)
{
    MeshContent mesh;
    EXPECT_EQ(readText(quadWith("MeshTextureCoords { 3; 0;0;, 1;0;, 1;1;; }"), mesh), XReadStatus::Malformed);
    EXPECT_TRUE(mesh.positions.empty());
}

const char kRedMaterial[] =
    "Material Red { 1;0;0;1;; 8; 0.5;0.5;0.5;; 0;0;0.25;; TextureFilename { \"red.bmp\"; } }\n";

TEST(XFileStructure, MaterialsInlineAndByReference)
{
    MeshContent mesh;
    ASSERT_EQ(readText(std::string(kRedMaterial)
                           + quadWith("MeshMaterialList { 3; 2; 2,0;;\n"
                                      " Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; }\n"
                                      " { Red }\n"
                                      " { Red <3D82AB4D-62DA-11cf-AB39-0020AF71E433> } }"),
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{2, 0}));
    EXPECT_EQ(mesh.materials[0].diffuse[1], 1.0f);
    EXPECT_EQ(mesh.materials[0].textureFile, "");
    const MeshMaterial& red = mesh.materials[2];
    EXPECT_EQ(red.diffuse[0], 1.0f);
    EXPECT_EQ(red.power, 8.0f);
    EXPECT_EQ(red.specular[2], 0.5f);
    EXPECT_EQ(red.emissive[2], 0.25f);
    EXPECT_EQ(red.textureFile, "red.bmp");
}

TEST(XFileStructure, ShortFaceIndexListRepeatsItsLastIndex)
{
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("MeshMaterialList { 2; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n"
                                " Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFileName { \"b.bmp\"; } } }"),
                       mesh),
              XReadStatus::Ok);
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(mesh.materials[1].textureFile, "b.bmp");
}

TEST(XFileStructure, EmptyMaterialListMeansNoMaterials)
{
    // Merged after a mesh with a material, the faces of the empty list's mesh get their own
    // white material rather than the other mesh's.
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("MeshMaterialList { 0; 0; }") +
                           quadWith("MeshMaterialList { 1; 1; 0;; Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; } }"),
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{1, 1, 0, 0}));
    EXPECT_EQ(mesh.materials[0].diffuse[2], 1.0f);
    EXPECT_EQ(mesh.materials[1].diffuse[0], 1.0f);
}

TEST(XFileStructure, MaterialListFaultsAreReported)
{
    const char* material = " Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }";
    MeshContent mesh;
    EXPECT_EQ(readText(quadWith(std::string("MeshMaterialList { 1; 2; 0,1;;") + material), mesh), XReadStatus::BadIndex);
    EXPECT_EQ(readText(quadWith(std::string("MeshMaterialList { 1; 3; 0,0,0;;") + material), mesh),
              XReadStatus::Malformed);
    EXPECT_EQ(readText(quadWith("MeshMaterialList { 2; 2; 0,1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"), mesh),
              XReadStatus::Malformed);
    EXPECT_EQ(readText(quadWith("MeshMaterialList { 1; 2; 0,0;; { Missing } }"), mesh), XReadStatus::Malformed);
}

TEST(XFileStructure, DeclDataSuppliesNormalsTexcoordsAndColours)
{
    // Declaration: FLOAT3 NORMAL, D3DCOLOR COLOR, FLOAT1 (unused), FLOAT2 TEXCOORD0.
    // Words per vertex: 3 + 1 + 1 + 2 = 7. Normal (0,0,1) = 0x3F800000 in z.
    std::string words;
    for (int v = 0; v < 4; ++v) {
        words += "0,0,1065353216,";                        // normal 0 0 1
        words += std::to_string(0xFF000000u + unsigned(v)) + ",";   // colour
        words += "0,";                                      // FLOAT1
        words += v == 3 ? "1056964608,0" : "0,1065353216";  // (0.5, 0) or (0, 1)
        words += v == 3 ? ";" : ",";
    }
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("DeclData { 4; 2;0;3;0;, 4;0;10;0;, 0;0;7;0;, 1;0;5;0;; 28; " + words + " }"),
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.normals.size(), 12u);
    EXPECT_EQ(vertexValues(mesh.normals, 3, 3), (std::vector<float>{0, 0, 1}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 3), (std::vector<float>{0.5f, 0}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 0), (std::vector<float>{0, 1}));
    EXPECT_EQ(mesh.colors, (std::vector<uint32_t>{0xFF000000u, 0xFF000001u, 0xFF000002u, 0xFF000003u}));
    EXPECT_EQ(readText(quadWith("DeclData { 1; 1;0;5;0;; 7; 0,0,0,0,0,0,0; }"), mesh), XReadStatus::Malformed);
    EXPECT_EQ(readText(quadWith("DeclData { 1; 17;0;5;0;; 0; }"), mesh), XReadStatus::Malformed);
}

TEST(XFileStructure, FvfDataSuppliesNormalsColoursAndFirstTexcoords)
{
    // D3DFVF_NORMAL | D3DFVF_DIFFUSE | two texture sets, the second 3D: 3 + 1 + 2 + 3 words.
    uint32_t fvf = 0x10 | 0x40 | 0x200 | (1u << 18);
    std::string words;
    for (int v = 0; v < 4; ++v)
        words += std::string(v ? "," : "") + "1065353216,0,0,4278190335,1056964608,1065353216,0,0,0";
    MeshContent mesh;
    ASSERT_EQ(readText(quadWith("FVFData { " + std::to_string(fvf) + "; 36; " + words + "; }"), mesh),
              XReadStatus::Ok);
    EXPECT_EQ(vertexValues(mesh.normals, 3, 2), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 1), (std::vector<float>{0.5f, 1}));
    EXPECT_EQ(mesh.colors[3], 0xFF0000FFu);
    EXPECT_EQ(readText(quadWith("FVFData { " + std::to_string(fvf) + "; 35; " + words.substr(0, words.size() - 2) + "; }"), mesh),
              XReadStatus::Malformed);
}

TEST(XFileStructure, VertexDuplicationIndicesAreCheckedAndOtherwisePassedOver)
{
    MeshContent mesh;
    EXPECT_EQ(readText(quadWith("VertexDuplicationIndices { 4; 4; 0,1,2,3; }"), mesh), XReadStatus::Ok);
    EXPECT_EQ(mesh.vertexCount(), 4u);
    EXPECT_EQ(readText(quadWith("VertexDuplicationIndices { 4; 4; 0,1,2,9; }"), mesh), XReadStatus::BadIndex);
}

TEST(XFileStructure, FramesMoveTheirMeshesAndRotateTheirNormals)
{
    // The outer frame scales by 2 and moves by (10, 0, 0); the inner one turns 90 degrees
    // about z (x -> y). Its matrix comes after its mesh, which must not matter.
    const std::string triangle =
        "Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;; MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; } }\n";
    MeshContent mesh;
    ASSERT_EQ(readText("Frame Outer {\n"
                       " FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 10,0,0,1;; }\n"
                       " Frame Inner { " + triangle +
                       "  FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 0,0,0,1;; } }\n"
                       "}\n" + triangle,
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.vertexCount(), 6u);
    EXPECT_EQ(vertexValues(mesh.positions, 3, 0), (std::vector<float>{10, 2, 0}));
    EXPECT_EQ(vertexValues(mesh.positions, 3, 1), (std::vector<float>{8, 0, 0}));
    EXPECT_EQ(vertexValues(mesh.positions, 3, 2), (std::vector<float>{10, 0, 2}));
    EXPECT_EQ(vertexValues(mesh.normals, 3, 0), (std::vector<float>{0, 1, 0}));   // unit again
    // The top-level copy is not moved, and its indices follow the first mesh's.
    EXPECT_EQ(vertexValues(mesh.positions, 3, 3), (std::vector<float>{1, 0, 0}));
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(XFileStructure, MergedMeshesKeepTheirMaterialsAndChannels)
{
    // The first mesh has texture coordinates and a material, the second neither: it gets
    // zero coordinates and a white material of its own.
    MeshContent mesh;
    ASSERT_EQ(readText("Frame { Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
                       " MeshTextureCoords { 3; 0.5;0.5;, 1;0;, 0;1;; }\n"
                       " MeshMaterialList { 1; 1; 0;; Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; } } } }\n"
                       "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;2,1,0;; }\n",
                       mesh),
              XReadStatus::Ok);
    ASSERT_EQ(mesh.vertexCount(), 6u);
    EXPECT_EQ(mesh.texcoords.size(), 12u);
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 0), (std::vector<float>{0.5f, 0.5f}));
    EXPECT_EQ(vertexValues(mesh.texcoords, 2, 5), (std::vector<float>{0, 0}));
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 5, 4, 3}));
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_EQ(mesh.attributes, (std::vector<uint32_t>{0, 1}));
    EXPECT_EQ(mesh.materials[1].diffuse[0], 1.0f);
    EXPECT_TRUE(mesh.normals.empty());
}

TEST(XFileStructure, NestingIsReadUpToTheLimitAndRefusedPastIt)
{
    auto nestedFrames = [](int frames) {
        std::string body;
        for (int i = 0; i < frames; ++i)
            body += "Frame {\n";
        body += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
        for (int i = 0; i < frames; ++i)
            body += "}\n";
        return body;
    };
    MeshContent mesh;
    EXPECT_EQ(readText(nestedFrames(kXFileMaxNesting - 1), mesh), XReadStatus::Ok);
    EXPECT_EQ(mesh.faceCount(), 1u);
    EXPECT_EQ(readText(nestedFrames(kXFileMaxNesting), mesh), XReadStatus::TooDeep);
    auto braces = [](int levels) {
        return "Unknown " + std::string(size_t(levels), '{') + std::string(size_t(levels), '}') + "\n";
    };
    EXPECT_EQ(readText(braces(kXFileMaxNesting) + nestedFrames(0), mesh), XReadStatus::Ok);
    EXPECT_EQ(readText(braces(kXFileMaxNesting + 1) + nestedFrames(0), mesh), XReadStatus::TooDeep);
}

} // namespace
