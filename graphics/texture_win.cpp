// D3DXCreateTextureFromFileA: a file decoded by the portable code, uploaded as a managed
// texture with a full mip chain.
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "base/com_ref.h"
#include "base/whole_file.h"
#include "graphics/d3dx_win.h"
#include "graphics/dxt_decode.h"
#include "graphics/image_decode.h"
#include "graphics/mip_chain.h"

namespace {

// Larger files are not images we can use.
const size_t kMaxFileBytes = size_t(256) << 20;

bool deviceTakes(IDirect3DDevice9* device, D3DFORMAT format) {
    ComRef<IDirect3D9> d3d;
    D3DDEVICE_CREATION_PARAMETERS creation{};
    D3DDISPLAYMODE mode{};
    return SUCCEEDED(device->GetDirect3D(d3d.put())) &&
           SUCCEEDED(device->GetCreationParameters(&creation)) &&
           SUCCEEDED(d3d->GetAdapterDisplayMode(creation.AdapterOrdinal, &mode)) &&
           SUCCEEDED(d3d->CheckDeviceFormat(creation.AdapterOrdinal, creation.DeviceType,
                                            mode.Format, 0, D3DRTYPE_TEXTURE, format));
}

bool fitsDevice(IDirect3DDevice9* device, uint32_t width, uint32_t height) {
    D3DCAPS9 caps{};
    return SUCCEEDED(device->GetDeviceCaps(&caps)) && width <= caps.MaxTextureWidth &&
           height <= caps.MaxTextureHeight;
}

bool isPowerOfTwo(uint32_t n) { return n && !(n & (n - 1)); }

D3DFORMAT d3dFormat(BlockFormat format) {
    switch (format) {
    case BlockFormat::Dxt1: return D3DFMT_DXT1;
    case BlockFormat::Dxt3: return D3DFMT_DXT3;
    default: return D3DFMT_DXT5;
    }
}

// Copies rows of `rowBytes` into a locked level whose rows are `pitch` apart.
HRESULT fillLevel(IDirect3DTexture9* texture, UINT level, const uint8_t* rows, size_t rowBytes,
                  size_t rowCount) {
    D3DLOCKED_RECT locked{};
    const HRESULT hr = texture->LockRect(level, &locked, nullptr, 0);
    if (FAILED(hr)) return hr;
    for (size_t row = 0; row < rowCount; ++row)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + row * locked.Pitch,
                    rows + row * rowBytes, rowBytes);
    return texture->UnlockRect(level);
}

// The blocks as they are: only when every level is there and the device takes the format.
bool canUploadBlocks(IDirect3DDevice9* device, const CompressedImage& blocks) {
    return isPowerOfTwo(blocks.width) && isPowerOfTwo(blocks.height) &&
           blocks.levels.size() == mipLevelCount(blocks.width, blocks.height) && fitsDevice(device, blocks.width, blocks.height) &&
           deviceTakes(device, d3dFormat(blocks.format));
}

HRESULT uploadBlocks(IDirect3DDevice9* device, const CompressedImage& blocks,
                     IDirect3DTexture9** ppTexture) {
    ComRef<IDirect3DTexture9> texture;
    HRESULT hr = device->CreateTexture(blocks.width, blocks.height, UINT(blocks.levels.size()), 0,
                                       d3dFormat(blocks.format), D3DPOOL_MANAGED, texture.put(),
                                       nullptr);
    uint32_t width = blocks.width, height = blocks.height;
    for (UINT level = 0; SUCCEEDED(hr) && level < blocks.levels.size(); ++level) {
        const size_t columns = (width + 3) / 4, rows = (height + 3) / 4;
        hr = fillLevel(texture.get(), level, blocks.levels[level].data(),
                       columns * blockBytes(blocks.format), rows);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    if (SUCCEEDED(hr)) *ppTexture = texture.detach();
    return hr;
}

HRESULT uploadPixels(IDirect3DDevice9* device, const Image& image, IDirect3DTexture9** ppTexture) {
    std::vector<Image> levels = mipChain(image);
    // Levels wider or taller than the device allows are left out.
    size_t first = 0;
    while (first + 1 < levels.size() && !fitsDevice(device, levels[first].width, levels[first].height))
        ++first;
    const D3DFORMAT format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    ComRef<IDirect3DTexture9> texture;
    HRESULT hr = device->CreateTexture(levels[first].width, levels[first].height,
                                       UINT(levels.size() - first), 0, format, D3DPOOL_MANAGED,
                                       texture.put(), nullptr);
    for (size_t i = first; SUCCEEDED(hr) && i < levels.size(); ++i)
        hr = fillLevel(texture.get(), UINT(i - first),
                       reinterpret_cast<const uint8_t*>(levels[i].pixels.data()),
                       levels[i].width * sizeof(uint32_t), levels[i].height);
    if (SUCCEEDED(hr)) *ppTexture = texture.detach();
    return hr;
}

}  // namespace

HRESULT createTextureFromImage(IDirect3DDevice9* device, const Image& image,
                               IDirect3DTexture9** texture) {
    if (!device || !texture || image.width == 0 || image.height == 0 ||
        image.pixels.size() != size_t(image.width) * image.height)
        return D3DERR_INVALIDCALL;
    *texture = nullptr;
    try {
        return uploadPixels(device, image, texture);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT D3DXCreateTextureFromFileA(IDirect3DDevice9* pDevice, const char* pSrcFile,
                                   IDirect3DTexture9** ppTexture) {
    if (!pDevice || !pSrcFile || !ppTexture) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    try {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(pSrcFile, kMaxFileBytes, bytes)) return D3DXERR_INVALIDDATA;
        DecodedImage decoded;
        if (decodeImage(bytes.data(), bytes.size(), decoded) != ImageStatus::Ok)
            return D3DXERR_INVALIDDATA;
        if (!decoded.compressed) return uploadPixels(pDevice, decoded.image, ppTexture);
        const CompressedImage& blocks = decoded.blocks;
        if (canUploadBlocks(pDevice, blocks)) return uploadBlocks(pDevice, blocks, ppTexture);
        return uploadPixels(pDevice,
                            decodeBlocks(blocks.format, blocks.levels[0].data(), blocks.width,
                                         blocks.height),
                            ppTexture);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}
