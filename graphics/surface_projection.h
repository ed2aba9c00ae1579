#pragma once
// Texture coordinates projected from a mesh's shape: onto an axis plane, box (every vertex from
// the axis plane its normal faces most), cylinder and sphere about an axis, and onto the plane
// of a view. The results are raw: the caller mirrors and normalises them to the bitmap as it
// does a planar projection. Portable: no window or device is involved.
#include <cstdint>
#include <vector>

#include "graphics/d3dx_math.h"

// Texture-space coordinates of one vertex, each 0 ... 1 over the mesh after normalising.
struct PlanePoint {
    float s = 0.0f;
    float t = 0.0f;
};

// The axis a plane is seen along, or a cylinder or sphere is turned about.
enum class Axis : int { X, Y, Z };

// (s, t) of `p` on the plane seen along `axis`: along z (the xy plane) (x, y), along x (the yz
// plane) (z, y), along y (the xz plane) (x, z).
PlanePoint planePointAlong(const D3DXVECTOR3& p, Axis axis);

// The axis `normal` points along most (by absolute value). Ties go to z, then y: a corner
// facing as much one way as another takes the xy plane, the front view's.
Axis dominantAxis(const D3DXVECTOR3& normal);

enum class ProjectionKind : int { Box, Cylinder, Sphere, View };

struct SurfaceProjection {
    ProjectionKind kind = ProjectionKind::Box;
    Axis axis = Axis::Y;          // of the cylinder and the sphere
    D3DXVECTOR3 viewRight{1, 0, 0};   // of the view, in the mesh's own space: the directions
    D3DXVECTOR3 viewUp{0, 1, 0};      // across and up the screen
};

// One PlanePoint per position, by the projection's kind:
// - Box: each vertex on the plane of its own normal's dominant axis, the normal being the
//   angle-weighted mean of its triangles' normals (as computeNormals makes it). The editor keeps
//   one point per vertex, so a vertex shared by triangles facing different planes takes the
//   plane most of its surroundings face; a vertex of no triangle takes the xy plane.
// - Cylinder: about the axis through the centre of the positions' bounding box. s follows the
//   angle around the axis, 0.5 in front (on -z; on -y about z) and 0 / 1 at the seam behind;
//   t is the height along the axis.
// - Sphere: about the same centre. s as the cylinder's; t the angle from the pole on the axis's
//   negative side (0) to the one on its positive side (1). Points on the axis take s = 0.5.
// - View: (p · viewRight, p · viewUp), an orthographic view of the mesh.
// Faces with an index not below the position count are left out of the box's normals.
void projectSurface(const SurfaceProjection& projection, const std::vector<D3DXVECTOR3>& positions,
                    const uint16_t* indices, uint32_t faceCount, std::vector<PlanePoint>& out);
