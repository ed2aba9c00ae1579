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

enum class MeshBuffer { Vertices, Indices, Attributes };

// Copies `count` items of T from `from` to `to` through the lock of a buffer of the mesh, one
// of the two being the locked memory (nullptr). False when the buffer cannot be locked.
template <class T>
bool throughLock(ID3DXMesh* mesh, MeshBuffer buffer, const T* from, T* to, size_t count) {
    void* data = nullptr;
    const HRESULT hr = buffer == MeshBuffer::Vertices ? mesh->LockVertexBuffer(0, &data)
                       : buffer == MeshBuffer::Indices ? mesh->LockIndexBuffer(0, &data)
                                                       : mesh->LockAttributeBuffer(0, reinterpret_cast<DWORD**>(&data));
    if (FAILED(hr)) return false;
    std::memcpy(to ? static_cast<void*>(to) : data, from ? static_cast<const void*>(from) : data, count * sizeof(T));
    buffer == MeshBuffer::Vertices ? mesh->UnlockVertexBuffer()
    : buffer == MeshBuffer::Indices ? mesh->UnlockIndexBuffer() : mesh->UnlockAttributeBuffer();
    return true;
}

template <class Vertex>
void fillMesh(ID3DXMesh* mesh, const std::vector<Vertex>& vertices, const std::vector<WORD>& indices,
              const std::vector<DWORD>& attributes) {
    ASSERT_TRUE(throughLock(mesh, MeshBuffer::Vertices, vertices.data(), (Vertex*)nullptr, vertices.size()) &&
                throughLock(mesh, MeshBuffer::Indices, indices.data(), (WORD*)nullptr, indices.size()) &&
                throughLock(mesh, MeshBuffer::Attributes, attributes.data(), (DWORD*)nullptr, attributes.size()));
}

// A copy of one of the mesh's buffers; empty when it cannot be locked.
template <class T>
std::vector<T> copyOf(ID3DXMesh* mesh, MeshBuffer buffer) {
    std::vector<T> copy(buffer == MeshBuffer::Vertices ? mesh->GetNumVertices()
                        : buffer == MeshBuffer::Indices ? 3 * mesh->GetNumFaces() : mesh->GetNumFaces());
    return throughLock(mesh, buffer, (const T*)nullptr, copy.data(), copy.size()) ? copy : std::vector<T>();
}
template <class Vertex>
std::vector<Vertex> verticesOf(ID3DXMesh* mesh) { return copyOf<Vertex>(mesh, MeshBuffer::Vertices); }
inline std::vector<WORD> indicesOf(ID3DXMesh* mesh) { return copyOf<WORD>(mesh, MeshBuffer::Indices); }
inline std::vector<DWORD> attributesOf(ID3DXMesh* mesh) { return copyOf<DWORD>(mesh, MeshBuffer::Attributes); }
