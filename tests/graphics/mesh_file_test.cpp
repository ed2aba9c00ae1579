// X files on disk to mesh objects and back, on a real device.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "device_test_support.h"
#include "graphics/xfile_reader.h"
#include "graphics/xfile_writer.h"

namespace {

// Two quads side by side (vertices 1 and 4 repeated at one position as 6 and 7, as at a
// texture seam), the second quad with material 1.
MeshContent twoQuads() {
    MeshContent content;
    content.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0, 2, 0, 0, 2, 1, 0,
                         1, 0, 0, 1, 1, 0};
    content.texcoords = {0, 0, 0.5f, 0, 0, -1, 0.5f, -1, 1, 0, 1, -1, 0.5f, 0, 0.5f, -1};
    content.normals.assign(8 * 3, 0);
    for (size_t v = 0; v < 8; ++v) content.normals[3 * v + 2] = -1;
    content.indices = {0, 2, 1, 1, 2, 3, 6, 7, 4, 4, 7, 5};
    content.attributes = {0, 0, 1, 1};
    content.materials.resize(2);
    content.materials[0].diffuse[0] = 0.5f;
    content.materials[0].power = 8;
    content.materials[0].textureFile = "checker.bmp";
    content.materials[1].specular[2] = 0.25f;
    return content;
}

class MeshFile : public DeviceTest {};

}  // namespace

TEST_F(MeshFile, LoadGivesMeshMaterialsAndAdjacency) {
    ASSERT_TRUE(saveXFile("quads.x", twoQuads(), XFileFormat::Text));
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer *adjacency = nullptr, *materials = nullptr;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX("quads.x", D3DXMESH_SYSTEMMEM, device(), &adjacency,
                                      &materials, nullptr, &materialCount, &mesh));
    EXPECT_EQ(DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1), mesh->GetFVF());
    EXPECT_EQ(8u, mesh->GetNumVertices());
    EXPECT_EQ(4u, mesh->GetNumFaces());
    EXPECT_EQ(DWORD(D3DXMESH_SYSTEMMEM), mesh->GetOptions());
    const float* v = nullptr;
    ASSERT_EQ(S_OK, mesh->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v));
    EXPECT_EQ(2.0f, v[8 * 4]);       // x of vertex 4
    EXPECT_EQ(-1.0f, v[8 * 3 + 5]);  // normal z of vertex 3
    EXPECT_EQ(-1.0f, v[8 * 5 + 7]);  // v of vertex 5
    mesh->UnlockVertexBuffer();

    ASSERT_EQ(2u, materialCount);
    ASSERT_EQ(2 * sizeof(D3DXMATERIAL) + sizeof("checker.bmp"), materials->GetBufferSize());
    const D3DXMATERIAL* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    EXPECT_FLOAT_EQ(0.5f, m[0].MatD3D.Diffuse.r);
    EXPECT_FLOAT_EQ(8, m[0].MatD3D.Power);
    ASSERT_NE(nullptr, m[0].pTextureFilename);
    EXPECT_STREQ("checker.bmp", m[0].pTextureFilename);
    const char* bufferStart = static_cast<const char*>(materials->GetBufferPointer());
    EXPECT_TRUE(m[0].pTextureFilename > bufferStart &&
                m[0].pTextureFilename < bufferStart + materials->GetBufferSize());
    EXPECT_EQ(nullptr, m[1].pTextureFilename);
    EXPECT_FLOAT_EQ(0.25f, m[1].MatD3D.Specular.b);

    // Faces 1 and 2 meet across the seam (vertices 3/7 and 1/6 share positions).
    ASSERT_EQ(12 * sizeof(DWORD), adjacency->GetBufferSize());
    const DWORD* a = static_cast<const DWORD*>(adjacency->GetBufferPointer());
    const DWORD none = 0xFFFFFFFF;
    EXPECT_EQ((std::vector<DWORD>{none, 1, none, 0, none, 2, 1, 3, none, 2, none, none}),
              std::vector<DWORD>(a, a + 12));

    D3DXATTRIBUTERANGE table[2];
    DWORD tableSize = 2;
    ASSERT_EQ(S_OK, mesh->GetAttributeTable(table, &tableSize));
    ASSERT_EQ(2u, tableSize);
    EXPECT_EQ(1u, table[1].AttribId);
    EXPECT_EQ(2u, table[1].FaceStart);
    EXPECT_EQ(4u, table[1].VertexStart);
    EXPECT_EQ(4u, table[1].VertexCount);
    adjacency->Release();
    materials->Release();
    mesh->Release();
}

TEST_F(MeshFile, FormatFollowsTheFileAndMissingMaterialsGiveOne) {
    MeshContent content = twoQuads();
    content.normals.clear();
    content.texcoords.clear();
    content.colors.assign(8, 0xFF336699);
    content.materials.clear();
    content.attributes.clear();
    ASSERT_TRUE(saveXFile("coloured.x", content, XFileFormat::Binary));
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX("coloured.x", D3DXMESH_MANAGED, device(), nullptr,
                                      &materials, nullptr, &materialCount, &mesh));
    EXPECT_EQ(DWORD(D3DFVF_XYZ | D3DFVF_DIFFUSE), mesh->GetFVF());
    const uint8_t* v = nullptr;
    ASSERT_EQ(S_OK, mesh->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v));
    DWORD colour = 0;
    std::memcpy(&colour, v + 16 * 2 + 12, 4);
    EXPECT_EQ(0xFF336699u, colour);
    mesh->UnlockVertexBuffer();
    EXPECT_EQ(1u, materialCount);
    const D3DXMATERIAL* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    EXPECT_FLOAT_EQ(1, m[0].MatD3D.Diffuse.g);
    materials->Release();
    mesh->Release();
}

TEST_F(MeshFile, MissingOrCorruptFilesFail) {
    ID3DXMesh* mesh = nullptr;
    DWORD materialCount = 77;
    EXPECT_TRUE(FAILED(D3DXLoadMeshFromX("nothere.x", D3DXMESH_SYSTEMMEM, device(), nullptr,
                                         nullptr, nullptr, &materialCount, &mesh)));
    EXPECT_EQ(nullptr, mesh);
    EXPECT_EQ(77u, materialCount);
    std::ofstream("broken.x") << "xof 0303txt 0032\nMesh { 3; 0.0;0.0;0.0;, 1.0;";
    EXPECT_TRUE(FAILED(D3DXLoadMeshFromX("broken.x", D3DXMESH_SYSTEMMEM, device(), nullptr,
                                         nullptr, nullptr, &materialCount, &mesh)));
    EXPECT_EQ(nullptr, mesh);
}

TEST_F(MeshFile, SaveWritesAnyFormatWithItsMaterials) {
    ASSERT_TRUE(saveXFile("quads.x", twoQuads(), XFileFormat::Text));
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD materialCount = 0;
    ASSERT_EQ(S_OK, D3DXLoadMeshFromX("quads.x", D3DXMESH_SYSTEMMEM, device(), nullptr,
                                      &materials, nullptr, &materialCount, &mesh));
    // Through a format with a colour and a three-float texture set.
    ID3DXMesh* other = nullptr;
    const DWORD otherFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0);
    ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_MANAGED, otherFormat, device(), &other));
    D3DXMATERIAL* m = static_cast<D3DXMATERIAL*>(materials->GetBufferPointer());
    char renamed[] = "other.bmp";
    m[1].pTextureFilename = renamed;
    ASSERT_EQ(S_OK, D3DXSaveMeshToX("saved.x", other, nullptr, m, nullptr, materialCount,
                                    D3DXF_FILEFORMAT_BINARY));
    MeshContent back;
    ASSERT_EQ(XReadStatus::Ok, loadXFile("saved.x", back));
    const MeshContent original = twoQuads();
    EXPECT_EQ(original.positions, back.positions);
    EXPECT_EQ(original.texcoords, back.texcoords);
    EXPECT_EQ(original.indices, back.indices);
    EXPECT_EQ(original.attributes, back.attributes);
    EXPECT_TRUE(back.normals.empty());
    EXPECT_EQ(std::vector<uint32_t>(8, 0), back.colors);
    ASSERT_EQ(2u, back.materials.size());
    EXPECT_EQ("checker.bmp", back.materials[0].textureFile);
    EXPECT_EQ("other.bmp", back.materials[1].textureFile);
    EXPECT_FLOAT_EQ(0.5f, back.materials[0].diffuse[0]);

    // An attribute past the materials cannot be written.
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXSaveMeshToX("bad.x", other, nullptr, m, nullptr, 1,
                                                  D3DXF_FILEFORMAT_BINARY));
    EXPECT_EQ(nullptr, std::fopen("bad.x", "rb"));
    other->Release();
    materials->Release();
    mesh->Release();
}
