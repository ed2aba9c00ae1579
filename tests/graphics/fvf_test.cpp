// Vertex sizes and declarations of flexible vertex formats, worked out from the format bits.
#include "graphics/fvf.h"

#include <gtest/gtest.h>

using namespace fvf;

TEST(Fvf, VertexSizeOfEveryPositionKindComponentAndTextureSet) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {kXyz, 12}, {kXyzRhw, 16}, {kXyzW, 16}, {0x006, 16}, {0x008, 20}, {0x00A, 24}, {0x00C, 28},
        {kXyzB5 | kLastBetaUByte4, 32}, {0x008 | kLastBetaColor, 20}, {kXyz | kNormal | kTex1, 32},
        {kXyz | kNormal | kDiffuse | kSpecular | kPointSize, 36},
        // Set 0 with three floats, set 1 with four, set 2 with one.
        {kXyz | 3 << kTexCountShift | 1u << 16 | 2u << 18 | 3u << 20, 12 + 12 + 16 + 4},
        // Invalid: no position, nine sets, a reserved bit, betas without blending, five weights.
        {0, 0}, {kNormal | kTex1, 0}, {kXyz | 9 << kTexCountShift, 0}, {kXyz | 0x001, 0}, {kXyz | kLastBetaUByte4, 0},
        {kXyzB5, 0}, {0x006 | kLastBetaUByte4 | kLastBetaColor, 0}};
    for (const auto& [format, size] : cases)
        EXPECT_EQ(size, vertexSize(format)) << std::hex << format;
    for (uint32_t sets = 0; sets <= 8; ++sets)
        EXPECT_EQ(12 + 8 * sets, vertexSize(kXyz | sets << kTexCountShift));
}

TEST(Fvf, DeclarationListsTheElementsInVertexOrderThenTheEndMarker) {
    VertexElement e[kMaxElements];
    // B4 with indices: three weights; set 1 has one float. Each: offset, type, usage, usage index.
    const uint32_t format = 0x00C | kLastBetaUByte4 | kNormal | kDiffuse | kSpecular | 2 << kTexCountShift | 3u << 18;
    const std::vector<std::vector<int>> expected = {
        {0, kFloat3, kUsagePosition, 0}, {12, kFloat3, kUsageBlendWeight, 0}, {24, kUByte4, kUsageBlendIndices, 0},
        {28, kFloat3, kUsageNormal, 0},  {40, kColor, kUsageColor, 0},        {44, kColor, kUsageColor, 1},
        {48, kFloat2, kUsageTexCoord, 0}, {56, kFloat1, kUsageTexCoord, 1},    {0, kUnused, 0, 0}};
    ASSERT_EQ(8, toDeclaration(format, e));
    for (int i = 0; i <= 8; ++i)
        EXPECT_EQ(expected[i], (std::vector<int>{e[i].offset, e[i].type, e[i].usage, e[i].usageIndex})) << "element " << i;
    EXPECT_EQ(std::make_pair(0, 0xFF), std::make_pair(int(e[0].stream), int(e[8].stream)));
    ASSERT_EQ(1, toDeclaration(kXyzRhw, e));
    EXPECT_EQ(std::make_pair(kUsagePositionT, kFloat4), std::make_pair(DeclUsage(e[0].usage), DeclType(e[0].type)));
    EXPECT_EQ(0, toDeclaration(kXyzB5, e));
    EXPECT_EQ(0xFF, e[0].stream);
    EXPECT_EQ(std::make_pair(8u, 0u), std::make_pair(declTypeSize(16), declTypeSize(200)));  // FLOAT16_4, none
}
