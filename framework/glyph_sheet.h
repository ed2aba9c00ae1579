#pragma once
// The arithmetic of the texture font's glyph sheet, free of GDI and Direct3D: where the 95
// printable characters (32 to 126) go on a sheet, how big the sheet must be, and how the
// painted sheet becomes A4R4G4B4 texels.
#include <cstddef>
#include <cstdint>
#include <functional>

constexpr int kFirstGlyph = 32;
constexpr int kGlyphCount = 95;           // characters 32 to 126
constexpr uint32_t kFirstSheetSide = 128;

struct GlyphSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// Sizes of the characters of one font, as GDI measured them.
struct GlyphMetrics {
    GlyphSize glyphs[kGlyphCount];        // character 32 + index
    uint32_t xHeight = 0;                 // height of "x", which sets the margin
};

struct GlyphPlacement {
    uint32_t x = 0, y = 0;                // where the character is drawn
    float left = 0, top = 0, right = 0, bottom = 0;   // texture rectangle, 0..1
};

struct GlyphLayout {
    uint32_t margin = 0;                  // pixels left free on each side of a glyph
    GlyphPlacement glyphs[kGlyphCount];
};

// ceil(0.3 * xHeight): the horizontal space kept on either side of each glyph.
uint32_t GlyphMarginFor(uint32_t xHeight);

// Places the glyphs in rows on a sheet of `width` by `height` pixels. Returns false (the
// layout is then incomplete) when they do not all fit.
bool LayOutGlyphs(const GlyphMetrics& metrics, uint32_t width, uint32_t height,
                  GlyphLayout& layout);

// Measures the font made at `scale` (1 = its nominal size); false when GDI fails.
using GlyphMeasure = std::function<bool(float scale, GlyphMetrics& metrics)>;

enum class SheetResult { Ok, MeasureFailed, TooLarge };

struct SheetChoice {
    SheetResult result = SheetResult::Ok;
    uint32_t width = 0, height = 0;
    float fontScale = 1.0f;
    GlyphMetrics metrics;                 // of the font at fontScale
};

// Sheet size for the font: 128 by 128, doubled until everything fits; a sheet wider than
// `maxTextureWidth` becomes exactly that wide and that high, with the font scaled to
// maxTextureWidth / width and then down by 10 % at a time until it fits. TooLarge when no
// size or scale within sane limits fits.
SheetChoice ChooseGlyphSheet(const GlyphMeasure& measure, uint32_t maxTextureWidth);

// Converts the painted sheet (32-bit pixels, top-down, `width` per row) into A4R4G4B4 texels:
// white with alpha = blue >> 4, or 0 where that alpha is 0. Texel rows are `pitchBytes`
// apart (>= 2 * width).
void ConvertSheetToA4R4G4B4(const uint32_t* pixels, uint32_t width, uint32_t height,
                            uint8_t* texels, size_t pitchBytes);
