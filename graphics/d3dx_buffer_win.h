#pragma once
// Creating the library's byte buffers from data.
#include <cstddef>

#include "graphics/d3dx_win.h"

// A buffer holding a copy of data[0, size) (zeros when data is null).
HRESULT createBuffer(const void* data, size_t size, ID3DXBuffer** ppBuffer);
