#pragma once
// Triangle strips. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

// Strips one after another: strip k has lengths[k] triangles and lengths[k] + 2 indices.
// Triangle i of a strip is (s[i], s[i+1], s[i+2]) for even i and (s[i+1], s[i], s[i+2]) for
// odd i, which is how Direct3D draws a strip; each is one input face with its winding.
struct StripSet {
    std::vector<uint32_t> indices;
    std::vector<uint32_t> lengths;
};

// Cuts faces (3 vertex ids each, all below vertexCount) into strips that cover every face
// exactly once with its winding kept. Strips follow shared edges greedily, starting where the
// fewest unstripped neighbours are and going the longest of the three ways.
StripSet buildStrips(const uint32_t* corners, size_t faceCount, uint32_t vertexCount);

// Joins the strips into one by degenerate triangles, every strip keeping its windings. Next
// comes, when there is one, a strip that can start at the index where the last one ended
// (from its first index, turned round from its last, or a single triangle from any corner):
// one or two repeated indices join it. Otherwise the next strip in order follows a bridge of
// the last index (once or twice) and the strip's first.
std::vector<uint32_t> joinStrips(const StripSet& strips);
