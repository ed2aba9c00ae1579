#include "framework/font_measure_win.h"

#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"
#include "framework/texture_font_win.h"

namespace {

bool MeasureText(HDC dc, const char* text, GlyphSize& size) {
    SIZE extent = {};
    if (!GetTextExtentPoint32A(dc, text, 1, &extent) || extent.cx < 0 || extent.cy < 0)
        return false;
    size.width = uint32_t(extent.cx);
    size.height = uint32_t(extent.cy);
    return true;
}

}  // namespace

HFONT MakeGdiFont(HDC dc, const char* face, DWORD pointHeight, DWORD flags, float scale) {
    int pixelsPerInch = int(float(GetDeviceCaps(dc, LOGPIXELSY)) * scale);
    int height = -MulDiv(int(pointHeight), pixelsPerInch, 72);
    return CreateFontA(height, 0, 0, 0, (flags & FONT_BOLD) ? FW_BOLD : FW_NORMAL,
                       (flags & FONT_ITALIC) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       VARIABLE_PITCH, face);
}

bool MeasureGdiGlyphs(HDC dc, GlyphMetrics& metrics) {
    GlyphSize x;
    if (!MeasureText(dc, "x", x))
        return false;
    metrics.xHeight = x.height;
    for (int i = 0; i < kGlyphCount; ++i) {
        const char c = char(kFirstGlyph + i);
        if (!MeasureText(dc, &c, metrics.glyphs[i]))
            return false;
    }
    return true;
}

SheetChoice ChooseSheetForFont(HDC dc, const char* face, DWORD pointHeight, DWORD flags,
                               UINT maxTextureWidth) {
    auto measure = [&](float scale, GlyphMetrics& metrics) {
        GdiObject<HFONT> font(MakeGdiFont(dc, face, pointHeight, flags, scale));
        if (!font)
            return false;
        SelectedObject selection(dc, font);
        return MeasureGdiGlyphs(dc, metrics);
    };
    return ChooseGlyphSheet(measure, maxTextureWidth);
}
