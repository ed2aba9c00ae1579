// The glyph sheet's arithmetic: margins, rows, sheet growth, the device width limit with its
// font scaling, and the conversion to A4R4G4B4 texels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "framework/glyph_sheet.h"

namespace {

// Every glyph the same size, as a monospaced font measures.
GlyphMetrics UniformMetrics(uint32_t width, uint32_t height) {
    GlyphMetrics metrics;
    for (GlyphSize& glyph : metrics.glyphs)
        glyph = {width, height};
    metrics.xHeight = height;
    return metrics;
}

// A font whose glyphs are `width` by `height` at scale 1 and shrink with the scale, plus
// `leading` pixels of line height that do not shrink.
GlyphMeasure ScalableFont(uint32_t width, uint32_t height, std::vector<float>* scales = nullptr,
                          uint32_t leading = 0) {
    return [=](float scale, GlyphMetrics& metrics) {
        if (scales)
            scales->push_back(scale);
        metrics = UniformMetrics(uint32_t(std::lround(width * scale)),
                                 uint32_t(std::lround(height * scale)) + leading);
        return true;
    };
}

TEST(GlyphSheet, MarginIsTheCeilingOfThreeTenthsOfTheXHeight) {
    EXPECT_EQ(GlyphMarginFor(0), 0u);
    EXPECT_EQ(GlyphMarginFor(10), 3u);
    EXPECT_EQ(GlyphMarginFor(11), 4u);
    EXPECT_EQ(GlyphMarginFor(19), 6u);
    EXPECT_EQ(GlyphMarginFor(20), 6u);
}

TEST(GlyphSheet, GlyphsGoInRowsAndRectanglesCarryTheMarginOnlySideways) {
    GlyphLayout layout;
    // 6 x 10 glyphs, margin 3: each takes 12 pixels; ten to a row of 128, rows 11 apart.
    ASSERT_TRUE(LayOutGlyphs(UniformMetrics(6, 10), 128, 128, layout));
    EXPECT_EQ(layout.margin, 3u);
    const GlyphPlacement& first = layout.glyphs[0];
    EXPECT_EQ(first.x, 3u);
    EXPECT_EQ(first.y, 0u);
    EXPECT_FLOAT_EQ(first.left, 0.0f);
    EXPECT_FLOAT_EQ(first.top, 0.0f);
    EXPECT_FLOAT_EQ(first.right, 12.0f / 128);
    EXPECT_FLOAT_EQ(first.bottom, 10.0f / 128);
    const GlyphPlacement& tenth = layout.glyphs[9];
    EXPECT_EQ(tenth.x, 3u + 9 * 12);
    EXPECT_EQ(tenth.y, 0u);
    const GlyphPlacement& eleventh = layout.glyphs[10];
    EXPECT_EQ(eleventh.x, 3u);
    EXPECT_EQ(eleventh.y, 11u);
    EXPECT_FLOAT_EQ(eleventh.left, 0.0f);
    EXPECT_FLOAT_EQ(eleventh.top, 11.0f / 128);
    EXPECT_FLOAT_EQ(eleventh.bottom, 21.0f / 128);
    const GlyphPlacement& last = layout.glyphs[kGlyphCount - 1];
    EXPECT_EQ(last.y, 9u * 11);
    EXPECT_EQ(last.x, 3u + 4 * 12);
}

TEST(GlyphSheet, LastRowFitsExactlyAtTheBottomAndNotOnePixelHigher) {
    GlyphLayout layout;
    // Ten rows of 10-pixel glyphs, 11 apart: the last ends at 9 * 11 + 10 = 109.
    EXPECT_TRUE(LayOutGlyphs(UniformMetrics(6, 10), 128, 109, layout));
    EXPECT_FALSE(LayOutGlyphs(UniformMetrics(6, 10), 128, 108, layout));
}

TEST(GlyphSheet, GlyphFitsARowExactlyUpToItsRightMargin) {
    GlyphLayout layout;
    // Width 123 holds x = 3 + 9 * 12 = 111, ending with its margin at 111 + 6 + 3 = 120 ... so
    // ten per row needs 120; at 119 the tenth glyph wraps.
    ASSERT_TRUE(LayOutGlyphs(UniformMetrics(6, 10), 120, 128, layout));
    EXPECT_EQ(layout.glyphs[9].y, 0u);
    ASSERT_TRUE(LayOutGlyphs(UniformMetrics(6, 10), 119, 128, layout));
    EXPECT_EQ(layout.glyphs[9].y, 11u);
    EXPECT_EQ(layout.glyphs[9].x, 3u);
}

TEST(GlyphSheet, SmallFontKeepsTheFirstSheet) {
    SheetChoice sheet = ChooseGlyphSheet(ScalableFont(6, 10), 4096);
    ASSERT_EQ(sheet.result, SheetResult::Ok);
    EXPECT_EQ(sheet.width, 128u);
    EXPECT_EQ(sheet.height, 128u);
    EXPECT_FLOAT_EQ(sheet.fontScale, 1.0f);
}

TEST(GlyphSheet, LargeFontDoublesBothSidesUntilEverythingFits) {
    // 40 x 60 glyphs with margin 18: 76 pixels each. 256 holds 3 per row (32 rows of 61);
    // 512 holds 6 (16 rows, 976 high); 1024 holds 13 (8 rows, 487 high).
    SheetChoice sheet = ChooseGlyphSheet(ScalableFont(40, 60), 4096);
    ASSERT_EQ(sheet.result, SheetResult::Ok);
    EXPECT_EQ(sheet.width, 1024u);
    EXPECT_EQ(sheet.height, 1024u);
    GlyphLayout layout;
    EXPECT_FALSE(LayOutGlyphs(sheet.metrics, 512, 512, layout));
}

TEST(GlyphSheet, DeviceWidthLimitGivesThatWidthAndScalesTheFontInTenPercentSteps) {
    std::vector<float> scales;
    // The unscaled leading keeps the font from fitting at exactly 256 / 1024 of its size.
    SheetChoice sheet = ChooseGlyphSheet(ScalableFont(40, 60, &scales, 12), 256);
    ASSERT_EQ(sheet.result, SheetResult::Ok);
    EXPECT_EQ(sheet.width, 256u);
    EXPECT_EQ(sheet.height, 256u);
    // Measured at 1, then at 256 / 1024, then down by 10 % each time until it fits.
    ASSERT_EQ(scales.size(), 4u);
    EXPECT_FLOAT_EQ(scales[0], 1.0f);
    EXPECT_FLOAT_EQ(scales[1], 0.25f);
    for (size_t i = 2; i < scales.size(); ++i)
        EXPECT_FLOAT_EQ(scales[i], scales[i - 1] * 0.9f);
    EXPECT_FLOAT_EQ(sheet.fontScale, scales.back());
    GlyphLayout layout;
    EXPECT_TRUE(LayOutGlyphs(sheet.metrics, 256, 256, layout));
    GlyphMetrics previous;
    ScalableFont(40, 60, nullptr, 12)(scales[scales.size() - 2], previous);
    EXPECT_FALSE(LayOutGlyphs(previous, 256, 256, layout));
}

TEST(GlyphSheet, WidthLimitThatAlreadyFitsNeedsNoScaling) {
    std::vector<float> scales;
    SheetChoice sheet = ChooseGlyphSheet(ScalableFont(40, 60, &scales), 1024);
    EXPECT_EQ(sheet.width, 1024u);
    EXPECT_FLOAT_EQ(sheet.fontScale, 1.0f);
    EXPECT_EQ(scales.size(), 1u);
}

TEST(GlyphSheet, FailuresOfMeasuringAndImpossibleFontsEndCleanly) {
    SheetChoice failed =
        ChooseGlyphSheet([](float, GlyphMetrics&) { return false; }, 4096);
    EXPECT_EQ(failed.result, SheetResult::MeasureFailed);

    int calls = 0;
    SheetChoice laterFailure = ChooseGlyphSheet(
        [&](float scale, GlyphMetrics& metrics) {
            metrics = UniformMetrics(uint32_t(40 * scale), uint32_t(60 * scale));
            return ++calls == 1;
        },
        256);
    EXPECT_EQ(laterFailure.result, SheetResult::MeasureFailed);

    // A glyph taller than any sheet could be.
    SheetChoice huge = ChooseGlyphSheet(
        [](float, GlyphMetrics& metrics) {
            metrics = UniformMetrics(10, 0x7FFFFFFF);
            return true;
        },
        4096);
    EXPECT_EQ(huge.result, SheetResult::TooLarge);

    // A font that does not shrink never fits a device limit below its size.
    SheetChoice stubborn = ChooseGlyphSheet(
        [](float, GlyphMetrics& metrics) {
            metrics = UniformMetrics(40, 60);
            return true;
        },
        256);
    EXPECT_EQ(stubborn.result, SheetResult::TooLarge);

    SheetChoice noTextures = ChooseGlyphSheet(ScalableFont(6, 10), 0);
    EXPECT_EQ(noTextures.result, SheetResult::TooLarge);
}

TEST(GlyphSheet, ConversionMakesWhiteWithTheBlueChannelsTopBitsAsAlpha) {
    const uint32_t width = 3, height = 2;
    const uint32_t pixels[width * height] = {
        0x00000000, 0x0000000F, 0x00000010,   // below 16 is transparent
        0x00FFFFFF, 0x00FF0000, 0x000000A5,   // red alone counts for nothing
    };
    const size_t pitch = 8;   // two padding bytes per row
    std::vector<uint8_t> texels(pitch * height, 0xEE);
    ConvertSheetToA4R4G4B4(pixels, width, height, texels.data(), pitch);
    auto texel = [&](uint32_t x, uint32_t y) {
        uint16_t value;
        memcpy(&value, &texels[y * pitch + 2 * x], 2);
        return value;
    };
    EXPECT_EQ(texel(0, 0), 0x0000);
    EXPECT_EQ(texel(1, 0), 0x0000);
    EXPECT_EQ(texel(2, 0), 0x1FFF);
    EXPECT_EQ(texel(0, 1), 0xFFFF);
    EXPECT_EQ(texel(1, 1), 0x0000);
    EXPECT_EQ(texel(2, 1), 0xAFFF);
    // The padding past each row is left alone.
    EXPECT_EQ(texels[6], 0xEE);
    EXPECT_EQ(texels[7], 0xEE);
    EXPECT_EQ(texels[pitch + 6], 0xEE);
}

}  // namespace
