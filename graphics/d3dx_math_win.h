#pragma once
// Hands our matrices to Direct3D: D3DXMATRIX has D3DMATRIX's layout (16 floats, row-major).
#include <d3d9.h>

#include "graphics/d3dx_math.h"

static_assert(sizeof(D3DMATRIX) == sizeof(D3DXMATRIX), "same sixteen floats");

inline const D3DMATRIX* asD3DMatrix(const D3DXMATRIX* matrix) {
    return reinterpret_cast<const D3DMATRIX*>(matrix);
}
