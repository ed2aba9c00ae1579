// D3DXComputeNormals, D3DXComputeBoundingSphere and D3DXGetFVFVertexSize over the portable code.
#include "graphics/bounds.h"
#include "graphics/d3dx_win.h"
#include "graphics/fvf.h"
#include "graphics/mesh_win.h"
#include "graphics/normals.h"

namespace {

// Byte offset of the normal in a format with a three-float position first, or -1.
int normalOffset(DWORD format) {
    fvf::VertexElement elements[fvf::kMaxElements];
    const int count = fvf::toDeclaration(format, elements);
    if (count == 0 || elements[0].usage != fvf::kUsagePosition ||
        elements[0].type != fvf::kFloat3)
        return -1;
    for (int i = 0; i < count; ++i)
        if (elements[i].usage == fvf::kUsageNormal) return elements[i].offset;
    return -1;
}

}  // namespace

HRESULT D3DXComputeNormals(ID3DXMesh* pMesh, const DWORD*) {
    if (!pMesh) return D3DERR_INVALIDCALL;
    const int offset = normalOffset(pMesh->GetFVF());
    if (offset < 0) return D3DERR_INVALIDCALL;
    MeshLock vertices(pMesh, MeshLock::Vertices, 0);
    MeshLock indices(pMesh, MeshLock::Indices, D3DLOCK_READONLY);
    if (!vertices.ok() || !indices.ok()) return D3DERR_INVALIDCALL;
    computeNormals(vertices.bytes(), pMesh->GetNumVertices(), pMesh->GetNumBytesPerVertex(),
                   uint32_t(offset), indices.indices(), pMesh->GetNumFaces());
    return S_OK;
}

HRESULT D3DXComputeBoundingSphere(const D3DXVECTOR3* pFirstPosition, DWORD numVertices,
                                  DWORD stride, D3DXVECTOR3* pCenter, float* pRadius) {
    if (!pCenter || !pRadius || (numVertices > 0 && !pFirstPosition)) return D3DERR_INVALIDCALL;
    const BoundingSphere sphere = computeBoundingSphere(
        reinterpret_cast<const uint8_t*>(pFirstPosition), numVertices, stride);
    *pCenter = sphere.center;
    *pRadius = sphere.radius;
    return S_OK;
}

UINT D3DXGetFVFVertexSize(DWORD fvf) { return fvf::vertexSize(fvf); }
