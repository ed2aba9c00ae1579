// Files on disk to device objects and back, on a real device: X files to and from mesh objects,
// image files (the image seeds) to textures.
#include <array>
#include <cstdio>

#include "tests/graphics/device_test_support_win.h"
#include "tests/graphics/image_seeds.h"
#include "tests/graphics/xfile_test_files.h"
#include "tests/support/test_files.h"

namespace {

class DeviceFiles : public DeviceTest {
protected:
    // A mesh file as D3DXLoadMeshFromX hands it out.
    struct Loaded {
        ComRef<ID3DXMesh> mesh;
        ComRef<ID3DXBuffer> adjacency, materials;
        DWORD materialCount = 0;
        const D3DXMATERIAL* material() const { return static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer()); }
    };
    Loaded loadSeed(const std::string& name, DWORD options) {
        Loaded l;
        EXPECT_EQ(S_OK, D3DXLoadMeshFromX(xfileSeed(name).c_str(), options, device(), l.adjacency.put(), l.materials.put(),
                                          nullptr, &l.materialCount, l.mesh.put())) << name;
        return l;
    }
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
TEST_F(DeviceFiles, LoadGivesTheFilesFormatItsMaterialsOrOneWhiteAndTheAdjacencyAcrossSeams) {
    const Loaded quads = loadSeed("two_quads.x", D3DXMESH_SYSTEMMEM), coloured = loadSeed("coloured_quads.x", D3DXMESH_MANAGED);
    ASSERT_TRUE(quads.mesh && coloured.mesh);
    EXPECT_EQ((std::vector<DWORD>{D3DFVF_XYZ | D3DFVF_TEX1, 8, 4, D3DXMESH_SYSTEMMEM, 2}),
              (std::vector<DWORD>{quads.mesh->GetFVF(), quads.mesh->GetNumVertices(), quads.mesh->GetNumFaces(),
                                  quads.mesh->GetOptions(), quads.materialCount}));
    EXPECT_EQ((std::array<float, 5>{2, 1, 0, 1, -1}), (verticesOf<std::array<float, 5>>(quads.mesh).at(5)));
    // The records, then their texture names, in the one buffer.
    ASSERT_EQ(2 * sizeof(D3DXMATERIAL) + sizeof("checker.bmp") + sizeof("other.bmp"), quads.materials->GetBufferSize());
    const D3DXMATERIAL* m = quads.material();
    EXPECT_EQ((std::vector<float>{0.5f, 0.25f}), (std::vector<float>{m[0].MatD3D.Diffuse.r, m[1].MatD3D.Specular.b}));
    EXPECT_EQ(std::string(m[0].pTextureFilename) + "|" + m[1].pTextureFilename, "checker.bmp|other.bmp");
    EXPECT_EQ(reinterpret_cast<const char*>(m + 2), m[0].pTextureFilename);
    // Faces 1 and 2 meet across the seam.
    const DWORD* a = static_cast<const DWORD*>(quads.adjacency->GetBufferPointer()), none = 0xFFFFFFFF;
    EXPECT_EQ((std::vector<DWORD>{none, 1, none, 0, none, 2, 1, 3, none, 2, none, none}),
              std::vector<DWORD>(a, a + quads.adjacency->GetBufferSize() / sizeof(DWORD)));
    D3DXATTRIBUTERANGE table[2];
    DWORD tableSize = 2;
    ASSERT_EQ(S_OK, quads.mesh->GetAttributeTable(table, &tableSize));
    EXPECT_EQ((std::vector<DWORD>{2, 1, 2, 4, 4}), (std::vector<DWORD>{tableSize, table[1].AttribId, table[1].FaceStart,
                                                                       table[1].VertexStart, table[1].VertexCount}));
    // The colour after position and normal; one white material.
    const D3DCOLORVALUE white = coloured.material()->MatD3D.Diffuse;
    EXPECT_EQ((std::vector<DWORD>{D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE, 0xFF336699u, 1}),
              (std::vector<DWORD>{coloured.mesh->GetFVF(), verticesOf<std::array<DWORD, 7>>(coloured.mesh).at(2)[6],
                                  coloured.materialCount}));
    EXPECT_EQ((std::vector<float>{1, 1, 1, 1}), (std::vector<float>{white.r, white.g, white.b, white.a}));
}

TEST_F(DeviceFiles, SaveWritesAnyVertexFormatWithItsMaterials) {
    const Loaded quads = loadSeed("two_quads.x", D3DXMESH_SYSTEMMEM);
    ASSERT_TRUE(quads.mesh);
    ComRef<ID3DXMesh> other;
    // Through a format with a colour and a three-float texture set.
    const DWORD otherFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0);
    ASSERT_EQ(S_OK, quads.mesh->CloneMeshFVF(D3DXMESH_MANAGED, otherFormat, device(), other.put()));
    ASSERT_EQ(S_OK, D3DXSaveMeshToX("saved.x", other, nullptr, quads.material(), nullptr, 2, D3DXF_FILEFORMAT_BINARY));
    MeshContent back, expected;
    ASSERT_EQ(XReadStatus::Ok, loadXFile(xfileSeed("two_quads.x").c_str(), expected));
    expected.colors.assign(8, 0);
    ASSERT_EQ(XReadStatus::Ok, loadXFile("saved.x", back));
    expectSameMesh(expected, back);
    // An attribute past the materials cannot be written, and no file is made.
    std::remove("bad.x");
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXSaveMeshToX("bad.x", other, nullptr, quads.material(), nullptr, 1, D3DXF_FILEFORMAT_BINARY));
    EXPECT_FALSE(fileExists("bad.x"));
}

TEST_F(DeviceFiles, PicturesBecomePowerOfTwoTexturesWithAFullChain) {
    // 5 x 3 scaled to 8 x 4: 8x4, 4x2, 2x1, 1x1; the corners keep their colours. The decoders'
    // pixels and alpha are their own suite's.
    const ComRef<IDirect3DTexture9> picture = load(imageSeed("bmp32.bmp"), 4, 8, D3DFMT_A8R8G8B8);
    EXPECT_EQ(std::make_pair(seedPattern(kMany)[0], seedPattern(kMany)[14]),
              std::make_pair(pixelAt(picture, 0, 0, 0), pixelAt(picture, 0, 7, 3)));
    load(imageSeed("image.jpg"), 5, 16, D3DFMT_X8R8G8B8);
    // With alpha: A8R8G8B8, the alpha kept down the chain.
    EXPECT_EQ(0x80u, pixelAt(load(imageSeed("rgba.dds"), 2, 2, D3DFMT_A8R8G8B8), 0, 0, 0) >> 24);
}

TEST_F(DeviceFiles, DdsBlocksStayCompressedWhereTheDeviceTakesThemElseAreDecoded) {
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

TEST_F(DeviceFiles, FilesThatCannotBeReadFailAndLeaveNothing) {
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
