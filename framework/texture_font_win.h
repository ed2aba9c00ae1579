#pragma once
// CD3DTextureFont: a Windows font drawn into a Direct3D texture (the glyph sheet) with the
// texture rectangle of each printable ASCII character, a dynamic vertex buffer for glyph
// quads and two state blocks for drawing text. It follows the device life cycle:
// BuildTexture after the device is created (the texture is managed and survives resets),
// BuildBuffers after every creation or reset, ReleaseBuffers before every reset or release,
// ReleaseTexture before the device is released.
#include <windows.h>
#include <d3d9.h>
#include <cstdint>

#include "base/com_ref.h"

struct GlyphMetrics;

enum FontFlags : DWORD {
    FONT_BOLD = 1,
    FONT_ITALIC = 2,
    FONT_ZENABLE = 4,
};

class CD3DTextureFont {
public:
    // `fontName` is cut to 79 characters; `height` is in points; `flags` combine FontFlags.
    CD3DTextureFont(const char* fontName, DWORD height, DWORD flags = 0);
    ~CD3DTextureFont();
    CD3DTextureFont(const CD3DTextureFont&) = delete;
    CD3DTextureFont& operator=(const CD3DTextureFont&) = delete;

    // Draws the glyphs into a new A4R4G4B4 texture of the device, scaling the font down when
    // the sheet would be wider than the device allows. Keeps the device (no reference).
    HRESULT BuildTexture(IDirect3DDevice9* device);
    // Creates the glyph vertex buffer and records the two state blocks.
    HRESULT BuildBuffers();
    HRESULT ReleaseBuffers();
    HRESULT ReleaseTexture();

    char m_fontName[80];
    DWORD m_fontHeight;
    DWORD m_fontFlags;
    IDirect3DDevice9* m_pDevice = nullptr;   // not held: the font lives inside the device's life
    ComRef<IDirect3DTexture9> m_pTexture;
    ComRef<IDirect3DVertexBuffer9> m_pVertexBuffer;
    DWORD m_texWidth = 0;
    DWORD m_texHeight = 0;
    float m_fontScale = 1.0f;
    float m_glyphRects[96][4] = {};     // left, top, right, bottom of character 32 + index
    DWORD m_glyphMargin = 0;
    ComRef<IDirect3DStateBlock9> m_savedStates;
    ComRef<IDirect3DStateBlock9> m_textStates;

private:
    // Draws the glyphs on the sheet selected into `dc` and stores their rectangles.
    HRESULT PaintSheet(HDC dc, const GlyphMetrics& metrics);
    HRESULT CopySheetToTexture(const uint32_t* pixels);
    bool SupportsAlphaBlending() const;
    void SetTextStates(bool blending);
};
