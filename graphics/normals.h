#pragma once
// Vertex normals from faces. Portable.
#include <cstdint>

// Each vertex's normal becomes the normalised sum of the normals of the faces using it,
// each weighted by the face's angle at that vertex; a face (a, b, c) faces the side from which
// it looks clockwise, as Direct3D culls. Positions are three floats at the start of each
// vertex, the normal three floats at normalOffset. Vertices of no face, or only of degenerate
// faces, get (0, 0, 0). Faces with an index not below vertexCount are skipped.
void computeNormals(uint8_t* vertices, uint32_t vertexCount, uint32_t stride,
                    uint32_t normalOffset, const uint16_t* indices, uint32_t faceCount);
