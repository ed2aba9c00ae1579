#pragma once
// A gtest fixture with a real device, and copies of a mesh's buffers taken under its locks.
#include <gtest/gtest.h>

#include <vector>

#include "base/com_ref.h"
#include "graphics/d3dx_win.h"
#include "graphics/mesh_win.h"
#include "tests/support/device_fixture_win.h"

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeTestDevice(test_, 64, 64)); }
    // Every object the test made must be released by now: the device goes with no reference left.
    void TearDown() override { EXPECT_EQ(0u, releaseTestDevice(test_)); }
    IDirect3DDevice9* device() const { return test_.device; }

    TestDevice test_;
};

// A copy of one of the mesh's buffers; empty when it cannot be locked.
template <class T>
std::vector<T> copyOf(ID3DXMesh* mesh, MeshLock::Part part) {
    const size_t count = part == MeshLock::Vertices ? mesh->GetNumVertices()
                         : part == MeshLock::Indices ? 3 * mesh->GetNumFaces() : mesh->GetNumFaces();
    const MeshLock lock(mesh, part, 0);
    const T* items = reinterpret_cast<const T*>(lock.bytes());
    return lock.ok() ? std::vector<T>(items, items + count) : std::vector<T>();
}
template <class Vertex>
std::vector<Vertex> verticesOf(ID3DXMesh* mesh) { return copyOf<Vertex>(mesh, MeshLock::Vertices); }
inline std::vector<WORD> indicesOf(ID3DXMesh* mesh) { return copyOf<WORD>(mesh, MeshLock::Indices); }
inline std::vector<DWORD> attributesOf(ID3DXMesh* mesh) { return copyOf<DWORD>(mesh, MeshLock::Attributes); }
