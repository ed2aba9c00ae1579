#pragma once
// Scoped locks on a mesh's buffers (D3DLOCK_NOSYSLOCK), unlocked when the scope ends, and the
// one vertex layout every edited mesh has.
#include <windows.h>
#include <d3d9.h>

#include <cstring>
#include <vector>

#include "graphics/d3dx_win.h"

// Position, normal and one 2D texture coordinate: u at byte 24, v at byte 28.
const DWORD kEditedVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct EditedVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
static_assert(sizeof(EditedVertex) == 32, "the texture-coordinate code relies on 32 bytes");

class VertexLock {
public:
    explicit VertexLock(ID3DXMesh* mesh);
    ~VertexLock();
    VertexLock(const VertexLock&) = delete;
    VertexLock& operator=(const VertexLock&) = delete;

    bool ok() const { return bytes_ != nullptr; }
    BYTE* bytes() const { return bytes_; }
    // The vertices read as the edited layout; only meaningful for meshes of that format.
    EditedVertex* edited() const { return reinterpret_cast<EditedVertex*>(bytes_); }

private:
    ID3DXMesh* mesh_;
    BYTE* bytes_ = nullptr;
};

class IndexLock {
public:
    explicit IndexLock(ID3DXMesh* mesh);
    ~IndexLock();
    IndexLock(const IndexLock&) = delete;
    IndexLock& operator=(const IndexLock&) = delete;

    bool ok() const { return indices_ != nullptr; }
    // Three 16-bit indices per face.
    WORD* indices() const { return indices_; }

private:
    ID3DXMesh* mesh_;
    WORD* indices_ = nullptr;
};

// Whether the mesh has the edited layout, so that the texture-coordinate code may touch it.
bool hasEditedLayout(ID3DXMesh* mesh);

// The position (the first three floats, whatever the layout) of every vertex; empty when the
// vertex buffer cannot be locked. Position is any type of three packed floats.
template <typename Position> std::vector<Position> meshPositions(ID3DXMesh* mesh)
{
    static_assert(sizeof(Position) == 3 * sizeof(float), "three packed floats");
    std::vector<Position> positions;
    VertexLock vertices(mesh);
    if (!vertices.ok())
        return positions;
    const UINT stride = D3DXGetFVFVertexSize(mesh->GetFVF());
    positions.resize(mesh->GetNumVertices());
    for (size_t k = 0; k < positions.size(); ++k)
        memcpy(&positions[k], vertices.bytes() + k * stride, sizeof(Position));
    return positions;
}
