#include "app/mesh_lock_win.h"

VertexLock::VertexLock(ID3DXMesh* mesh) : mesh_(mesh)
{
    void* data = nullptr;
    if (mesh_ && SUCCEEDED(mesh_->LockVertexBuffer(D3DLOCK_NOSYSLOCK, &data)))
        bytes_ = static_cast<BYTE*>(data);
}

VertexLock::~VertexLock()
{
    if (bytes_)
        mesh_->UnlockVertexBuffer();
}

IndexLock::IndexLock(ID3DXMesh* mesh) : mesh_(mesh)
{
    void* data = nullptr;
    if (mesh_ && SUCCEEDED(mesh_->LockIndexBuffer(D3DLOCK_NOSYSLOCK, &data)))
        indices_ = static_cast<WORD*>(data);
}

IndexLock::~IndexLock()
{
    if (indices_)
        mesh_->UnlockIndexBuffer();
}

bool hasEditedLayout(ID3DXMesh* mesh)
{
    return mesh && mesh->GetFVF() == kEditedVertexFormat;
}
