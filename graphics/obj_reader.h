#pragma once
// Reads a Wavefront OBJ file into one MeshContent the editor can hold: one vertex per distinct
// (position, texture coordinate, normal) triple of the faces' corners, polygons as fans,
// turned from the file's right-handed space into Direct3D's left-handed one (z negated, each
// triangle's winding reversed), so that the mesh looks as it does in the tool that wrote it;
// negative indices counted back from the last element read, one material per `usemtl` name in
// the order of first use. Texture coordinates are kept with v running down the image, as
// Direct3D samples it (the file's v is flipped: 1 - v). Normals are kept only when every
// corner names one, texture coordinates when any does (the others get 0, 0).
// Objects and groups are kept as runs of faces so that a saved file has them again.
// Portable. Never reads outside data[0, size).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/mesh_content.h"

enum class ObjReadStatus {
    Ok,
    Malformed,         // a number that is no number (NaN and infinities too), a face of < 3 corners
    BadIndex,          // an index of 0, past the elements read so far, or missing
    NoFaces,           // no face at all
    TooManyVertices,   // more distinct corners than kObjMaxVertices
    OutOfMemory,
};

// A 16-bit index buffer names at most this many vertices.
constexpr uint32_t kObjMaxVertices = 65535;

// The faces from firstFace up to the next run's firstFace belong to this object and group.
struct ObjFaceRun {
    uint32_t firstFace = 0;
    std::string object;   // empty when the file names none
    std::string group;
};

struct ObjMesh {
    MeshContent mesh;                         // materials: the MTL's data where it has the name
    std::vector<std::string> materialNames;   // the `usemtl` name of each material
    std::string materialLibrary;              // the first `mtllib` file name, or empty
    std::vector<ObjFaceRun> runs;             // in face order, the first at face 0
};

struct ObjReadResult {
    ObjReadStatus status = ObjReadStatus::Ok;
    uint32_t line = 0;            // the line at fault (1-based), 0 when none is
    uint32_t vertexCount = 0;     // the distinct corners found, for TooManyVertices
};

// Reads the file image data[0, size). On failure out is left empty.
ObjReadResult readObj(const char* data, size_t size, ObjMesh& out);

// A sentence for the user about a failed read, naming the line.
std::string objReadMessage(const ObjReadResult& result);

// Fills the materials of `mesh` from an MTL file image: diffuse (Kd), specular (Ks), power
// (Ns), emissive (Ke), opacity (d) and the map_Kd texture file name, for every material whose
// name the library defines. Lines the reader does not know are skipped.
void applyMtl(const char* data, size_t size, ObjMesh& mesh);
