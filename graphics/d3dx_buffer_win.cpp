#include "graphics/d3dx_buffer_win.h"

#include <cstring>
#include <new>
#include <vector>

#include "graphics/com_object_win.h"

namespace {

class Buffer final : public ComObject<ID3DXBuffer> {
public:
    explicit Buffer(size_t size) : bytes_(size ? size : 1, 0), size_(size) {}
    LPVOID STDMETHODCALLTYPE GetBufferPointer() override { return bytes_.data(); }
    DWORD STDMETHODCALLTYPE GetBufferSize() override { return DWORD(size_); }

private:
    std::vector<unsigned char> bytes_;  // never empty, so the pointer is never null
    size_t size_;
};

}  // namespace

HRESULT createBuffer(const void* data, size_t size, ID3DXBuffer** ppBuffer) {
    if (!ppBuffer) return D3DERR_INVALIDCALL;
    *ppBuffer = nullptr;
    if (size > MAXDWORD) return E_OUTOFMEMORY;
    Buffer* buffer = nullptr;
    try {
        buffer = new Buffer(size);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (data && size) std::memcpy(buffer->GetBufferPointer(), data, size);
    *ppBuffer = buffer;
    return S_OK;
}

HRESULT D3DXCreateBuffer(DWORD numBytes, ID3DXBuffer** ppBuffer) {
    return createBuffer(nullptr, numBytes, ppBuffer);
}
