#pragma once
// The strips of one subset of a mesh, as the strip calls ask for them. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/strips.h"

// The corners of the faces whose attribute is `attribId`, in face order; false when one of
// them has an index past the vertices.
template <class Attribute>
bool subsetCorners(const uint16_t* indices, const Attribute* attributes, size_t faceCount,
                   uint32_t attribId, uint32_t vertexCount, std::vector<uint32_t>& corners) {
    corners.clear();
    corners.reserve(3 * faceCount);
    for (size_t face = 0; face < faceCount; ++face) {
        if (attributes[face] != attribId) continue;
        for (int k = 0; k < 3; ++k) {
            if (indices[3 * face + k] >= vertexCount) return false;
            corners.push_back(indices[3 * face + k]);
        }
    }
    return true;
}

// buildStrips of the corners. The single strip and the strips of a subset are asked for one
// after the other, and the second call finds the very same faces: the last cut is kept, and
// handed over (and forgotten) when it matches, so that it holds memory only between the two.
StripSet cutSubsetStrips(const std::vector<uint32_t>& corners, uint32_t vertexCount);
