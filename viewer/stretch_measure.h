#pragma once
// How much each triangle's texture is stretched or compressed in the pane: its area there
// against its area on the mesh, relative to the same ratio of the whole mesh. Portable.
#include <array>
#include <cstdint>
#include <vector>

#include "viewer/point_list.h"

// The mesh's side of the measure: the triangles (three corners each; corner k is point k and
// vertex k) and each one's area on the mesh.
struct StretchFaces {
    std::vector<uint32_t> corners;
    std::vector<float> areas;
};

// The faces of a mesh from its positions and 16-bit indices, three per face. Faces with a
// corner not below the position count are left out.
void buildStretchFaces(const std::vector<std::array<float, 3>>& positions, const uint16_t* indices,
                       uint32_t faceCount, StretchFaces& out);

// One value per face: log2 of (its area in the pane / its area on the mesh) over the mesh's
// (total area in the pane / total area on the mesh). 0 where a face has its share of the
// texture, +1 where it takes twice its share (stretched), -1 where half (compressed); kept
// within -8 ... +8, so a face collapsed in the pane reads -8. Faces without area on the mesh,
// with a corner beyond the points, or whose ratio is not finite get 0 and count for nothing in
// the totals; every face gets 0 when the totals have no ratio.
void measureStretch(const StretchFaces& faces, const PointList& points, std::vector<float>& out);

// `pixel` (0x00RRGGBB) tinted by a face's measure: toward red for stretched faces, toward blue
// for compressed ones, the more the further the measure is from 0, fully so from +-1 on.
// A measure of 0 leaves the pixel as it is.
uint32_t stretchTint(uint32_t pixel, float measure);
