#include "graphics/mesh_win.h"

#include <cstring>
#include <new>

#include "base/com_ref.h"
#include "graphics/com_object_win.h"
#include "graphics/fvf.h"
#include "graphics/mesh_copy_win.h"

static_assert(sizeof(D3DVERTEXELEMENT9) == sizeof(fvf::VertexElement), "same element layout");
static_assert(sizeof(D3DXATTRIBUTERANGE) == sizeof(AttributeRange), "same range layout");

namespace {

D3DPOOL poolFor(DWORD options, DWORD systemMemory, DWORD managed) {
    if (options & systemMemory) return D3DPOOL_SYSTEMMEM;
    return (options & managed) ? D3DPOOL_MANAGED : D3DPOOL_DEFAULT;
}

DWORD usageFor(DWORD options, DWORD writeOnly, DWORD dynamic) {
    return ((options & writeOnly) ? D3DUSAGE_WRITEONLY : 0) |
           ((options & dynamic) ? D3DUSAGE_DYNAMIC : 0);
}

// Fills a new device buffer (vertex or index) from memory.
template <class Buffer>
HRESULT fillBuffer(Buffer* buffer, const void* data, size_t size, DWORD usage) {
    void* target = nullptr;
    const HRESULT hr = buffer->Lock(0, 0, &target, (usage & D3DUSAGE_DYNAMIC) ? D3DLOCK_DISCARD : 0);
    if (FAILED(hr)) return hr;
    std::memcpy(target, data, size);
    return buffer->Unlock();
}

// The mesh object. Its vertices and indices live in its own arrays until the first call that
// needs a device buffer; from then on the device buffer holds them and the array is freed, so
// that locks and copies always see one current version.
class Mesh final : public ComObject<ID3DXMesh> {
public:
    Mesh(IDirect3DDevice9* device, DWORD options, DWORD fvf, MeshArrays arrays)
        : device_(ComRef<IDirect3DDevice9>::addReference(device)), options_(options), fvf_(fvf),
          vertexSize_(fvf::vertexSize(fvf)),
          faceCount_(DWORD(arrays.attributes.size())), arrays_(std::move(arrays)) {
        vertexCount_ = DWORD(arrays_.vertices.size() / vertexSize_);
    }

    HRESULT STDMETHODCALLTYPE DrawSubset(DWORD attribId) override;
    DWORD STDMETHODCALLTYPE GetNumFaces() override { return faceCount_; }
    DWORD STDMETHODCALLTYPE GetNumVertices() override { return vertexCount_; }
    DWORD STDMETHODCALLTYPE GetFVF() override { return fvf_; }
    HRESULT STDMETHODCALLTYPE GetDeclaration(D3DVERTEXELEMENT9 out[MAX_FVF_DECL_SIZE]) override {
        if (!out) return D3DERR_INVALIDCALL;
        fvf::VertexElement elements[fvf::kMaxElements];
        const int count = fvf::toDeclaration(fvf_, elements);
        std::memcpy(out, elements, sizeof(D3DVERTEXELEMENT9) * (count + 1));
        return S_OK;
    }
    DWORD STDMETHODCALLTYPE GetNumBytesPerVertex() override { return vertexSize_; }
    DWORD STDMETHODCALLTYPE GetOptions() override { return options_; }
    HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice9** ppDevice) override {
        if (!ppDevice) return D3DERR_INVALIDCALL;
        *ppDevice = device_.share().detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device,
                                           ID3DXMesh** ppCloneMesh) override {
        return cloneMesh(this, options, fvf, device, ppCloneMesh);
    }
    HRESULT STDMETHODCALLTYPE GetVertexBuffer(IDirect3DVertexBuffer9** ppVB) override {
        const HRESULT made = makeVertexBuffer();
        return handOut(made, vertexBuffer_.get(), ppVB);
    }
    HRESULT STDMETHODCALLTYPE GetIndexBuffer(IDirect3DIndexBuffer9** ppIB) override {
        const HRESULT made = makeIndexBuffer();
        return handOut(made, indexBuffer_.get(), ppIB);
    }
    HRESULT STDMETHODCALLTYPE LockVertexBuffer(DWORD flags, LPVOID* ppData) override {
        if (vertexBuffer_) return vertexBuffer_->Lock(0, 0, ppData, flags);
        return lockArray(arrays_.vertices.data(), vertexLocks_, ppData);
    }
    HRESULT STDMETHODCALLTYPE UnlockVertexBuffer() override {
        return vertexBuffer_ ? vertexBuffer_->Unlock() : unlockArray(vertexLocks_);
    }
    HRESULT STDMETHODCALLTYPE LockIndexBuffer(DWORD flags, LPVOID* ppData) override {
        if (indexBuffer_) return indexBuffer_->Lock(0, 0, ppData, flags);
        return lockArray(arrays_.indices.data(), indexLocks_, ppData);
    }
    HRESULT STDMETHODCALLTYPE UnlockIndexBuffer() override {
        return indexBuffer_ ? indexBuffer_->Unlock() : unlockArray(indexLocks_);
    }
    HRESULT STDMETHODCALLTYPE GetAttributeTable(D3DXATTRIBUTERANGE* pTable,
                                                DWORD* pSize) override {
        if (!pTable && !pSize) return D3DERR_INVALIDCALL;
        if (pSize) *pSize = DWORD(arrays_.table.size());
        if (pTable && !arrays_.table.empty())
            std::memcpy(pTable, arrays_.table.data(), arrays_.table.size() * sizeof(AttributeRange));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockAttributeBuffer(DWORD, DWORD** ppData) override {
        if (!ppData) return D3DERR_INVALIDCALL;
        *ppData = arrays_.attributes.data();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnlockAttributeBuffer() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Optimize(DWORD flags, const DWORD* pAdjacencyIn,
                                       DWORD* pAdjacencyOut, DWORD* pFaceRemap,
                                       ID3DXBuffer** ppVertexRemap,
                                       ID3DXMesh** ppOptMesh) override {
        return optimizeMesh(this, flags, pAdjacencyIn, pAdjacencyOut, pFaceRemap,
                            ppVertexRemap, ppOptMesh);
    }

private:
    ~Mesh() override = default;

    template <class Buffer>
    static HRESULT handOut(HRESULT made, Buffer* buffer, Buffer** out) {
        if (!out) return D3DERR_INVALIDCALL;
        *out = nullptr;
        if (FAILED(made)) return made;
        buffer->AddRef();
        *out = buffer;
        return S_OK;
    }

    static HRESULT lockArray(void* data, int& locks, LPVOID* ppData) {
        if (!ppData) return D3DERR_INVALIDCALL;
        ++locks;
        *ppData = data;
        return S_OK;
    }
    static HRESULT unlockArray(int& locks) {
        if (locks == 0) return D3DERR_INVALIDCALL;
        --locks;
        return S_OK;
    }

    HRESULT makeVertexBuffer() {
        if (vertexBuffer_) return S_OK;
        // The array cannot move into a device buffer under a caller's pointer.
        if (vertexLocks_) return D3DERR_INVALIDCALL;
        const DWORD usage = usageFor(options_, D3DXMESH_VB_WRITEONLY, D3DXMESH_VB_DYNAMIC);
        ComRef<IDirect3DVertexBuffer9> buffer;
        HRESULT hr = device_->CreateVertexBuffer(
            UINT(arrays_.vertices.size()), usage, fvf_,
            poolFor(options_, D3DXMESH_VB_SYSTEMMEM, D3DXMESH_VB_MANAGED), buffer.put(), nullptr);
        if (SUCCEEDED(hr))
            hr = fillBuffer(buffer.get(), arrays_.vertices.data(), arrays_.vertices.size(), usage);
        if (FAILED(hr)) return hr;
        vertexBuffer_ = std::move(buffer);
        std::vector<uint8_t>().swap(arrays_.vertices);
        return S_OK;
    }

    HRESULT makeIndexBuffer() {
        if (indexBuffer_) return S_OK;
        if (indexLocks_) return D3DERR_INVALIDCALL;
        const HRESULT hr = createIndexBuffer(device_, options_, arrays_.indices.data(),
                                             arrays_.indices.size(), indexBuffer_.put());
        if (SUCCEEDED(hr)) std::vector<uint16_t>().swap(arrays_.indices);
        return hr;
    }

    ComRef<IDirect3DDevice9> device_;
    DWORD options_, fvf_, vertexSize_, faceCount_, vertexCount_ = 0;
    MeshArrays arrays_;
    ComRef<IDirect3DVertexBuffer9> vertexBuffer_;
    ComRef<IDirect3DIndexBuffer9> indexBuffer_;
    int vertexLocks_ = 0, indexLocks_ = 0;
};

HRESULT Mesh::DrawSubset(DWORD attribId) {
    HRESULT hr = makeVertexBuffer();
    if (SUCCEEDED(hr)) hr = makeIndexBuffer();
    if (SUCCEEDED(hr)) hr = device_->SetFVF(fvf_);
    if (SUCCEEDED(hr)) hr = device_->SetStreamSource(0, vertexBuffer_, 0, vertexSize_);
    if (SUCCEEDED(hr)) hr = device_->SetIndices(indexBuffer_);
    if (FAILED(hr)) return hr;
    for (const AttributeRange& range :
         subsetRanges(arrays_.table, arrays_.attributes, attribId, vertexCount_)) {
        hr = device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, range.vertexStart,
                                           range.vertexCount, range.faceStart * 3,
                                           range.faceCount);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace

HRESULT checkMeshShape(DWORD faceCount, DWORD vertexCount, DWORD options, DWORD fvf,
                       IDirect3DDevice9* device) {
    const bool managedAndDynamic =
        ((options & D3DXMESH_VB_MANAGED) && (options & D3DXMESH_VB_DYNAMIC)) ||
        ((options & D3DXMESH_IB_MANAGED) && (options & D3DXMESH_IB_DYNAMIC));
    if (!device || faceCount == 0 || vertexCount == 0 || vertexCount > 0xFFFF ||
        (options & D3DXMESH_32BIT) || managedAndDynamic || !fvf::isValid(fvf) ||
        faceCount > MAXDWORD / 3)
        return D3DERR_INVALIDCALL;
    return S_OK;
}

HRESULT createMesh(DWORD options, DWORD fvf, IDirect3DDevice9* device, MeshArrays arrays,
                   ID3DXMesh** ppMesh) {
    if (!ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    const size_t vertexSize = fvf::vertexSize(fvf);
    const DWORD faceCount = DWORD(arrays.attributes.size());
    const DWORD vertexCount = vertexSize ? DWORD(arrays.vertices.size() / vertexSize) : 0;
    HRESULT hr = checkMeshShape(faceCount, vertexCount, options, fvf, device);
    if (FAILED(hr)) return hr;
    if (arrays.indices.size() != size_t(faceCount) * 3 ||
        arrays.vertices.size() != vertexSize * vertexCount)
        return D3DERR_INVALIDCALL;
    try {
        *ppMesh = new Mesh(device, options, fvf, std::move(arrays));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT D3DXCreateMeshFVF(DWORD numFaces, DWORD numVertices, DWORD options, DWORD fvf,
                          IDirect3DDevice9* pDevice, ID3DXMesh** ppMesh) {
    if (!ppMesh) return D3DERR_INVALIDCALL;
    *ppMesh = nullptr;
    const HRESULT hr = checkMeshShape(numFaces, numVertices, options, fvf, pDevice);
    if (FAILED(hr)) return hr;
    MeshArrays arrays;
    try {
        arrays.vertices.assign(size_t(numVertices) * fvf::vertexSize(fvf), 0);
        arrays.indices.assign(size_t(numFaces) * 3, 0);
        arrays.attributes.assign(numFaces, 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return createMesh(options, fvf, pDevice, std::move(arrays), ppMesh);
}

MeshLock::MeshLock(ID3DXMesh* mesh, Part part, DWORD flags) : mesh_(mesh), part_(part) {
    HRESULT hr = E_FAIL;
    if (part == Vertices) hr = mesh->LockVertexBuffer(flags, &data_);
    if (part == Indices) hr = mesh->LockIndexBuffer(flags, &data_);
    if (part == Attributes) {
        DWORD* attributes = nullptr;
        hr = mesh->LockAttributeBuffer(flags, &attributes);
        data_ = attributes;
    }
    if (FAILED(hr)) data_ = nullptr;
}

MeshLock::~MeshLock() {
    if (!data_) return;
    if (part_ == Vertices) mesh_->UnlockVertexBuffer();
    if (part_ == Indices) mesh_->UnlockIndexBuffer();
    if (part_ == Attributes) mesh_->UnlockAttributeBuffer();
}

HRESULT createIndexBuffer(IDirect3DDevice9* device, DWORD options, const uint16_t* indices,
                          size_t count, IDirect3DIndexBuffer9** ppIndexBuffer) {
    *ppIndexBuffer = nullptr;
    // A buffer of at least one index, so that an empty strip set still has a valid buffer.
    const size_t bytes = (count ? count : 1) * sizeof(uint16_t);
    if (bytes > 0x7FFFFFFF) return E_OUTOFMEMORY;
    const DWORD usage = usageFor(options, D3DXMESH_IB_WRITEONLY, D3DXMESH_IB_DYNAMIC);
    ComRef<IDirect3DIndexBuffer9> buffer;
    HRESULT hr = device->CreateIndexBuffer(UINT(bytes), usage, D3DFMT_INDEX16,
                                           poolFor(options, D3DXMESH_IB_SYSTEMMEM,
                                                   D3DXMESH_IB_MANAGED),
                                           buffer.put(), nullptr);
    if (SUCCEEDED(hr) && count)
        hr = fillBuffer(buffer.get(), indices, count * sizeof(uint16_t), usage);
    if (FAILED(hr)) return hr;
    *ppIndexBuffer = buffer.detach();
    return S_OK;
}
