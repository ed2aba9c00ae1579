#pragma once
// Turns a Windows cursor into the device's hardware cursor, for fullscreen mode.
#include <windows.h>
#include <d3d9.h>
#include <cstdint>
#include <vector>

// A cursor's picture as the device cursor shows it.
struct CursorImage {
    UINT width = 0;
    UINT height = 0;
    DWORD hotSpotX = 0;
    DWORD hotSpotY = 0;
    std::vector<uint32_t> pixels;   // A8R8G8B8, top row first; 0 where the cursor is transparent
};

// Reads `cursor` (monochrome: AND mask above the XOR image in one bitmap; or colour): opaque
// colour where the AND mask is 0, transparent elsewhere. With `watermark` the 12 by 5 pixels
// at the top left carry a small light mark. E_FAIL when the cursor's bitmaps cannot be read
// or are larger than a cursor can be.
HRESULT ReadCursorImage(HCURSOR cursor, BOOL watermark, CursorImage& image);

// Copies the cursor's image into a scratch surface and gives it to the device with the
// cursor's hot spot. Returns E_FAIL when the cursor cannot be read, or the device's result.
HRESULT SetDeviceCursorFromIcon(IDirect3DDevice9* device, HCURSOR cursor, BOOL watermark);
