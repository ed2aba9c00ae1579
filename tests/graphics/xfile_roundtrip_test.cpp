// The writer: what it writes reads back as the same mesh, in both encodings, from memory and
// from files in the suite's folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "graphics/xfile_writer.h"
#include "scripts/mediagen/torus_knot.h"
#include "tests/graphics/xfile_test_files.h"

namespace {

void expectSameMesh(const MeshContent& a, const MeshContent& b)
{
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.normals, b.normals);
    EXPECT_EQ(a.texcoords, b.texcoords);
    EXPECT_EQ(a.colors, b.colors);
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_EQ(a.attributes, b.attributes);
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (size_t m = 0; m < a.materials.size(); ++m) {
        const MeshMaterial& x = a.materials[m];
        const MeshMaterial& y = b.materials[m];
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(x.diffuse[k], y.diffuse[k]);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(x.specular[k], y.specular[k]);
            EXPECT_EQ(x.emissive[k], y.emissive[k]);
        }
        EXPECT_EQ(x.power, y.power);
        EXPECT_EQ(x.textureFile, y.textureFile);
    }
}

// Two materials, colours, and values whose shortest decimal forms are long.
MeshContent everyChannel()
{
    MeshContent mesh = makeTorusKnot(7, 5);
    mesh.positions[0] = 1.0f / 3.0f;
    mesh.positions[1] = -1.17549435e-38f;
    mesh.positions[2] = 3.40282347e+38f;
    mesh.texcoords[0] = 1e-7f;
    for (uint32_t v = 0; v < mesh.vertexCount(); ++v)
        mesh.colors.push_back(0x01020304u * v ^ 0x80FF00FFu);
    MeshMaterial second;
    second.diffuse[0] = 0.1f;
    second.power = 12.5f;
    second.specular[1] = 0.7f;
    second.emissive[2] = 0.3f;
    mesh.materials.push_back(second);
    for (size_t f = 0; f < mesh.attributes.size(); f += 3)
        mesh.attributes[f] = 1;
    return mesh;
}

class XFileRoundTrip : public testing::TestWithParam<XFileFormat> {};

TEST_P(XFileRoundTrip, EveryChannelReadsBackIdentically)
{
    MeshContent source = everyChannel(), back;
    ASSERT_EQ(readBytes(writeXFile(source, GetParam()), back), XReadStatus::Ok);
    expectSameMesh(source, back);
}

TEST_P(XFileRoundTrip, AbsentChannelsStayAbsent)
{
    MeshContent source = makeTorusKnot(5, 3), back;
    source.normals.clear();
    source.texcoords.clear();
    source.materials.clear();
    source.attributes.assign(source.faceCount(), 0);
    ASSERT_EQ(readBytes(writeXFile(source, GetParam()), back), XReadStatus::Ok);
    expectSameMesh(source, back);
}

TEST_P(XFileRoundTrip, SavedFileLoadsBackFromDisk)
{
    MeshContent source = makeTorusKnot(60, 10), back;
    const char* name = GetParam() == XFileFormat::Binary ? "saved-binary.x" : "saved-text.x";
    ASSERT_TRUE(saveXFile(name, source, GetParam()));
    ASSERT_EQ(loadXFile(name, back), XReadStatus::Ok);
    expectSameMesh(source, back);
    std::remove(name);
}

INSTANTIATE_TEST_SUITE_P(Formats, XFileRoundTrip, testing::Values(XFileFormat::Text, XFileFormat::Binary));

TEST(XFileWriter, WritesTheHeaderOfEachEncodingAndTheStandardTemplates)
{
    MeshContent mesh = makeTorusKnot(3, 3);
    std::vector<uint8_t> text = writeXFile(mesh, XFileFormat::Text);
    std::vector<uint8_t> binary = writeXFile(mesh, XFileFormat::Binary);
    EXPECT_EQ(std::string(text.begin(), text.begin() + 16), "xof 0302txt 0032");
    EXPECT_EQ(std::string(binary.begin(), binary.begin() + 16), "xof 0302bin 0032");
    std::string all(text.begin(), text.end());
    for (const char* name : {"template Mesh {", "template MeshNormals {", "template MeshTextureCoords {",
                             "template MeshMaterialList {", "template Material {", "template TextureFilename {",
                             "template MeshVertexColors {", "Header {", "\"knot.bmp\";"})
        EXPECT_NE(all.find(name), std::string::npos) << name;
    EXPECT_LT(binary.size(), text.size());
}

TEST(XFileWriter, SavingWhereNoFileCanBeMadeFails)
{
    EXPECT_FALSE(saveXFile("no-such-folder/knot.x", makeTorusKnot(3, 3), XFileFormat::Binary));
    MeshContent back;
    EXPECT_EQ(loadXFile("no-such-folder/knot.x", back), XReadStatus::NotXFile);
    EXPECT_EQ(loadXFile("never-written.x", back), XReadStatus::NotXFile);
}

} // namespace
