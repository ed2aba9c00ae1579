#pragma once
// Writes an ObjMesh as Wavefront OBJ text, and its materials as an MTL library. Portable.
#include <string>

#include "graphics/obj_reader.h"

// OBJ text: the `mtllib` reference, then equal positions, texture coordinates and normals
// each written once (v flipped back to the file's upward v, z and the winding back to the
// file's right-handed space), then the faces in order with
// their objects (`o`), groups (`g`) and materials (`usemtl`) where they change. Reading the
// text back gives the same triangles, coordinates and runs.
std::string writeObj(const ObjMesh& mesh);

// MTL text: one `newmtl` per named material with its colours, power, opacity and map_Kd.
std::string writeMtl(const ObjMesh& mesh);
