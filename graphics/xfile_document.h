#pragma once
// Walks the data objects of a whole X file body: top-level Meshes and named Materials, and
// Frame hierarchies with their FrameTransformMatrix; everything else is skipped.
#include "graphics/mesh_content.h"
#include "graphics/xfile_lexer.h"

// Reads every mesh of the token stream into `out` (merged, transformed by its frames).
// A stream without any triangle is Malformed.
XReadStatus readXDocument(XLexer& lexer, MeshContent& out);
