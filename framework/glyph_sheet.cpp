#include "framework/glyph_sheet.h"

#include <cstring>

namespace {

// No GDI font needs a sheet this large; a measure that asks for it is broken.
constexpr uint32_t kLargestSheetSide = 1u << 16;
// 0.9^64 is below 0.1 %: a font that still does not fit is not going to.
constexpr int kMostScalePasses = 64;

}  // namespace

uint32_t GlyphMarginFor(uint32_t xHeight) { return uint32_t((uint64_t(xHeight) * 3 + 9) / 10); }

bool LayOutGlyphs(const GlyphMetrics& metrics, uint32_t width, uint32_t height,
                  GlyphLayout& layout) {
    const uint64_t margin = GlyphMarginFor(metrics.xHeight);
    layout.margin = uint32_t(margin);
    uint64_t x = margin, y = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
        const uint64_t w = metrics.glyphs[i].width, h = metrics.glyphs[i].height;
        if (x + w + margin > width) {
            x = margin;
            y += h + 1;
        }
        if (y + h > height)
            return false;
        GlyphPlacement& glyph = layout.glyphs[i];
        glyph.x = uint32_t(x);
        glyph.y = uint32_t(y);
        glyph.left = float(x - margin) / float(width);
        glyph.top = float(y) / float(height);
        glyph.right = float(x + w + margin) / float(width);
        glyph.bottom = float(y + h) / float(height);
        x += w + 2 * margin;
    }
    return true;
}

SheetChoice ChooseGlyphSheet(const GlyphMeasure& measure, uint32_t maxTextureWidth) {
    SheetChoice choice;
    if (!measure(choice.fontScale, choice.metrics)) {
        choice.result = SheetResult::MeasureFailed;
        return choice;
    }
    GlyphLayout scratch;
    uint32_t side = kFirstSheetSide;
    while (!LayOutGlyphs(choice.metrics, side, side, scratch)) {
        if (side >= kLargestSheetSide) {
            choice.result = SheetResult::TooLarge;
            return choice;
        }
        side *= 2;
    }
    choice.width = choice.height = side;
    if (side <= maxTextureWidth)
        return choice;
    if (maxTextureWidth == 0) {
        choice.result = SheetResult::TooLarge;
        return choice;
    }

    choice.fontScale = float(maxTextureWidth) / float(side);
    choice.width = choice.height = maxTextureWidth;
    for (int pass = 0;; ++pass) {
        if (pass == kMostScalePasses) {
            choice.result = SheetResult::TooLarge;
            return choice;
        }
        if (pass > 0)
            choice.fontScale *= 0.9f;
        if (!measure(choice.fontScale, choice.metrics)) {
            choice.result = SheetResult::MeasureFailed;
            return choice;
        }
        if (LayOutGlyphs(choice.metrics, choice.width, choice.height, scratch))
            return choice;
    }
}

void ConvertSheetToA4R4G4B4(const uint32_t* pixels, uint32_t width, uint32_t height,
                            uint8_t* texels, size_t pitchBytes) {
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = texels + y * pitchBytes;
        const uint32_t* source = pixels + size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            const uint16_t alpha = uint16_t((source[x] & 0xFF) >> 4);
            const uint16_t texel = alpha != 0 ? uint16_t((alpha << 12) | 0x0FFF) : 0;
            memcpy(row + 2 * size_t(x), &texel, sizeof(texel));
        }
    }
}
