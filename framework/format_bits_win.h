#pragma once
// Bit counts of the Direct3D formats the device catalog compares with its requirements.
// Formats the tables do not know count 0 bits.
#include <windows.h>
#include <d3d9.h>

UINT ColorChannelBits(D3DFORMAT format);
UINT AlphaChannelBits(D3DFORMAT format);
UINT DepthBits(D3DFORMAT format);
UINT StencilBits(D3DFORMAT format);
