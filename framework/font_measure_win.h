#pragma once
// The GDI side of the glyph sheet: making the font at a scale and measuring its glyphs, so
// that the sheet size is chosen from the real font's sizes.
#include <windows.h>
#include "framework/glyph_sheet.h"

// The GDI font of `pointHeight` points (FONT_BOLD / FONT_ITALIC in `flags`) at `scale` of its
// size for `dc`'s vertical resolution; null when GDI has none.
HFONT MakeGdiFont(HDC dc, const char* face, DWORD pointHeight, DWORD flags, float scale);

// The extents of "x" and of characters 32 to 126 in the font selected into `dc`.
bool MeasureGdiGlyphs(HDC dc, GlyphMetrics& metrics);

// The glyph sheet for the font on a device whose textures may be `maxTextureWidth` wide (see
// ChooseGlyphSheet). The fonts made on the way are deleted; `dc` is left as it was.
SheetChoice ChooseSheetForFont(HDC dc, const char* face, DWORD pointHeight, DWORD flags,
                               UINT maxTextureWidth);
