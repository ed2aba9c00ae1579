// The mesh object on a real device: buffers, pools, locks, copies, sorting and drawing.
#include <cstring>
#include <vector>

#include "device_test_support.h"

namespace {

const DWORD kEditorFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct EditorVertex {
    float position[3];
    float normal[3];
    float u, v;
};

// A mesh of 4 vertices and the given faces (3 indices each) and attributes.
ID3DXMesh* makeMesh(IDirect3DDevice9* device, DWORD options, const std::vector<WORD>& indices,
                    const std::vector<DWORD>& attributes) {
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXCreateMeshFVF(DWORD(attributes.size()), 4, options, kEditorFormat, device,
                                 &mesh)))
        return nullptr;
    EditorVertex* vertices = nullptr;
    mesh->LockVertexBuffer(0, reinterpret_cast<void**>(&vertices));
    for (int i = 0; i < 4; ++i)
        vertices[i] = {{float(i), float(i * 2), float(i * 3)}, {0, 0, 1}, i * 0.25f, 1 - i * 0.25f};
    mesh->UnlockVertexBuffer();
    WORD* target = nullptr;
    mesh->LockIndexBuffer(0, reinterpret_cast<void**>(&target));
    std::memcpy(target, indices.data(), indices.size() * sizeof(WORD));
    mesh->UnlockIndexBuffer();
    DWORD* attributeTarget = nullptr;
    mesh->LockAttributeBuffer(0, &attributeTarget);
    std::memcpy(attributeTarget, attributes.data(), attributes.size() * sizeof(DWORD));
    mesh->UnlockAttributeBuffer();
    return mesh;
}

std::vector<WORD> readIndices(ID3DXMesh* mesh) {
    WORD* indices = nullptr;
    std::vector<WORD> copy;
    if (SUCCEEDED(mesh->LockIndexBuffer(D3DLOCK_READONLY, reinterpret_cast<void**>(&indices)))) {
        copy.assign(indices, indices + mesh->GetNumFaces() * 3);
        mesh->UnlockIndexBuffer();
    }
    return copy;
}

std::vector<DWORD> readAttributes(ID3DXMesh* mesh) {
    DWORD* attributes = nullptr;
    std::vector<DWORD> copy;
    if (SUCCEEDED(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes))) {
        copy.assign(attributes, attributes + mesh->GetNumFaces());
        mesh->UnlockAttributeBuffer();
    }
    return copy;
}

class MeshObject : public DeviceTest {};

}  // namespace

TEST_F(MeshObject, NewMeshHasItsShapeAndCountsReferences) {
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(S_OK, D3DXCreateMeshFVF(12, 8, D3DXMESH_SYSTEMMEM, kEditorFormat, device(), &mesh));
    EXPECT_EQ(12u, mesh->GetNumFaces());
    EXPECT_EQ(8u, mesh->GetNumVertices());
    EXPECT_EQ(kEditorFormat, mesh->GetFVF());
    EXPECT_EQ(DWORD(D3DXMESH_SYSTEMMEM), mesh->GetOptions());
    EXPECT_EQ(32u, mesh->GetNumBytesPerVertex());

    D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE];
    ASSERT_EQ(S_OK, mesh->GetDeclaration(declaration));
    EXPECT_EQ(D3DDECLUSAGE_POSITION, declaration[0].Usage);
    EXPECT_EQ(D3DDECLTYPE_FLOAT3, declaration[1].Type);
    EXPECT_EQ(D3DDECLUSAGE_NORMAL, declaration[1].Usage);
    EXPECT_EQ(24, declaration[2].Offset);
    EXPECT_EQ(D3DDECLTYPE_FLOAT2, declaration[2].Type);
    const D3DVERTEXELEMENT9 end = D3DDECL_END();
    EXPECT_EQ(0, std::memcmp(&end, &declaration[3], sizeof end));

    DWORD tableSize = 99;
    EXPECT_EQ(S_OK, mesh->GetAttributeTable(nullptr, &tableSize));
    EXPECT_EQ(0u, tableSize);
    EXPECT_EQ(std::vector<DWORD>(12, 0), readAttributes(mesh));
    EXPECT_EQ(std::vector<WORD>(36, 0), readIndices(mesh));

    IDirect3DDevice9* owner = nullptr;
    ASSERT_EQ(S_OK, mesh->GetDevice(&owner));
    EXPECT_EQ(device(), owner);
    owner->Release();
    EXPECT_EQ(2u, mesh->AddRef());
    EXPECT_EQ(1u, mesh->Release());
    EXPECT_EQ(0u, mesh->Release());
}

TEST_F(MeshObject, ImpossibleMeshesAreRefused) {
    ID3DXMesh* mesh = reinterpret_cast<ID3DXMesh*>(1);
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(1, 70000, 0, kEditorFormat, device(), &mesh)));
    EXPECT_EQ(nullptr, mesh);
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(1, 3, D3DXMESH_32BIT, kEditorFormat, device(), &mesh)));
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(1, 3, 0, D3DFVF_NORMAL, device(), &mesh)));
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(0, 3, 0, kEditorFormat, device(), &mesh)));
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(1, 3, 0, kEditorFormat, nullptr, &mesh)));
    EXPECT_TRUE(FAILED(D3DXCreateMeshFVF(1, 3, D3DXMESH_VB_MANAGED | D3DXMESH_VB_DYNAMIC,
                                         kEditorFormat, device(), &mesh)));
    EXPECT_EQ(nullptr, mesh);
}

TEST_F(MeshObject, BuffersAreDeviceBuffersInThePoolTheOptionsName) {
    struct Case {
        DWORD options;
        D3DPOOL vertexPool, indexPool;
        DWORD vertexUsage, indexUsage;
    };
    const Case cases[] = {
        {D3DXMESH_SYSTEMMEM, D3DPOOL_SYSTEMMEM, D3DPOOL_SYSTEMMEM, 0, 0},
        {D3DXMESH_MANAGED, D3DPOOL_MANAGED, D3DPOOL_MANAGED, 0, 0},
        {D3DXMESH_MANAGED | D3DXMESH_VB_WRITEONLY, D3DPOOL_MANAGED, D3DPOOL_MANAGED,
         D3DUSAGE_WRITEONLY, 0},
        {D3DXMESH_DYNAMIC, D3DPOOL_DEFAULT, D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC, D3DUSAGE_DYNAMIC},
        {D3DXMESH_IB_MANAGED, D3DPOOL_DEFAULT, D3DPOOL_MANAGED, 0, 0},
        {0, D3DPOOL_DEFAULT, D3DPOOL_DEFAULT, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        ID3DXMesh* mesh = makeMesh(device(), c.options, {0, 1, 2, 1, 3, 2}, {0, 0});
        ASSERT_NE(nullptr, mesh);
        IDirect3DVertexBuffer9* vertexBuffer = nullptr;
        IDirect3DIndexBuffer9* indexBuffer = nullptr;
        ASSERT_EQ(S_OK, mesh->GetVertexBuffer(&vertexBuffer));
        ASSERT_EQ(S_OK, mesh->GetIndexBuffer(&indexBuffer));
        D3DVERTEXBUFFER_DESC vertexDesc{};
        D3DINDEXBUFFER_DESC indexDesc{};
        vertexBuffer->GetDesc(&vertexDesc);
        indexBuffer->GetDesc(&indexDesc);
        EXPECT_EQ(c.vertexPool, vertexDesc.Pool);
        EXPECT_EQ(c.vertexUsage, vertexDesc.Usage);
        EXPECT_EQ(4u * 32, vertexDesc.Size);
        EXPECT_EQ(kEditorFormat, vertexDesc.FVF);
        EXPECT_EQ(c.indexPool, indexDesc.Pool);
        EXPECT_EQ(c.indexUsage, indexDesc.Usage);
        EXPECT_EQ(D3DFMT_INDEX16, indexDesc.Format);
        EXPECT_EQ(12u, indexDesc.Size);
        // The data written through the mesh's locks is in the device buffer.
        const EditorVertex* vertices = nullptr;
        ASSERT_EQ(S_OK, vertexBuffer->Lock(0, 0, (void**)&vertices, D3DLOCK_READONLY));
        EXPECT_EQ(3.0f, vertices[3].position[0]);
        EXPECT_EQ(0.25f, vertices[1].u);
        vertexBuffer->Unlock();
        const WORD* indices = nullptr;
        ASSERT_EQ(S_OK, indexBuffer->Lock(0, 0, (void**)&indices, D3DLOCK_READONLY));
        EXPECT_EQ(3, indices[4]);
        indexBuffer->Unlock();
        // The same buffer each time.
        IDirect3DVertexBuffer9* again = nullptr;
        mesh->GetVertexBuffer(&again);
        EXPECT_EQ(vertexBuffer, again);
        again->Release();
        vertexBuffer->Release();
        indexBuffer->Release();
        mesh->Release();
    }
}

TEST_F(MeshObject, WritesThroughTheDeviceBufferReachLocksAndClones) {
    ID3DXMesh* mesh = makeMesh(device(), D3DXMESH_SYSTEMMEM, {0, 1, 2, 1, 3, 2}, {0, 0});
    ASSERT_NE(nullptr, mesh);
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    ASSERT_EQ(S_OK, mesh->GetVertexBuffer(&vertexBuffer));
    EditorVertex* vertices = nullptr;
    ASSERT_EQ(S_OK, vertexBuffer->Lock(0, 0, (void**)&vertices, D3DLOCK_NOSYSLOCK));
    vertices[2].u = 0.75f;
    vertices[2].v = -0.5f;
    vertexBuffer->Unlock();
    vertexBuffer->Release();

    ASSERT_EQ(S_OK, mesh->LockVertexBuffer(D3DLOCK_READONLY, (void**)&vertices));
    EXPECT_EQ(0.75f, vertices[2].u);
    mesh->UnlockVertexBuffer();
    ID3DXMesh* clone = nullptr;
    ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_MANAGED | D3DXMESH_VB_WRITEONLY, kEditorFormat,
                                       device(), &clone));
    ASSERT_EQ(S_OK, clone->LockVertexBuffer(D3DLOCK_READONLY, (void**)&vertices));
    EXPECT_EQ(-0.5f, vertices[2].v);
    clone->UnlockVertexBuffer();
    EXPECT_EQ(D3DERR_INVALIDCALL, clone->UnlockVertexBuffer());
    clone->Release();
    mesh->Release();
}

TEST_F(MeshObject, CloneConvertsTheVertexFormat) {
    ID3DXMesh* mesh = makeMesh(device(), D3DXMESH_SYSTEMMEM, {0, 1, 2, 1, 3, 2}, {4, 7});
    ASSERT_NE(nullptr, mesh);
    ID3DXMesh* coloured = nullptr;
    const DWORD colouredFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_MANAGED, colouredFormat, device(), &coloured));
    EXPECT_EQ(colouredFormat, coloured->GetFVF());
    EXPECT_EQ(DWORD(D3DXMESH_MANAGED), coloured->GetOptions());
    EXPECT_EQ(24u, coloured->GetNumBytesPerVertex());
    EXPECT_EQ(readIndices(mesh), readIndices(coloured));
    EXPECT_EQ((std::vector<DWORD>{4, 7}), readAttributes(coloured));
    struct Coloured {
        float position[3];
        DWORD colour;
        float u, v;
    };
    const Coloured* c = nullptr;
    ASSERT_EQ(S_OK, coloured->LockVertexBuffer(D3DLOCK_READONLY, (void**)&c));
    EXPECT_EQ(2.0f, c[1].position[1]);
    EXPECT_EQ(0u, c[1].colour);
    EXPECT_EQ(0.75f, c[3].u);
    coloured->UnlockVertexBuffer();

    ID3DXMesh* back = nullptr;
    ASSERT_EQ(S_OK, coloured->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kEditorFormat, device(), &back));
    const EditorVertex* v = nullptr;
    ASSERT_EQ(S_OK, back->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v));
    EXPECT_EQ(9.0f, v[3].position[2]);
    EXPECT_EQ(0.0f, v[3].normal[2]);  // lost on the way through a format without normals
    EXPECT_EQ(0.25f, v[3].v);
    back->UnlockVertexBuffer();
    back->Release();
    ID3DXMesh* invalid = nullptr;
    EXPECT_TRUE(FAILED(mesh->CloneMeshFVF(0, 0, device(), &invalid)));
    EXPECT_EQ(nullptr, invalid);
    coloured->Release();
    mesh->Release();
}

TEST_F(MeshObject, AttributeSortIsStableAndRebuildsTheTable) {
    const std::vector<WORD> indices = {0, 1, 2, 1, 3, 2, 2, 3, 0, 3, 1, 0, 0, 2, 3};
    ID3DXMesh* mesh = makeMesh(device(), D3DXMESH_MANAGED, indices, {2, 0, 1, 0, 2});
    ASSERT_NE(nullptr, mesh);
    // Faces 0-1 share edge 1-2, 1-2 share 3-2 ... given as the caller's adjacency.
    const DWORD adjacency[15] = {0xFFFFFFFF, 1, 4, 2, 0xFFFFFFFF, 0, 1, 4, 0xFFFFFFFF,
                                 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 2, 0};
    DWORD adjacencyOut[15], faceRemap[5];
    ID3DXBuffer* vertexRemap = nullptr;
    ID3DXMesh* sorted = nullptr;
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_SYSTEMMEM, adjacency,
                                   adjacencyOut, faceRemap, &vertexRemap, &sorted));
    EXPECT_EQ(DWORD(D3DXMESH_SYSTEMMEM), sorted->GetOptions());
    EXPECT_EQ((std::vector<DWORD>{1, 3, 2, 0, 4}), std::vector<DWORD>(faceRemap, faceRemap + 5));
    EXPECT_EQ((std::vector<DWORD>{0, 0, 1, 2, 2}), readAttributes(sorted));
    EXPECT_EQ((std::vector<WORD>{1, 3, 2, 3, 1, 0, 2, 3, 0, 0, 1, 2, 0, 2, 3}),
              readIndices(sorted));
    // Old face 0 (now 3) had neighbours none, 1 (now 0), 4 (now 4).
    EXPECT_EQ(0xFFFFFFFFu, adjacencyOut[9]);
    EXPECT_EQ(0u, adjacencyOut[10]);
    EXPECT_EQ(4u, adjacencyOut[11]);
    ASSERT_EQ(4u * sizeof(DWORD), vertexRemap->GetBufferSize());
    const DWORD* remap = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>{0, 1, 2, 3}), std::vector<DWORD>(remap, remap + 4));

    D3DXATTRIBUTERANGE table[3];
    DWORD tableSize = 0;
    ASSERT_EQ(S_OK, sorted->GetAttributeTable(nullptr, &tableSize));
    ASSERT_EQ(3u, tableSize);
    sorted->GetAttributeTable(table, &tableSize);
    EXPECT_EQ(0u, table[0].AttribId);
    EXPECT_EQ(0u, table[0].FaceStart);
    EXPECT_EQ(2u, table[0].FaceCount);
    EXPECT_EQ(0u, table[0].VertexStart);
    EXPECT_EQ(4u, table[0].VertexCount);
    EXPECT_EQ(1u, table[1].AttribId);
    EXPECT_EQ(2u, table[1].FaceStart);
    EXPECT_EQ(1u, table[1].FaceCount);
    EXPECT_EQ(2u, table[2].AttribId);
    EXPECT_EQ(3u, table[2].FaceStart);
    EXPECT_EQ(2u, table[2].FaceCount);
    // Vertices keep their places.
    const EditorVertex* v = nullptr;
    ASSERT_EQ(S_OK, sorted->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v));
    EXPECT_EQ(2.0f, v[2].position[0]);
    sorted->UnlockVertexBuffer();

    // Without the caller's adjacency the neighbours come from the positions. New face 0 (old
    // face 1: 1 3 2) meets old face 3 across 1-3, two faces across 3-2, old face 0 across 2-1.
    ID3DXMesh* again = nullptr;
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_SYSTEMMEM, nullptr,
                                   adjacencyOut, nullptr, nullptr, &again));
    EXPECT_EQ((std::vector<DWORD>{1, 0xFFFFFFFF, 3}),
              std::vector<DWORD>(adjacencyOut, adjacencyOut + 3));
    again->Release();
    vertexRemap->Release();
    sorted->Release();
    mesh->Release();
}
