#include "device_test_support.h"

std::vector<uint32_t> readBackBuffer(IDirect3DDevice9* device, int& width, int& height) {
    std::vector<uint32_t> pixels;
    IDirect3DSurface9* target = nullptr;
    IDirect3DSurface9* copy = nullptr;
    D3DSURFACE_DESC desc{};
    if (SUCCEEDED(device->GetRenderTarget(0, &target)) && SUCCEEDED(target->GetDesc(&desc)) &&
        SUCCEEDED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                      D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
        SUCCEEDED(device->GetRenderTargetData(target, copy))) {
        D3DLOCKED_RECT locked{};
        if (SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
            width = int(desc.Width);
            height = int(desc.Height);
            for (int y = 0; y < height; ++y) {
                const uint32_t* row = reinterpret_cast<const uint32_t*>(
                    static_cast<const uint8_t*>(locked.pBits) + y * locked.Pitch);
                for (int x = 0; x < width; ++x) pixels.push_back(row[x] & 0xFFFFFF);
            }
            copy->UnlockRect();
        }
    }
    if (copy) copy->Release();
    if (target) target->Release();
    return pixels;
}
