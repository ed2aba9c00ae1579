// Drawing subsets and strips on a real device, and the normal and bound helpers on meshes.
#include <cmath>
#include <vector>

#include "device_test_support.h"

namespace {

const DWORD kScreenFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;

struct ScreenVertex {
    float x, y, z, rhw;
    DWORD colour;
};

// The 64 x 64 target in two halves, each a 4 x 4 grid of quads (32 faces) wound clockwise on
// screen: subset 0 on the left in red, subset 1 on the right in green.
ID3DXMesh* makeHalves(IDirect3DDevice9* device) {
    ID3DXMesh* mesh = nullptr;
    if (FAILED(D3DXCreateMeshFVF(64, 50, D3DXMESH_SYSTEMMEM, kScreenFormat, device, &mesh)))
        return nullptr;
    ScreenVertex* v = nullptr;
    WORD* index = nullptr;
    DWORD* attribute = nullptr;
    mesh->LockVertexBuffer(0, (void**)&v);
    mesh->LockIndexBuffer(0, (void**)&index);
    mesh->LockAttributeBuffer(0, &attribute);
    for (int half = 0; half < 2; ++half) {
        const WORD base = WORD(half * 25);
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 5; ++i)
                v[base + j * 5 + i] = {half * 32 + i * 8.0f, j * 16.0f, 0.5f, 1,
                                       half ? 0xFF00FF00 : 0xFFFF0000};
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i) {
                const WORD a = WORD(base + j * 5 + i), b = WORD(a + 1), c = WORD(a + 5),
                           d = WORD(a + 6);
                const WORD faces[6] = {a, b, c, b, d, c};
                for (WORD corner : faces) *index++ = corner;
                *attribute++ = DWORD(half);
                *attribute++ = DWORD(half);
            }
    }
    mesh->UnlockAttributeBuffer();
    mesh->UnlockIndexBuffer();
    mesh->UnlockVertexBuffer();
    return mesh;
}

class MeshDrawing : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        device()->SetRenderState(D3DRS_LIGHTING, FALSE);
        device()->SetRenderState(D3DRS_ZENABLE, FALSE);
    }
    template <class Draw>
    std::vector<uint32_t> drawn(Draw draw) {
        device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1, 0);
        if (SUCCEEDED(device()->BeginScene())) {
            draw();
            device()->EndScene();
        }
        return captureRenderTarget(device()).pixels;
    }
    // Pixels of the left and right halves that have the colour.
    static void countHalves(const std::vector<uint32_t>& pixels, uint32_t colour, int& left,
                            int& right) {
        left = right = 0;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (pixels[i] == colour) ++((i % 64) < 32 ? left : right);
    }
};

}  // namespace

TEST_F(MeshDrawing, DrawSubsetDrawsOnlyThatSubset) {
    ID3DXMesh* mesh = makeHalves(device());
    ASSERT_NE(nullptr, mesh);
    int left = 0, right = 0;
    ASSERT_EQ(4096u, drawn([&] { EXPECT_EQ(S_OK, mesh->DrawSubset(1)); }).size());
    countHalves(drawn([&] { mesh->DrawSubset(1); }), kGreen, left, right);
    EXPECT_EQ(0, left);
    EXPECT_EQ(32 * 64, right);
    countHalves(drawn([&] { mesh->DrawSubset(1); }), kRed, left, right);
    EXPECT_EQ(0, left);

    // After an attribute sort the table drives the drawing.
    ID3DXMesh* sorted = nullptr;
    ASSERT_EQ(S_OK, mesh->Optimize(D3DXMESHOPT_ATTRSORT | D3DXMESH_MANAGED, nullptr, nullptr,
                                   nullptr, nullptr, &sorted));
    countHalves(drawn([&] { EXPECT_EQ(S_OK, sorted->DrawSubset(0)); }), kRed, left, right);
    EXPECT_EQ(32 * 64, left);
    EXPECT_EQ(0, right);
    sorted->Release();
    mesh->Release();
}

TEST_F(MeshDrawing, StripsDrawEveryTriangleOfTheSubsetWithItsWinding) {
    ID3DXMesh* mesh = makeHalves(device());
    ASSERT_NE(nullptr, mesh);
    // Culling of counter-clockwise triangles is on: a reversed triangle would leave a hole.
    device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    IDirect3DIndexBuffer9* stripIndices = nullptr;
    ID3DXBuffer* lengths = nullptr;
    DWORD indexCount = 0, stripCount = 0;
    ASSERT_EQ(S_OK, D3DXConvertMeshToStrips(mesh, 0, D3DXMESH_IB_MANAGED, &stripIndices,
                                            &indexCount, &lengths, &stripCount));
    D3DINDEXBUFFER_DESC desc{};
    stripIndices->GetDesc(&desc);
    EXPECT_EQ(D3DPOOL_MANAGED, desc.Pool);
    EXPECT_EQ(D3DFMT_INDEX16, desc.Format);
    ASSERT_EQ(stripCount * sizeof(DWORD), lengths->GetBufferSize());
    const DWORD* length = static_cast<const DWORD*>(lengths->GetBufferPointer());
    DWORD triangles = 0;
    for (DWORD s = 0; s < stripCount; ++s) triangles += length[s];
    EXPECT_EQ(32u, triangles);
    EXPECT_EQ(triangles + 2 * stripCount, indexCount);
    EXPECT_LT(indexCount, 32u * 3 / 2);

    IDirect3DVertexBuffer9* vertices = nullptr;
    ASSERT_EQ(S_OK, mesh->GetVertexBuffer(&vertices));
    int left = 0, right = 0;
    countHalves(drawn([&] {
                    device()->SetFVF(kScreenFormat);
                    device()->SetStreamSource(0, vertices, 0, sizeof(ScreenVertex));
                    device()->SetIndices(stripIndices);
                    UINT start = 0;
                    for (DWORD s = 0; s < stripCount; ++s) {
                        EXPECT_EQ(S_OK, device()->DrawIndexedPrimitive(
                                            D3DPT_TRIANGLESTRIP, 0, 0, 50, start, length[s]));
                        start += length[s] + 2;
                    }
                }),
                kRed, left, right);
    EXPECT_EQ(32 * 64, left);
    EXPECT_EQ(0, right);

    IDirect3DIndexBuffer9* single = nullptr;
    DWORD singleCount = 0;
    ASSERT_EQ(S_OK, D3DXConvertMeshToSingleStrip(mesh, 1, D3DXMESH_IB_MANAGED, &single,
                                                 &singleCount));
    EXPECT_GE(singleCount, 34u);
    EXPECT_LT(singleCount, 32u * 3 / 2);
    countHalves(drawn([&] {
                    device()->SetFVF(kScreenFormat);
                    device()->SetStreamSource(0, vertices, 0, sizeof(ScreenVertex));
                    device()->SetIndices(single);
                    EXPECT_EQ(S_OK, device()->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, 50,
                                                                   0, singleCount - 2));
                }),
                kGreen, left, right);
    EXPECT_EQ(0, left);
    EXPECT_EQ(32 * 64, right);
    device()->SetIndices(nullptr);
    device()->SetStreamSource(0, nullptr, 0, 0);
    single->Release();
    vertices->Release();
    lengths->Release();
    stripIndices->Release();
    mesh->Release();
}

TEST_F(MeshDrawing, StripsOfAMeshWithABadIndexFail) {
    ID3DXMesh* mesh = makeHalves(device());
    ASSERT_NE(nullptr, mesh);
    WORD* index = nullptr;
    mesh->LockIndexBuffer(0, (void**)&index);
    index[4] = 50;  // one past the last vertex
    mesh->UnlockIndexBuffer();
    IDirect3DIndexBuffer9* strip = nullptr;
    DWORD count = 0;
    EXPECT_EQ(D3DERR_INVALIDCALL,
              D3DXConvertMeshToSingleStrip(mesh, 0, D3DXMESH_IB_MANAGED, &strip, &count));
    EXPECT_EQ(nullptr, strip);
    // The other subset is still fine.
    EXPECT_EQ(S_OK, D3DXConvertMeshToSingleStrip(mesh, 1, D3DXMESH_IB_MANAGED, &strip, &count));
    strip->Release();
    mesh->Release();
}

TEST_F(MeshDrawing, NormalsAndBoundsOfAMesh) {
    ID3DXMesh* mesh = nullptr;
    const DWORD format = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
    ASSERT_EQ(S_OK, D3DXCreateMeshFVF(1, 3, D3DXMESH_SYSTEMMEM, format, device(), &mesh));
    float* v = nullptr;
    mesh->LockVertexBuffer(0, (void**)&v);
    const float positions[3][3] = {{0, 0, 0}, {0, 3, 0}, {4, 0, 0}};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) v[8 * i + k] = positions[i][k];
    mesh->UnlockVertexBuffer();
    WORD* index = nullptr;
    mesh->LockIndexBuffer(0, (void**)&index);
    index[0] = 0;
    index[1] = 1;
    index[2] = 2;
    mesh->UnlockIndexBuffer();

    ASSERT_EQ(S_OK, D3DXComputeNormals(mesh, nullptr));
    mesh->LockVertexBuffer(D3DLOCK_READONLY, (void**)&v);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(-1, v[8 * i + 5]);
    D3DXVECTOR3 centre;
    float radius = 0;
    ASSERT_EQ(S_OK, D3DXComputeBoundingSphere(reinterpret_cast<D3DXVECTOR3*>(v), 3,
                                              D3DXGetFVFVertexSize(format), &centre, &radius));
    mesh->UnlockVertexBuffer();
    EXPECT_FLOAT_EQ(4 / 3.0f, centre.x);
    EXPECT_FLOAT_EQ(1, centre.y);
    EXPECT_FLOAT_EQ(std::sqrt(8 / 3.0f * 8 / 3.0f + 1), radius);  // from (4, 0, 0)
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXComputeBoundingSphere(nullptr, 3, 32, &centre, &radius));

    // Normals need a normal in the format.
    ID3DXMesh* bare = nullptr;
    ASSERT_EQ(S_OK, mesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, device(), &bare));
    EXPECT_EQ(D3DERR_INVALIDCALL, D3DXComputeNormals(bare, nullptr));
    EXPECT_EQ(12u, D3DXGetFVFVertexSize(D3DFVF_XYZ));
    EXPECT_EQ(0u, D3DXGetFVFVertexSize(D3DFVF_NORMAL));
    bare->Release();
    mesh->Release();
}
