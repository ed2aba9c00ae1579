// The mesh object on a real device: shape, buffers and pools, locks, copies and sorting. (What
// a subset draws and how its strips are cut is portable; the editor's views draw both.)
#include <cmath>
#include <cstring>
#include <tuple>

#include "tests/graphics/device_test_support_win.h"

namespace {

const DWORD kEditorFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1, kNone = 0xFFFFFFFF;

struct EditorVertex {
    float position[3], normal[3], u, v;
};

class MeshObject : public DeviceTest {
protected:
    // Four vertices, vertex i at (i, i * i, 3i) with u = i / 4 and v = 1 - i / 4, and the given faces.
    ComRef<ID3DXMesh> makeMesh(DWORD options, const std::vector<WORD>& indices, const std::vector<DWORD>& attributes) {
        ComRef<ID3DXMesh> mesh;
        EXPECT_EQ(S_OK, D3DXCreateMeshFVF(DWORD(attributes.size()), 4, options, kEditorFormat, device(), mesh.put()));
        std::vector<EditorVertex> vertices;
        for (int i = 0; i < 4; ++i)
            vertices.push_back({{float(i), float(i * i), float(i * 3)}, {0, 0, 1}, i * 0.25f, 1 - i * 0.25f});
        if (!mesh) return mesh;
        const MeshLock v(mesh, MeshLock::Vertices, 0), i(mesh, MeshLock::Indices, 0), a(mesh, MeshLock::Attributes, 0);
        EXPECT_TRUE(v.ok() && i.ok() && a.ok());
        std::memcpy(v.bytes(), vertices.data(), vertices.size() * sizeof(EditorVertex));
        std::memcpy(i.indices(), indices.data(), indices.size() * sizeof(WORD));
        std::memcpy(a.attributes(), attributes.data(), attributes.size() * sizeof(DWORD));
        return mesh;
    }
};

}  // namespace

TEST_F(MeshObject, ANewMeshHasItsShapeAndZeroedBuffersOrIsRefused) {
    ComRef<ID3DXMesh> mesh;
    ASSERT_EQ(S_OK, D3DXCreateMeshFVF(12, 8, D3DXMESH_SYSTEMMEM, kEditorFormat, device(), mesh.put()));
    EXPECT_EQ((std::vector<DWORD>{12, 8, kEditorFormat, D3DXMESH_SYSTEMMEM, 32}),
              (std::vector<DWORD>{mesh->GetNumFaces(), mesh->GetNumVertices(), mesh->GetFVF(), mesh->GetOptions(),
                                  mesh->GetNumBytesPerVertex()}));
    DWORD tableSize = 99;
    ASSERT_EQ(S_OK, mesh->GetAttributeTable(nullptr, &tableSize));
    EXPECT_EQ(std::make_pair(0ul, std::vector<WORD>(36, 0)), std::make_pair(tableSize, indicesOf(mesh)));
    // Faces, vertices, options, format, with a device, valid: 16-bit indices reach 0xFFFF vertices.
    const std::tuple<DWORD, DWORD, DWORD, DWORD, bool, bool> cases[] = {
        {1, 0xFFFF, 0, kEditorFormat, true, true}, {1, 0x10000, 0, kEditorFormat, true, false},
        {1, 3, D3DXMESH_32BIT, kEditorFormat, true, false}, {1, 3, 0, D3DFVF_NORMAL, true, false},
        {0, 3, 0, kEditorFormat, true, false}, {1, 3, 0, kEditorFormat, false, false},
        {1, 3, D3DXMESH_VB_MANAGED | D3DXMESH_VB_DYNAMIC, kEditorFormat, true, false}};
    for (const auto& [faces, vertices, options, format, withDevice, valid] : cases) {
        ID3DXMesh* made = reinterpret_cast<ID3DXMesh*>(1);
        const HRESULT hr = D3DXCreateMeshFVF(faces, vertices, options, format, withDevice ? device() : nullptr, &made);
        mesh.reset(SUCCEEDED(hr) ? made : nullptr);
        EXPECT_EQ(valid, SUCCEEDED(hr) && made) << vertices << " vertices, options " << options;
        EXPECT_TRUE(SUCCEEDED(hr) || !made);
    }
}

TEST_F(MeshObject, BuffersAreDeviceBuffersOfThePoolAndUsageTheOptionsName) {
    const struct {
        DWORD options, vertexPool, indexPool, vertexUsage, indexUsage;
    } cases[] = {
        {D3DXMESH_SYSTEMMEM, D3DPOOL_SYSTEMMEM, D3DPOOL_SYSTEMMEM, 0, 0},
        {D3DXMESH_MANAGED | D3DXMESH_VB_WRITEONLY, D3DPOOL_MANAGED, D3DPOOL_MANAGED, D3DUSAGE_WRITEONLY, 0},
        {D3DXMESH_DYNAMIC, D3DPOOL_DEFAULT, D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC, D3DUSAGE_DYNAMIC},
        {D3DXMESH_IB_MANAGED, D3DPOOL_DEFAULT, D3DPOOL_MANAGED, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        ComRef<ID3DXMesh> mesh = makeMesh(c.options, {0, 1, 2, 1, 3, 2}, {0, 0}), clone;
        ComRef<IDirect3DVertexBuffer9> vertices;
        ComRef<IDirect3DIndexBuffer9> indices;
        ASSERT_TRUE(SUCCEEDED(mesh->GetVertexBuffer(vertices.put())) && SUCCEEDED(mesh->GetIndexBuffer(indices.put())));
        D3DVERTEXBUFFER_DESC v{};
        D3DINDEXBUFFER_DESC i{};
        vertices->GetDesc(&v), indices->GetDesc(&i);
        EXPECT_EQ((std::vector<DWORD>{c.vertexPool, c.vertexUsage, 4 * 32, kEditorFormat, c.indexPool, c.indexUsage, 12}),
                  (std::vector<DWORD>{DWORD(v.Pool), v.Usage, v.Size, v.FVF, DWORD(i.Pool), i.Usage, i.Size}));
        // Writes through the device buffer reach the mesh's locks and its clones.
        EditorVertex* data = nullptr;
        ASSERT_EQ(S_OK, vertices->Lock(0, 0, (void**)&data, D3DLOCK_NOSYSLOCK));
        EXPECT_EQ(3.0f, data[3].position[0]);
        data[2].v = -0.5f;
        vertices->Unlock();
        EXPECT_EQ(-0.5f, verticesOf<EditorVertex>(mesh).at(2).v);
        ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, kEditorFormat, device(), clone.put()));
        EXPECT_EQ(std::make_pair(-0.5f, std::vector<WORD>{0, 1, 2, 1, 3, 2}),
                  std::make_pair(verticesOf<EditorVertex>(clone).at(2).v, indicesOf(clone)));
        EXPECT_EQ(D3DERR_INVALIDCALL, clone->UnlockVertexBuffer());  // not locked
    }
}

TEST_F(MeshObject, ACloneTakesTheNewFormatAndKeepsFacesAndTable) {
    ComRef<ID3DXMesh> mesh = makeMesh(D3DXMESH_SYSTEMMEM, {0, 1, 2, 1, 3, 2, 2, 3, 0}, {4, 7, 4}), sorted, coloured, none;
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_SYSTEMMEM, nullptr, nullptr, nullptr, nullptr, sorted.put()));
    const DWORD colouredFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    ASSERT_EQ(S_OK, sorted->CloneMeshFVF(D3DXMESH_MANAGED, colouredFormat, device(), coloured.put()));
    DWORD tableSize = 0;
    coloured->GetAttributeTable(nullptr, &tableSize);
    EXPECT_EQ((std::vector<DWORD>{colouredFormat, D3DXMESH_MANAGED, 24, 2}),
              (std::vector<DWORD>{coloured->GetFVF(), coloured->GetOptions(), coloured->GetNumBytesPerVertex(), tableSize}));
    EXPECT_EQ(std::make_pair(indicesOf(sorted), std::vector<DWORD>{4, 4, 7}), std::make_pair(indicesOf(coloured), attributesOf(coloured)));
    EXPECT_TRUE(FAILED(mesh->CloneMeshFVF(0, 0, device(), none.put())) && !none);
    // Normals are written where the format has them, and only there; the bounds of the positions.
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXComputeNormals(coloured, nullptr));
    ASSERT_EQ(S_OK, D3DXComputeNormals(mesh, nullptr));
    const std::vector<EditorVertex> v = verticesOf<EditorVertex>(mesh);
    EXPECT_NEAR(1, std::hypot(v.at(3).normal[0], v[3].normal[1], v[3].normal[2]) + v[3].v - 0.25f, 1e-6f);
    D3DXVECTOR3 centre;
    float radius = 0;   // from (3, 9, 9)
    ASSERT_EQ(S_OK, D3DXComputeBoundingSphere(reinterpret_cast<const D3DXVECTOR3*>(v[0].position), 4,
                                              D3DXGetFVFVertexSize(kEditorFormat), &centre, &radius));
    EXPECT_EQ((std::vector<float>{1.5f, 3.5f, 4.5f, std::sqrt(1.5f * 1.5f + 5.5f * 5.5f + 4.5f * 4.5f)}),
              (std::vector<float>{centre.x, centre.y, centre.z, radius}));
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXComputeBoundingSphere(nullptr, 3, 32, &centre, &radius));
}

TEST_F(MeshObject, AttributeSortMovesFacesAndAdjacencyButNoVertex) {
    ComRef<ID3DXMesh> mesh = makeMesh(D3DXMESH_MANAGED, {0, 1, 2, 1, 3, 2, 2, 3, 0, 3, 1, 0, 0, 2, 3}, {2, 0, 1, 0, 2});
    ComRef<ID3DXMesh> sorted, again;
    ComRef<ID3DXBuffer> vertexRemap;
    // The caller's adjacency moves with the faces: old face 0 (new 3) has neighbours none, 1
    // (new 0) and 4 (new 4).
    const DWORD adjacency[15] = {kNone, 1, 4, 2, kNone, 0, 1, 4, kNone, kNone, kNone, kNone, kNone, 2, 0};
    DWORD adjacencyOut[15], faceRemap[5];
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_SYSTEMMEM, adjacency, adjacencyOut, faceRemap,
                                   vertexRemap.put(), sorted.put()));
    EXPECT_EQ((std::vector<DWORD>{D3DXMESH_SYSTEMMEM, 1, 3, 2, 0, 4}),
              (std::vector<DWORD>{sorted->GetOptions(), faceRemap[0], faceRemap[1], faceRemap[2], faceRemap[3], faceRemap[4]}));
    EXPECT_EQ((std::vector<DWORD>{kNone, 0, 4}), std::vector<DWORD>(adjacencyOut + 9, adjacencyOut + 12));
    const DWORD* remap = static_cast<const DWORD*>(vertexRemap->GetBufferPointer());
    EXPECT_EQ((std::vector<DWORD>{0, 1, 2, 3}), std::vector<DWORD>(remap, remap + vertexRemap->GetBufferSize() / 4));
    EXPECT_EQ(2.0f, verticesOf<EditorVertex>(sorted).at(2).position[0]);
    // Without the caller's adjacency the neighbours come from the positions: new face 0 (old 1:
    // 1 3 2) meets old face 3 across 1-3, two faces across 3-2, old face 0 across 2-1.
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_SYSTEMMEM, nullptr, adjacencyOut, nullptr, nullptr, again.put()));
    EXPECT_EQ((std::vector<DWORD>{1, kNone, 3}), std::vector<DWORD>(adjacencyOut, adjacencyOut + 3));
}
