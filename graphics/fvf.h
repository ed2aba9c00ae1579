#pragma once
// Flexible vertex formats: the size of a vertex and the declaration elements it stands for.
// Portable: the Direct3D 9 bit values and declaration codes under our own names.
#include <cstdint>

namespace fvf {

const uint32_t kPositionMask = 0x400E;
const uint32_t kXyz = 0x002;
const uint32_t kXyzRhw = 0x004;
const uint32_t kXyzB1 = 0x006;
const uint32_t kXyzB5 = 0x00E;
const uint32_t kXyzW = 0x4002;
const uint32_t kNormal = 0x010;
const uint32_t kPointSize = 0x020;
const uint32_t kDiffuse = 0x040;
const uint32_t kSpecular = 0x080;
const uint32_t kTexCountMask = 0xF00;
const uint32_t kTexCountShift = 8;
const uint32_t kTex1 = 0x100;
const uint32_t kLastBetaUByte4 = 0x1000;
const uint32_t kLastBetaColor = 0x8000;
// Two bits per texture set from bit 16: 0 two floats, 1 three, 2 four, 3 one.
const uint32_t kTexFormatShift = 16;

// Declaration codes (D3DDECLTYPE_*, D3DDECLUSAGE_*).
enum DeclType : uint8_t {
    kFloat1 = 0, kFloat2 = 1, kFloat3 = 2, kFloat4 = 3, kColor = 4, kUByte4 = 5,
    kUnused = 17
};
enum DeclUsage : uint8_t {
    kUsagePosition = 0, kUsageBlendWeight = 1, kUsageBlendIndices = 2, kUsageNormal = 3,
    kUsagePointSize = 4, kUsageTexCoord = 5, kUsagePositionT = 9, kUsageColor = 10
};

// D3DVERTEXELEMENT9's layout.
struct VertexElement {
    uint16_t stream;
    uint16_t offset;
    uint8_t type;
    uint8_t method;
    uint8_t usage;
    uint8_t usageIndex;
};
static_assert(sizeof(VertexElement) == 8, "D3DVERTEXELEMENT9 is 8 bytes");

// Room for every element of a format plus the end marker.
const int kMaxElements = 65;

// True when the format uses only known bits, has at most 8 texture sets and a position.
bool isValid(uint32_t format);
// Bytes per vertex (0 for an invalid format).
uint32_t vertexSize(uint32_t format);
// Size in bytes of one element of the given declaration type.
uint32_t declTypeSize(uint8_t type);
// Fills the elements of the format in vertex order, then the end marker (stream 0xFF, type
// unused). Returns the element count without the marker; 0 for an invalid format.
int toDeclaration(uint32_t format, VertexElement out[kMaxElements]);

}  // namespace fvf
