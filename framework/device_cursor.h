#pragma once
// Turns a Windows cursor into the device's hardware cursor, for fullscreen mode.
#include <windows.h>
#include <d3d9.h>

// Copies `cursor` (monochrome or colour) into a 32-bit surface, transparent where its mask is
// set, optionally marks the top-left corner with a small watermark, and gives it to the device
// with the cursor's hot spot. Returns E_FAIL when the cursor's bitmaps cannot be read, or the
// device's result.
HRESULT SetDeviceCursorFromIcon(IDirect3DDevice9* device, HCURSOR cursor, BOOL watermark);
