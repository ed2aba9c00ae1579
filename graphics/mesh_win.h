#pragma once
// Making mesh objects, and scoped access to a mesh's buffers, for the library's operations.
#include <cstdint>
#include <vector>

#include "graphics/attribute_sort.h"
#include "graphics/d3dx_win.h"

// The contents of a new mesh: vertices in the mesh's format, 3 indices and 1 attribute per
// face, and the attribute table (may be empty).
struct MeshArrays {
    std::vector<uint8_t> vertices;
    std::vector<uint16_t> indices;
    std::vector<DWORD> attributes;
    std::vector<AttributeRange> table;
};

// D3DERR_INVALIDCALL unless a mesh of this shape can be made: a device, faces and vertices,
// at most 65535 vertices (16-bit indices), a valid format with a position, and options that
// name possible pools (not D3DXMESH_32BIT, not managed and dynamic together).
HRESULT checkMeshShape(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD fvf,
                       IDirect3DDevice9* device);

// A mesh object that takes over the arrays (their sizes must agree with each other and with
// the format). The mesh holds a reference to the device.
HRESULT createMesh(DWORD options, DWORD fvf, IDirect3DDevice9* device, MeshArrays arrays,
                   ID3DXMesh** ppMesh);

// A lock on one of a mesh's buffers for the length of a scope.
class MeshLock {
public:
    enum Part { Vertices, Indices, Attributes };
    MeshLock(ID3DXMesh* mesh, Part part, DWORD flags);
    ~MeshLock();
    MeshLock(const MeshLock&) = delete;
    MeshLock& operator=(const MeshLock&) = delete;

    bool ok() const { return data_ != nullptr; }
    uint8_t* bytes() const { return static_cast<uint8_t*>(data_); }
    uint16_t* indices() const { return static_cast<uint16_t*>(data_); }
    DWORD* attributes() const { return static_cast<DWORD*>(data_); }

private:
    ID3DXMesh* mesh_;
    Part part_;
    void* data_ = nullptr;
};

// Index buffer pool and usage as the D3DXMESH_IB_* options name them.
HRESULT createIndexBuffer(IDirect3DDevice9* device, DWORD options, const uint16_t* indices,
                          size_t count, IDirect3DIndexBuffer9** ppIndexBuffer);
