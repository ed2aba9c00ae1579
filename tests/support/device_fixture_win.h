#pragma once
// A real Direct3D 9 device on a hidden window, for tests of code that needs one.
#include <windows.h>
#include <d3d9.h>

#include "base/com_ref.h"
#include "tests/support/window_capture_win.h"

struct TestDevice {
    HWND window = nullptr;
    ComRef<IDirect3D9> d3d;
    ComRef<IDirect3DDevice9> device;
};

// HAL, windowed, X8R8G8B8 back buffer of the given size, automatic depth buffer (D24S8, else
// D16), software vertex processing so that it works on any adapter. False when none can be made.
bool makeTestDevice(TestDevice& out, int width = 256, int height = 256);

// Releases the device and the Direct3D object and destroys the window. Returns the device's
// reference count after its release (0 when nothing leaked a reference to it).
ULONG releaseTestDevice(TestDevice& device);

// What the device's first render target holds now, read back through a system-memory copy;
// empty when it cannot be read.
Capture captureRenderTarget(IDirect3DDevice9* device);
