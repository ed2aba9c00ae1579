#pragma once
// A gtest fixture with a real device, and a mesh's buffers written and read through its locks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/com_ref.h"
#include "graphics/d3dx_win.h"
#include "tests/support/device_fixture_win.h"

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeTestDevice(test_, 64, 64)); }
    // Every object the test made must be released by now: the device goes with no reference left.
    void TearDown() override { EXPECT_EQ(0u, releaseTestDevice(test_)); }
    IDirect3DDevice9* device() const { return test_.device; }

    TestDevice test_;
};

template <class Vertex>
void fillMesh(ID3DXMesh* mesh, const std::vector<Vertex>& vertices, const std::vector<WORD>& indices,
              const std::vector<DWORD>& attributes) {
    void *v = nullptr, *i = nullptr;
    DWORD* a = nullptr;
    ASSERT_EQ(S_OK, mesh->LockVertexBuffer(0, &v));
    std::memcpy(v, vertices.data(), vertices.size() * sizeof(Vertex));
    mesh->UnlockVertexBuffer();
    ASSERT_EQ(S_OK, mesh->LockIndexBuffer(0, &i));
    std::memcpy(i, indices.data(), indices.size() * sizeof(WORD));
    mesh->UnlockIndexBuffer();
    ASSERT_EQ(S_OK, mesh->LockAttributeBuffer(0, &a));
    std::memcpy(a, attributes.data(), attributes.size() * sizeof(DWORD));
    mesh->UnlockAttributeBuffer();
}

// Copies of a mesh's buffers; empty when they cannot be locked.
template <class Vertex>
std::vector<Vertex> verticesOf(ID3DXMesh* mesh) {
    void* data = nullptr;
    if (FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data))) return {};
    const std::vector<Vertex> copy(static_cast<Vertex*>(data), static_cast<Vertex*>(data) + mesh->GetNumVertices());
    mesh->UnlockVertexBuffer();
    return copy;
}

inline std::vector<WORD> indicesOf(ID3DXMesh* mesh) {
    void* data = nullptr;
    if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data))) return {};
    const std::vector<WORD> copy(static_cast<WORD*>(data), static_cast<WORD*>(data) + 3 * mesh->GetNumFaces());
    mesh->UnlockIndexBuffer();
    return copy;
}

inline std::vector<DWORD> attributesOf(ID3DXMesh* mesh) {
    DWORD* data = nullptr;
    if (FAILED(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data))) return {};
    const std::vector<DWORD> copy(data, data + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return copy;
}
