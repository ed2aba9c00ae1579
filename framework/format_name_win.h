#pragma once
// Names of Direct3D surface formats, for the statistics texts.
#include <windows.h>
#include <d3d9.h>

// The constant's name ("D3DFMT_X8R8G8B8"), or just what follows "D3DFMT_" ("X8R8G8B8") when
// `withPrefix` is false; "Unknown format" for values the table does not know.
const char* FormatName(D3DFORMAT format, bool withPrefix);
