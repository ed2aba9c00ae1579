// Files on disk to device objects and back, on a real device: X files to and from mesh objects,
// image files (the image seeds) to textures.
#include <array>
#include <cstdio>

#include "tests/graphics/device_test_support_win.h"
#include "tests/graphics/image_seeds.h"
#include "tests/graphics/xfile_test_files.h"
#include "tests/support/test_files.h"

namespace {

class MeshFile : public DeviceTest {};

class TextureFile : public DeviceTest {
protected:
    // The texture of the file, with the level count, level 0's width and format, managed.
    ComRef<IDirect3DTexture9> load(const std::string& path, UINT levels, UINT width, D3DFORMAT format) {
        ComRef<IDirect3DTexture9> texture;
        EXPECT_EQ(S_OK, D3DXCreateTextureFromFileA(device(), path.c_str(), texture.put())) << path;
        D3DSURFACE_DESC desc{};
        if (texture) texture->GetLevelDesc(0, &desc);
        EXPECT_EQ((std::vector<UINT>{levels, width, UINT(format), UINT(D3DPOOL_MANAGED)}),
                  (std::vector<UINT>{texture ? texture->GetLevelCount() : 0, desc.Width, UINT(desc.Format), UINT(desc.Pool)}))
            << path;
        return texture;
    }
    static uint32_t pixelAt(IDirect3DTexture9* texture, UINT level, int x, int y) {
        D3DLOCKED_RECT locked{};
        if (!texture || FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY))) return 0xDEADBEEF;
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch)[x];
        texture->UnlockRect(level);
        return pixel;
    }
};

}  // namespace

// The seed two_quads.x: two quads meeting at a texture seam, with two materials; coloured_quads.x:
// the same with normals and colours but no texture coordinates or materials.
TEST_F(MeshFile, LoadGivesTheMeshItsMaterialsAndTheAdjacencyAcrossSeams) {
    ComRef<ID3DXMesh> mesh;
    ComRef<ID3DXBuffer> adjacency, materials;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX(xfileSeed("two_quads.x").c_str(), D3DXMESH_SYSTEMMEM, device(), adjacency.put(),
                                      materials.put(), nullptr, &materialCount, mesh.put()));
    EXPECT_EQ((std::vector<DWORD>{D3DFVF_XYZ | D3DFVF_TEX1, 8, 4, D3DXMESH_SYSTEMMEM}),
              (std::vector<DWORD>{mesh->GetFVF(), mesh->GetNumVertices(), mesh->GetNumFaces(), mesh->GetOptions()}));
    EXPECT_EQ((std::array<float, 5>{2, 1, 0, 1, -1}), (verticesOf<std::array<float, 5>>(mesh).at(5)));
    // The records, then their texture names, in the one buffer.
    ASSERT_EQ(2u, materialCount);
    ASSERT_EQ(2 * sizeof(D3DXMATERIAL) + sizeof("checker.bmp") + sizeof("other.bmp"), materials->GetBufferSize());
    const D3DXMATERIAL* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    EXPECT_EQ((std::vector<float>{0.5f, 0.25f}), (std::vector<float>{m[0].MatD3D.Diffuse.r, m[1].MatD3D.Specular.b}));
    EXPECT_EQ(std::string(m[0].pTextureFilename) + "|" + m[1].pTextureFilename, "checker.bmp|other.bmp");
    EXPECT_EQ(reinterpret_cast<const char*>(m + 2), m[0].pTextureFilename);
    // Faces 1 and 2 meet across the seam.
    const DWORD* a = static_cast<const DWORD*>(adjacency->GetBufferPointer()), none = 0xFFFFFFFF;
    EXPECT_EQ((std::vector<DWORD>{none, 1, none, 0, none, 2, 1, 3, none, 2, none, none}),
              std::vector<DWORD>(a, a + adjacency->GetBufferSize() / sizeof(DWORD)));
    D3DXATTRIBUTERANGE table[2];
    DWORD tableSize = 2;
    ASSERT_EQ(S_OK, mesh->GetAttributeTable(table, &tableSize));
    EXPECT_EQ((std::vector<DWORD>{2, 1, 2, 4, 4}), (std::vector<DWORD>{tableSize, table[1].AttribId, table[1].FaceStart,
                                                                       table[1].VertexStart, table[1].VertexCount}));
}

TEST_F(MeshFile, FormatFollowsTheFileAndAFileWithoutMaterialsGetsOneWhite) {
    ComRef<ID3DXMesh> mesh;
    ComRef<ID3DXBuffer> materials;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX(xfileSeed("coloured_quads.x").c_str(), D3DXMESH_MANAGED, device(), nullptr,
                                      materials.put(), nullptr, &materialCount, mesh.put()));
    // The colour after position and normal; one white material.
    EXPECT_EQ(std::make_pair(DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE), DWORD(0xFF336699u)),
              std::make_pair(mesh->GetFVF(), verticesOf<std::array<DWORD, 7>>(mesh).at(2)[6]));
    ASSERT_EQ(1u, materialCount);
    const D3DCOLORVALUE white = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer())->MatD3D.Diffuse;
    EXPECT_EQ((std::vector<float>{1, 1, 1, 1}), (std::vector<float>{white.r, white.g, white.b, white.a}));
}

TEST_F(MeshFile, SaveWritesAnyVertexFormatWithItsMaterials) {
    ComRef<ID3DXMesh> mesh, other;
    ComRef<ID3DXBuffer> materials;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX(xfileSeed("two_quads.x").c_str(), D3DXMESH_SYSTEMMEM, device(), nullptr,
                                      materials.put(), nullptr, &materialCount, mesh.put()));
    // Through a format with a colour and a three-float texture set.
    const DWORD otherFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0);
    ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_MANAGED, otherFormat, device(), other.put()));
    const D3DXMATERIAL* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    ASSERT_EQ(S_OK, D3DXSaveMeshToX("saved.x", other, nullptr, m, nullptr, materialCount, D3DXF_FILEFORMAT_BINARY));
    MeshContent back, expected;
    ASSERT_EQ(XReadStatus::Ok, loadXFile(xfileSeed("two_quads.x").c_str(), expected));
    expected.colors.assign(8, 0);
    ASSERT_EQ(XReadStatus::Ok, loadXFile("saved.x", back));
    expectSameMesh(expected, back);
    // An attribute past the materials cannot be written, and no file is made.
    std::remove("bad.x");
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXSaveMeshToX("bad.x", other, nullptr, m, nullptr, 1, D3DXF_FILEFORMAT_BINARY));
    EXPECT_FALSE(fileExists("bad.x"));
}

TEST_F(TextureFile, PicturesBecomePowerOfTwoTexturesWithAFullChain) {
    // 5 x 3 scaled to 8 x 4: 8x4, 4x2, 2x1, 1x1; the corners keep their colours. (A 32-bit BMP
    // has an alpha channel.) The decoders' pixels are their own suite's.
    for (const auto& [name, colours] : {kPatternSeeds[4], kPatternSeeds[5]}) {
        const ComRef<IDirect3DTexture9> texture = load(imageSeed(name), 4, 8, name == "bmp32.bmp" ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8);
        EXPECT_EQ(std::make_pair(seedPattern(colours)[0] & 0xFFFFFF, seedPattern(colours)[14] & 0xFFFFFF),
                  std::make_pair(pixelAt(texture, 0, 0, 0) & 0xFFFFFF, pixelAt(texture, 0, 7, 3) & 0xFFFFFF)) << name;
    }
    load(imageSeed("image.jpg"), 5, 16, D3DFMT_X8R8G8B8);
    // With alpha: A8R8G8B8, the alpha kept down the chain.
    EXPECT_EQ(0x80u, pixelAt(load(imageSeed("rgba.dds"), 2, 2, D3DFMT_A8R8G8B8), 0, 0, 0) >> 24);
}

TEST_F(TextureFile, DdsBlocksStayCompressedWhereTheDeviceTakesThemElseAreDecoded) {
    // Red at every level of a 4 x 4 DXT1 chain.
    ComRef<IDirect3DTexture9> texture;
    ASSERT_EQ(S_OK, D3DXCreateTextureFromFileA(device(), imageSeed("dxt1.dds").c_str(), texture.put()));
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(3u, texture->GetLevelCount());
    if (desc.Format == D3DFMT_DXT1) {
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(S_OK, texture->LockRect(2, &locked, nullptr, D3DLOCK_READONLY));
        const std::vector<uint8_t> file = readFileBytes(imageSeed("dxt1.dds"));  // level 2 after the header and 2 blocks
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + 144, file.begin() + 152),
                  std::vector<uint8_t>(static_cast<uint8_t*>(locked.pBits), static_cast<uint8_t*>(locked.pBits) + 8));
        texture->UnlockRect(2);
    } else {
        EXPECT_EQ(D3DFMT_A8R8G8B8, desc.Format);  // a device without DXT1 gets the pixels
        EXPECT_EQ(0xFFFF0000u, pixelAt(texture, 0, 1, 1));
    }
    // A DXT5 of 3 x 2 cannot stay compressed: decoded, scaled to 4 x 2, alpha kept.
    EXPECT_EQ(0x400000FFu, pixelAt(load(imageSeed("dxt5.dds"), 3, 4, D3DFMT_A8R8G8B8), 0, 0, 0));
}

TEST_F(DeviceTest, FilesThatCannotBeReadFailAndLeaveNothing) {
    for (const std::string& path : {std::string("nothere.x"), sourcePath("tests/graphics/xfiles_bad/truncated-text_mesh_cut_short.x")}) {
        ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
        DWORD materialCount = 77;
        EXPECT_EQ(D3DXERR_INVALIDDATA, D3DXLoadMeshFromX(path.c_str(), D3DXMESH_SYSTEMMEM, device(), nullptr, nullptr,
                                                         nullptr, &materialCount, &mesh)) << path;
        EXPECT_EQ((std::make_pair<ID3DXMesh*, DWORD>(nullptr, 77)), std::make_pair(mesh, materialCount));
    }
    for (const std::string& path : {std::string("missing.bmp"), imageSeed("unknown-gif.gif")}) {
        IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
        EXPECT_EQ(D3DXERR_INVALIDDATA, D3DXCreateTextureFromFileA(device(), path.c_str(), &texture)) << path;
        EXPECT_EQ(nullptr, texture);
    }
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXCreateTextureFromFileA(device(), nullptr, nullptr));
}
