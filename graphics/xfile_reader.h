#pragma once
// Reads a DirectX X file (text or binary, format 0302/0303, 32- or 64-bit floats) into one
// MeshContent: every Mesh of the file, each moved by the FrameTransformMatrix of the Frames
// around it, merged into one triangle mesh. Polygons become fans; a position used with
// different normals becomes several vertices (the extra ones after the file's own); normals,
// texture coordinates and colours are filled only when the file has them; materials come from
// each mesh's MeshMaterialList, inline or referenced by name.
#include <cstddef>
#include <cstdint>

#include "graphics/mesh_content.h"

enum class XReadStatus {
    Ok,
    NotXFile,      // no "xof " signature
    Unsupported,   // another version, compressed, or an unknown float size
    Truncated,     // the input ends inside a token or an object, or a count exceeds it
    Malformed,     // unexpected token, bad number, no mesh, or inconsistent counts
    BadIndex,      // a face, normal, colour or material index past its array
    TooDeep,       // objects nested deeper than kXFileMaxNesting
    OutOfMemory
};

// Deepest nesting of data objects (and of braces in skipped objects) that is read.
constexpr int kXFileMaxNesting = 128;

// Reads the whole file image data[0, size). On failure out is left empty.
XReadStatus readXFile(const uint8_t* data, size_t size, MeshContent& out);

// Reads the file at path (a missing or unreadable file is NotXFile; one too large for memory
// is OutOfMemory), then as readXFile.
XReadStatus loadXFile(const char* path, MeshContent& out);

// A short English name of a status, for traces.
const char* xReadStatusName(XReadStatus status);
