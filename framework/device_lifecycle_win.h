#pragma once
// The device's life cycle. The steps are members of CD3DApplication, all written in
// device_lifecycle_win.cpp, and each tells the application about its resources:
//   create   InitializeDevice: window style for the mode, presentation parameters,
//            CreateDevice (a failed hardware device is tried once more as a windowed
//            reference device), then CreateDeviceResources and RestoreDeviceResources.
//   reset    ResetDevice, after a size change (HandleSizeChange) or a lost device:
//            InvalidateDeviceResources, Reset, RestoreDeviceResources.
//   release  ReleaseDevice: InvalidateDeviceResources, DeleteDeviceResources, then the last
//            reference; one left over anywhere is reported.
//   switch   SwitchWindowedFullscreen: flips the mode and the window style, then resets the
//            device when the adapter and device type stay, or releases and creates it anew.
#include <windows.h>
#include <d3d9.h>

#include "framework/d3d_enumeration_win.h"

// Behaviour flags of CreateDevice for a vertex processing kind; 0 for an unknown kind.
DWORD BehaviorFlagsFor(VertexProcessingType kind);
