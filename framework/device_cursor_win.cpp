#include "framework/device_cursor_win.h"

#include <cstring>

#include "base/com_ref.h"
#include "base/device_context_win.h"
#include "base/gdi_object_win.h"

namespace {

// Cursors this large do not exist; a bitmap claiming it is not read.
constexpr LONG kLargestCursorSide = 1024;

// The watermark: 12 by 5 pixels, bit (15 - x) of row y.
const WORD kWatermarkRows[5] = {0xCCC0, 0xA2A0, 0xA4A0, 0xA2A0, 0xCCC0};

// The bitmap's rows as 32-bit pixels, bottom row first.
bool ReadBottomUpRows(HDC screen, HBITMAP bitmap, LONG width, LONG height,
                      std::vector<uint32_t>& rows) {
    MemoryDc memory(screen);
    if (!memory)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    rows.assign(size_t(width) * size_t(height), 0);
    return GetDIBits(memory, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS) ==
           height;
}

void AddWatermark(CursorImage& image) {
    for (UINT y = 0; y < 5 && y < image.height; ++y) {
        for (UINT x = 0; x < 12 && x < image.width; ++x) {
            if (kWatermarkRows[y] & (1u << (15 - x)))
                image.pixels[y * image.width + x] |= 0xFF808080;
        }
    }
}

}  // namespace

HRESULT ReadCursorImage(HCURSOR cursor, BOOL watermark, CursorImage& image) {
    ICONINFO info = {};
    if (!GetIconInfo(cursor, &info))
        return E_FAIL;
    GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    BITMAP maskBitmap = {};
    if (!GetObjectA(info.hbmMask, sizeof(maskBitmap), &maskBitmap))
        return E_FAIL;
    const LONG width = maskBitmap.bmWidth, maskHeight = maskBitmap.bmHeight;
    if (width <= 0 || maskHeight <= 0 || width > kLargestCursorSide ||
        maskHeight > kLargestCursorSide)
        return E_FAIL;
    const bool monochrome = info.hbmColor == nullptr;
    const LONG height = monochrome ? maskHeight / 2 : maskHeight;
    if (height == 0)
        return E_FAIL;

    WindowDc screen(nullptr);
    if (!screen)
        return E_FAIL;
    std::vector<uint32_t> maskRows, colourRows;
    if (!ReadBottomUpRows(screen, info.hbmMask, width, maskHeight, maskRows))
        return E_FAIL;
    if (!monochrome && !ReadBottomUpRows(screen, info.hbmColor, width, height, colourRows))
        return E_FAIL;
    // A monochrome cursor's XOR image is the lower half of its mask, which comes first
    // bottom-up, so its rows are found with the image height like a colour bitmap's.
    const std::vector<uint32_t>& colourSource = monochrome ? maskRows : colourRows;

    image.width = UINT(width);
    image.height = UINT(height);
    image.hotSpotX = info.xHotspot;
    image.hotSpotY = info.yHotspot;
    image.pixels.assign(size_t(width) * size_t(height), 0);
    for (LONG y = 0; y < height; ++y) {
        const uint32_t* colourRow = &colourSource[size_t(height - 1 - y) * width];
        const uint32_t* maskRow = &maskRows[size_t(maskHeight - 1 - y) * width];
        for (LONG x = 0; x < width; ++x) {
            if ((maskRow[x] & 0x00FFFFFF) == 0)
                image.pixels[size_t(y) * width + x] = colourRow[x] | 0xFF000000;
        }
    }
    if (watermark)
        AddWatermark(image);
    return S_OK;
}

HRESULT SetDeviceCursorFromIcon(IDirect3DDevice9* device, HCURSOR cursor, BOOL watermark) {
    CursorImage image;
    HRESULT hr = ReadCursorImage(cursor, watermark, image);
    if (FAILED(hr))
        return hr;
    ComRef<IDirect3DSurface9> surface;
    hr = device->CreateOffscreenPlainSurface(image.width, image.height, D3DFMT_A8R8G8B8,
                                             D3DPOOL_SCRATCH, surface.put(), nullptr);
    if (FAILED(hr))
        return hr;
    D3DLOCKED_RECT locked = {};
    hr = surface->LockRect(&locked, nullptr, 0);
    if (SUCCEEDED(hr)) {
        for (UINT y = 0; y < image.height; ++y) {
            memcpy(static_cast<BYTE*>(locked.pBits) + size_t(y) * locked.Pitch,
                   &image.pixels[size_t(y) * image.width], image.width * sizeof(uint32_t));
        }
        surface->UnlockRect();
        hr = device->SetCursorProperties(image.hotSpotX, image.hotSpotY, surface);
    }
    return hr;
}
