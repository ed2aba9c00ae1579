#pragma once
// The record through which a 3DS file is exchanged with the editor: the reader fills the first
// record of g_meshRecords, the writer writes it. Plain data; every array owns its entries.
#include <cstdint>
#include <list>
#include <vector>

constexpr uint32_t kMaxMaterials = 10;
// A 3DS file keeps its vertex and face counts (and vertex indices) in 16 bits.
constexpr uint32_t kMax3dsListCount = 0xFFFF;
constexpr int kRecordTextLength = 255;

struct Vertex3ds {
    float x, y, z;
};
struct TexCoord3ds {
    float u, v;
};
struct Face3ds {
    uint32_t a, b, c;
};
static_assert(sizeof(Vertex3ds) == 12, "vertices are copied to and from the file in bulk");
static_assert(sizeof(TexCoord3ds) == 8, "texture coordinates are copied in bulk");

struct MaterialInfo {
    char name[kRecordTextLength] = {};
    char textureFileName[kRecordTextLength] = {};  // empty when the material has no texture map
};

// The counts are the sizes of the arrays: vertexCount() == vertices.size(), and so on.
struct MeshRecord {
    int32_t materialIndex = -1;   // material matched by the face-material chunk, -1 for none
    bool hasTexture = false;      // the matched material names a texture file
    char objectName[kRecordTextLength] = {};
    std::vector<Vertex3ds> vertices;
    std::vector<Vertex3ds> normals;
    std::vector<TexCoord3ds> texCoords;
    std::vector<Face3ds> faces;   // indices into vertices
    uint32_t materialCount = 0;   // entries of materials in use, at most kMaxMaterials
    MaterialInfo materials[kMaxMaterials];

    uint32_t vertexCount() const { return uint32_t(vertices.size()); }
    uint32_t faceCount() const { return uint32_t(faces.size()); }
    uint32_t texCoordCount() const { return uint32_t(texCoords.size()); }
};

// Texture file name of the last material in use, or "" when the record has no material. The
// editor stores the texture it saves there and reads the one a file names from there.
const char* lastTextureFileName(const MeshRecord& record);

// The records being read or written; the reader and the writer use the first one.
extern std::list<MeshRecord> g_meshRecords;
