// The binary encoding: lists, single integers, strings with either terminator, 64-bit floats,
// binary templates; the same mesh as a text file gives the same content.
#include <gtest/gtest.h>

#include "graphics/xfile_templates.h"
#include "graphics/xfile_writer.h"
#include "tests/graphics/xfile_test_files.h"

namespace {

// The quad of the text suites with a textured material, in binary.
XBinaryBuilder& quadWithMaterial(XBinaryBuilder& b, bool wideTerminator)
{
    b.open("Mesh").integers({4}).floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})
        .integers({2, 3, 0, 1, 2, 3, 0, 2, 3});
    b.open("MeshMaterialList").integers({1, 2, 0, 0});
    b.open("Material").floats({1, 0.5f, 0.25f, 1, 4, 0, 0, 0, 0, 0, 0});
    b.open("TextureFilename").string("quad.bmp", wideTerminator).close();
    return b.close().close().close();
}

void expectQuadWithMaterial(const MeshContent& mesh)
{
    EXPECT_EQ(mesh.positions, (std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 0, 2, 3}));
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].diffuse[1], 0.5f);
    EXPECT_EQ(mesh.materials[0].power, 4.0f);
    EXPECT_EQ(mesh.materials[0].textureFile, "quad.bmp");
}

TEST(XFileBinary, ReadsListsAndEitherStringTerminator)
{
    for (bool wide : {false, true}) {
        XBinaryBuilder b;
        MeshContent mesh;
        ASSERT_EQ(readBytes(quadWithMaterial(b, wide).bytes(), mesh), XReadStatus::Ok) << wide;
        expectQuadWithMaterial(mesh);
    }
}

TEST(XFileBinary, ReadsSingleIntegerTokensAndSeparators)
{
    XBinaryBuilder b;
    b.open("Mesh").integer(3).token(xbin::Semicolon).floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).token(xbin::Semicolon)
        .integer(1).token(xbin::Comma).integer(3).integers({0, 1}).integer(2).close();
    MeshContent mesh;
    ASSERT_EQ(readBytes(b.bytes(), mesh), XReadStatus::Ok);
    EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2}));
}

// Polygons read straight out of an integer list meet the same checks as token by token.
TEST(XFileBinary, PolygonListsAreCheckedWhereverTheyStand)
{
    using Faces = XBinaryBuilder& (*)(XBinaryBuilder&);
    const struct {
        Faces faces;
        XReadStatus status;
    } cases[] = {
        {[](XBinaryBuilder& b) -> XBinaryBuilder& { return b.integers({2, 3, 0, 1, 2, 4, 0, 1, 2, 3}); }, XReadStatus::Ok},
        // a polygon of two corners; a corner past the four vertices; more corners than the file has
        {[](XBinaryBuilder& b) -> XBinaryBuilder& { return b.integers({2, 3, 0, 1, 2, 2, 0, 1}); }, XReadStatus::Malformed},
        {[](XBinaryBuilder& b) -> XBinaryBuilder& { return b.integers({2, 3, 0, 1, 2, 3, 0, 1, 4}); }, XReadStatus::BadIndex},
        {[](XBinaryBuilder& b) -> XBinaryBuilder& { return b.integers({2, 3, 0, 1, 2, 9, 0, 1, 2}); }, XReadStatus::Truncated},
    };
    for (const auto& c : cases) {
        XBinaryBuilder b;
        c.faces(b.open("Mesh").integers({4}).floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0})).close();
        MeshContent mesh;
        EXPECT_EQ(readBytes(b.bytes(), mesh), c.status) << xReadStatusName(c.status);
    }
}

TEST(XFileBinary, ReadsDoublesAndVersion0303)
{
    XBinaryBuilder b("xof 0303bin 0064");
    b.name("Frame").name("Root").token(xbin::OpenBrace);
    b.open("Mesh").integers({3}).doubles({0.1, 0, 0, 1, 0, 0, 0, 1e-300, 0}).integers({1, 3, 0, 1, 2});
    b.close().close();
    MeshContent mesh;
    ASSERT_EQ(readBytes(b.bytes(), mesh), XReadStatus::Ok);
    EXPECT_EQ(mesh.positions[0], 0.1f);
    EXPECT_EQ(mesh.positions[7], 0.0f);
}

TEST(XFileBinary, SkipsBinaryTemplatesAndGuids)
{
    // Our writer's binary templates are the ones real files carry; a mesh after them reads.
    MeshContent source;
    source.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    source.indices = {0, 1, 2};
    source.attributes = {0};
    std::vector<uint8_t> bytes = writeXFile(source, XFileFormat::Binary);
    XBinaryBuilder b;
    b.name("Mesh").token(xbin::OpenBrace).token(xbin::Guid).u32(0x3D82AB44).u64(0).u32(0);
    b.integers({3}).floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).integers({1, 3, 0, 1, 2}).close();
    bytes.insert(bytes.end(), b.bytes().begin() + 16, b.bytes().end());
    MeshContent mesh;
    ASSERT_EQ(readBytes(bytes, mesh), XReadStatus::Ok);
    EXPECT_EQ(mesh.faceCount(), 2u);
    EXPECT_EQ(mesh.vertexCount(), 6u);
}

TEST(XFileBinary, GivesTheSameContentAsTheTextEncoding)
{
    XBinaryBuilder b;
    MeshContent binary, text;
    ASSERT_EQ(readBytes(quadWithMaterial(b, false).bytes(), binary), XReadStatus::Ok);
    ASSERT_EQ(readText("Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,3;;\n"
                       " MeshMaterialList { 1; 2; 0,0;; Material { 1;0.5;0.25;1;; 4; 0;0;0;; 0;0;0;;\n"
                       "  TextureFilename { \"quad.bmp\"; } } } }",
                       text),
              XReadStatus::Ok);
    EXPECT_EQ(binary.positions, text.positions);
    EXPECT_EQ(binary.indices, text.indices);
    EXPECT_EQ(binary.attributes, text.attributes);
    ASSERT_EQ(binary.materials.size(), text.materials.size());
    EXPECT_EQ(binary.materials[0].textureFile, text.materials[0].textureFile);
}

} // namespace
