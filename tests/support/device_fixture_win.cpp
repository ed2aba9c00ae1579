#include "tests/support/device_fixture_win.h"

bool makeTestDevice(TestDevice& out, int width, int height)
{
    out.window = CreateWindowA("STATIC", "test device", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    out.d3d.reset(Direct3DCreate9(D3D_SDK_VERSION));
    if (!out.window || !out.d3d)
        return false;
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferWidth = UINT(width);
    params.BackBufferHeight = UINT(height);
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat =
        SUCCEEDED(out.d3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                             D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D24S8))
            ? D3DFMT_D24S8 : D3DFMT_D16;
    params.hDeviceWindow = out.window;
    return SUCCEEDED(out.d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, out.window,
                                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, out.device.put()));
}

ULONG releaseTestDevice(TestDevice& device)
{
    const ULONG remaining = device.device.release();
    device.d3d.reset();
    if (device.window)
        DestroyWindow(device.window);
    device = TestDevice{};
    return remaining;
}

Capture captureRenderTarget(IDirect3DDevice9* device)
{
    ComRef<IDirect3DSurface9> target, copy;
    D3DSURFACE_DESC desc{};
    HDC dc = nullptr;
    if (FAILED(device->GetRenderTarget(0, target.put())) || FAILED(target->GetDesc(&desc)) ||
        FAILED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                   D3DPOOL_SYSTEMMEM, copy.put(), nullptr)) ||
        FAILED(device->GetRenderTargetData(target, copy)) || FAILED(copy->GetDC(&dc)))
        return Capture();
    const Capture capture = capturePixels(dc, 0, 0, int(desc.Width), int(desc.Height));
    copy->ReleaseDC(dc);
    return capture;
}
