#include "graphics/fvf.h"

namespace fvf {
namespace {

const uint32_t kKnownLowBits = kPositionMask | kNormal | kPointSize | kDiffuse | kSpecular |
                               kTexCountMask | kLastBetaUByte4 | kLastBetaColor;

uint32_t positionKind(uint32_t format) { return format & kPositionMask; }

bool isBlended(uint32_t format) {
    const uint32_t kind = positionKind(format);
    return kind >= kXyzB1 && kind <= kXyzB5;
}

// Number of beta values after the position of an XYZBn format (n), else 0.
uint32_t betaCount(uint32_t format) {
    return isBlended(format) ? (positionKind(format) - kXyzRhw) / 2 : 0;
}

uint32_t lastBetaFlags(uint32_t format) { return format & (kLastBetaUByte4 | kLastBetaColor); }

uint32_t texCount(uint32_t format) { return (format & kTexCountMask) >> kTexCountShift; }

// Floats in texture set i: format code 0 -> 2, 1 -> 3, 2 -> 4, 3 -> 1.
uint32_t texFloats(uint32_t format, uint32_t set) {
    static const uint32_t kFloats[4] = {2, 3, 4, 1};
    return kFloats[(format >> (kTexFormatShift + 2 * set)) & 3];
}

uint8_t floatType(uint32_t floats) { return uint8_t(kFloat1 + floats - 1); }

struct DeclarationBuilder {
    VertexElement* out;
    int count = 0;
    uint16_t offset = 0;

    void add(uint8_t type, uint8_t usage, uint8_t usageIndex) {
        out[count++] = {0, offset, type, 0, usage, usageIndex};
        offset = uint16_t(offset + declTypeSize(type));
    }
    void end() { out[count] = {0xFF, 0, kUnused, 0, 0, 0}; }
};

void addPosition(uint32_t format, DeclarationBuilder& builder) {
    const uint32_t kind = positionKind(format);
    if (kind == kXyzRhw) {
        builder.add(kFloat4, kUsagePositionT, 0);
        return;
    }
    builder.add(kind == kXyzW ? kFloat4 : kFloat3, kUsagePosition, 0);
    const uint32_t betas = betaCount(format);
    const uint32_t weights = lastBetaFlags(format) ? betas - 1 : betas;
    if (weights > 0) builder.add(floatType(weights), kUsageBlendWeight, 0);
    if (format & kLastBetaUByte4) builder.add(kUByte4, kUsageBlendIndices, 0);
    if (format & kLastBetaColor) builder.add(kColor, kUsageBlendIndices, 0);
}

}  // namespace

bool isValid(uint32_t format) {
    if (format & 0xFFFF & ~kKnownLowBits) return false;
    const uint32_t kind = positionKind(format);
    const bool knownPosition = kind == kXyz || kind == kXyzRhw || kind == kXyzW || isBlended(format);
    if (!knownPosition || texCount(format) > 8) return false;
    if (lastBetaFlags(format) == (kLastBetaUByte4 | kLastBetaColor)) return false;
    if (lastBetaFlags(format) && !isBlended(format)) return false;
    // Five weights do not fit one element; the fifth beta must be blend indices.
    return !(kind == kXyzB5 && !lastBetaFlags(format));
}

uint32_t declTypeSize(uint8_t type) {
    // FLOAT1..4, D3DCOLOR, UBYTE4, SHORT2, SHORT4, UBYTE4N, SHORT2N, SHORT4N, USHORT2N,
    // USHORT4N, UDEC3, DEC3N, FLOAT16_2, FLOAT16_4, UNUSED.
    static const uint8_t kSizes[18] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 4, 4, 4, 8, 0};
    return type < 18 ? kSizes[type] : 0;
}

int toDeclaration(uint32_t format, VertexElement out[kMaxElements]) {
    DeclarationBuilder builder{out};
    if (isValid(format)) {
        addPosition(format, builder);
        if (format & kNormal) builder.add(kFloat3, kUsageNormal, 0);
        if (format & kPointSize) builder.add(kFloat1, kUsagePointSize, 0);
        if (format & kDiffuse) builder.add(kColor, kUsageColor, 0);
        if (format & kSpecular) builder.add(kColor, kUsageColor, 1);
        for (uint32_t set = 0; set < texCount(format); ++set)
            builder.add(floatType(texFloats(format, set)), kUsageTexCoord, uint8_t(set));
    }
    builder.end();
    return builder.count;
}

uint32_t vertexSize(uint32_t format) {
    VertexElement elements[kMaxElements];
    const int count = toDeclaration(format, elements);
    uint32_t size = 0;
    for (int i = 0; i < count; ++i) size += declTypeSize(elements[i].type);
    return size;
}

}  // namespace fvf
