#pragma once
// Planar projection of mesh positions onto texture space: the mesh is seen along one axis,
// optionally mirrored, and its extent is stretched to the unit square so that it covers the
// bitmap once. Portable: no window or device is involved.
#include <cstdint>
#include <vector>

#include "graphics/surface_projection.h"
#include "threeds/mesh_record.h"

// The plane boxes of the Plane Select dialog; their ids are the values of g_planeChoice.
enum PlaneChoice : int32_t {
    PlaneNone = 0,
    PlaneXY = 1033,
    PlaneYZ = 1034,
    PlaneXZ = 1035,
};

// Text of the box that names the chosen plane ("xy", "yz", "xz"); null for any other value.
const char* planeName(int32_t plane);

// The (s, t) of every position seen on `plane`: xy gives (x, y), yz gives (z, y), xz (x, z).
// Returns false, leaving `out` empty, when `plane` is none of the three.
bool planeCoordinates(const std::vector<Vertex3ds>& positions, int32_t plane,
                      std::vector<PlanePoint>& out);

// Mirrors s (reverseU) and t (reverseV): every value becomes (largest - smallest) - value,
// which turns the axis round without changing its extent.
void mirrorPlaneCoordinates(std::vector<PlanePoint>& points, bool reverseU, bool reverseV);

// Moves the smallest s and t to 0 and divides by the extent, so both run over 0 ... 1.
// An axis without extent (a flat mesh seen edge-on) maps every point to 0 on that axis
// rather than to infinities.
void normalisePlaneCoordinates(std::vector<PlanePoint>& points);
