// Vertex sizes and declarations of flexible vertex formats, worked out from the format bits.
#include "graphics/fvf.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    uint32_t format;
    uint32_t size;
};

}  // namespace

TEST(Fvf, VertexSizeOfEveryPositionKindAndComponent) {
    const SizeCase cases[] = {
        {fvf::kXyz, 12},
        {fvf::kXyzRhw, 16},
        {fvf::kXyzW, 16},
        {0x006, 16}, {0x008, 20}, {0x00A, 24}, {0x00C, 28},     // XYZB1..B4
        {0x00E | fvf::kLastBetaUByte4, 32},                       // XYZB5 with indices
        {0x008 | fvf::kLastBetaColor, 20},
        {fvf::kXyz | fvf::kNormal, 24},
        {fvf::kXyz | fvf::kPointSize, 16},
        {fvf::kXyz | fvf::kDiffuse, 16},
        {fvf::kXyz | fvf::kSpecular, 16},
        {fvf::kXyz | fvf::kNormal | fvf::kTex1, 32},              // the editor's layout
        {0x112, 32},
        {fvf::kXyz | fvf::kNormal | fvf::kDiffuse | fvf::kSpecular | fvf::kPointSize, 36},
    };
    for (const SizeCase& c : cases) EXPECT_EQ(c.size, fvf::vertexSize(c.format)) << c.format;
}

TEST(Fvf, TextureSetsTakeTheirCoordinateCounts) {
    for (uint32_t sets = 0; sets <= 8; ++sets)
        EXPECT_EQ(12 + 8 * sets, fvf::vertexSize(fvf::kXyz | sets << fvf::kTexCountShift));
    // Set 0 with three floats, set 1 with four, set 2 with one.
    const uint32_t format = fvf::kXyz | 3 << fvf::kTexCountShift | 1u << 16 | 2u << 18 | 3u << 20;
    EXPECT_EQ(12u + 12 + 16 + 4, fvf::vertexSize(format));
}

TEST(Fvf, InvalidFormatsHaveNoSize) {
    EXPECT_EQ(0u, fvf::vertexSize(0));                                  // no position
    EXPECT_EQ(0u, fvf::vertexSize(fvf::kNormal | fvf::kTex1));
    EXPECT_EQ(0u, fvf::vertexSize(fvf::kXyz | 9 << fvf::kTexCountShift));
    EXPECT_EQ(0u, fvf::vertexSize(fvf::kXyz | 0x001));                  // reserved bit
    EXPECT_EQ(0u, fvf::vertexSize(fvf::kXyz | fvf::kLastBetaUByte4));   // no betas
    EXPECT_EQ(0u, fvf::vertexSize(fvf::kXyzB5));                        // five weights
    EXPECT_FALSE(fvf::isValid(0x006 | fvf::kLastBetaUByte4 | fvf::kLastBetaColor));
}

TEST(Fvf, DeclarationOfTheEditorLayoutEndsWithTheMarker) {
    fvf::VertexElement elements[fvf::kMaxElements];
    ASSERT_EQ(3, fvf::toDeclaration(0x112, elements));
    EXPECT_EQ(0, elements[0].offset);
    EXPECT_EQ(fvf::kFloat3, elements[0].type);
    EXPECT_EQ(fvf::kUsagePosition, elements[0].usage);
    EXPECT_EQ(12, elements[1].offset);
    EXPECT_EQ(fvf::kUsageNormal, elements[1].usage);
    EXPECT_EQ(24, elements[2].offset);
    EXPECT_EQ(fvf::kFloat2, elements[2].type);
    EXPECT_EQ(fvf::kUsageTexCoord, elements[2].usage);
    EXPECT_EQ(0xFF, elements[3].stream);
    EXPECT_EQ(0, elements[3].offset);
    EXPECT_EQ(fvf::kUnused, elements[3].type);
    EXPECT_EQ(0, elements[3].usage);
}

TEST(Fvf, DeclarationOfBlendingColoursAndTextureSets) {
    fvf::VertexElement e[fvf::kMaxElements];
    const uint32_t format = 0x00C | fvf::kLastBetaUByte4 | fvf::kDiffuse | fvf::kSpecular |
                            2 << fvf::kTexCountShift | 3u << 18;  // set 1 has one float
    ASSERT_EQ(7, fvf::toDeclaration(format, e));
    EXPECT_EQ(fvf::kUsageBlendWeight, e[1].usage);
    EXPECT_EQ(fvf::kFloat3, e[1].type);  // B4 with indices: three weights
    EXPECT_EQ(12, e[1].offset);
    EXPECT_EQ(fvf::kUsageBlendIndices, e[2].usage);
    EXPECT_EQ(fvf::kUByte4, e[2].type);
    EXPECT_EQ(24, e[2].offset);
    EXPECT_EQ(fvf::kUsageColor, e[3].usage);
    EXPECT_EQ(0, e[3].usageIndex);
    EXPECT_EQ(1, e[4].usageIndex);
    EXPECT_EQ(fvf::kFloat2, e[5].type);
    EXPECT_EQ(0, e[5].usageIndex);
    EXPECT_EQ(fvf::kFloat1, e[6].type);
    EXPECT_EQ(1, e[6].usageIndex);
    EXPECT_EQ(44, e[6].offset);
    fvf::toDeclaration(fvf::kXyzRhw, e);
    EXPECT_EQ(fvf::kUsagePositionT, e[0].usage);
    EXPECT_EQ(fvf::kFloat4, e[0].type);
}

TEST(Fvf, DeclarationTypeSizes) {
    EXPECT_EQ(4u, fvf::declTypeSize(fvf::kFloat1));
    EXPECT_EQ(16u, fvf::declTypeSize(fvf::kFloat4));
    EXPECT_EQ(4u, fvf::declTypeSize(fvf::kColor));
    EXPECT_EQ(8u, fvf::declTypeSize(16));  // FLOAT16_4
    EXPECT_EQ(0u, fvf::declTypeSize(fvf::kUnused));
    EXPECT_EQ(0u, fvf::declTypeSize(200));
}
