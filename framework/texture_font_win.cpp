#include "framework/texture_font_win.h"

#include <cstring>

#include "base/device_context_win.h"
#include "base/gdi_object_win.h"
#include "base/selected_object_win.h"
#include "framework/font_measure_win.h"
#include "framework/glyph_sheet.h"

namespace {

// Room for 50 quads of two triangles per batch, 32 bytes per vertex.
constexpr UINT kVertexCount = 300;
constexpr UINT kVertexSize = 32;

}  // namespace

CD3DTextureFont::CD3DTextureFont(const char* fontName, DWORD height, DWORD flags)
    : m_fontHeight(height), m_fontFlags(flags) {
    strncpy(m_fontName, fontName, sizeof(m_fontName) - 1);
    m_fontName[sizeof(m_fontName) - 1] = '\0';
}

CD3DTextureFont::~CD3DTextureFont() {
    ReleaseBuffers();
    ReleaseTexture();
}

HRESULT CD3DTextureFont::PaintSheet(HDC dc, const GlyphMetrics& metrics) {
    GlyphLayout layout;
    if (!LayOutGlyphs(metrics, m_texWidth, m_texHeight, layout))
        return D3DERR_MOREDATA;
    m_glyphMargin = layout.margin;
    for (int i = 0; i < kGlyphCount; ++i) {
        const GlyphPlacement& glyph = layout.glyphs[i];
        char c = char(kFirstGlyph + i);
        if (!ExtTextOutA(dc, int(glyph.x), int(glyph.y), ETO_OPAQUE, nullptr, &c, 1, nullptr))
            return E_FAIL;
        m_glyphRects[i][0] = glyph.left;
        m_glyphRects[i][1] = glyph.top;
        m_glyphRects[i][2] = glyph.right;
        m_glyphRects[i][3] = glyph.bottom;
    }
    return S_OK;
}

HRESULT CD3DTextureFont::CopySheetToTexture(const uint32_t* pixels) {
    D3DLOCKED_RECT locked = {};
    HRESULT hr = m_pTexture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr))
        return hr;
    ConvertSheetToA4R4G4B4(pixels, m_texWidth, m_texHeight, static_cast<uint8_t*>(locked.pBits),
                           size_t(locked.Pitch));
    m_pTexture->UnlockRect(0);
    return S_OK;
}

HRESULT CD3DTextureFont::BuildTexture(IDirect3DDevice9* device) {
    ReleaseTexture();
    m_pDevice = device;
    m_fontScale = 1.0f;
    MemoryDc memory(nullptr);
    if (!memory)
        return E_FAIL;
    SetMapMode(memory, MM_TEXT);

    D3DCAPS9 caps = {};
    HRESULT hr = device->GetDeviceCaps(&caps);
    if (FAILED(hr))
        return hr;
    SheetChoice sheet = ChooseSheetForFont(memory, m_fontName, m_fontHeight, m_fontFlags,
                                           caps.MaxTextureWidth);
    if (sheet.result != SheetResult::Ok)
        return sheet.result == SheetResult::TooLarge ? D3DERR_MOREDATA : E_FAIL;
    m_fontScale = sheet.fontScale;
    m_texWidth = sheet.width;
    m_texHeight = sheet.height;

    hr = device->CreateTexture(m_texWidth, m_texHeight, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED,
                               m_pTexture.put(), nullptr);
    if (FAILED(hr))
        return hr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = LONG(m_texWidth);
    info.bmiHeader.biHeight = -LONG(m_texHeight);   // top-down, like the texture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> sheetBitmap(
        CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    GdiObject<HFONT> font(MakeGdiFont(memory, m_fontName, m_fontHeight, m_fontFlags, m_fontScale));
    SelectedObject sheetSelection(memory, sheetBitmap);
    SelectedObject fontSelection(memory, font);
    if (!sheetBitmap || !bits || !font)
        return E_FAIL;
    SetTextColor(memory, RGB(255, 255, 255));
    SetBkColor(memory, RGB(0, 0, 0));
    SetTextAlign(memory, TA_TOP);
    hr = PaintSheet(memory, sheet.metrics);
    if (FAILED(hr))
        return hr;
    GdiFlush();
    return CopySheetToTexture(static_cast<const uint32_t*>(bits));
}

HRESULT CD3DTextureFont::BuildBuffers() {
    HRESULT hr = m_pDevice->CreateVertexBuffer(kVertexCount * kVertexSize,
                                               D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, 0,
                                               D3DPOOL_DEFAULT, m_pVertexBuffer.put(), nullptr);
    if (FAILED(hr))
        return hr;
    const bool blending = SupportsAlphaBlending();
    for (ComRef<IDirect3DStateBlock9>* block : {&m_savedStates, &m_textStates}) {
        m_pDevice->BeginStateBlock();
        SetTextStates(blending);
        hr = m_pDevice->EndStateBlock(block->put());
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

bool CD3DTextureFont::SupportsAlphaBlending() const {
    D3DCAPS9 caps = {};
    D3DDISPLAYMODE mode = {};
    ComRef<IDirect3DSurface9> target;
    ComRef<IDirect3D9> d3d;
    if (FAILED(m_pDevice->GetDeviceCaps(&caps)) || FAILED(m_pDevice->GetDisplayMode(0, &mode)) ||
        FAILED(m_pDevice->GetRenderTarget(0, target.put())))
        return true;
    D3DSURFACE_DESC desc = {};
    target->GetDesc(&desc);
    target.reset();
    if (FAILED(m_pDevice->GetDirect3D(d3d.put())))
        return true;
    return SUCCEEDED(d3d->CheckDeviceFormat(
        caps.AdapterOrdinal, caps.DeviceType, mode.Format,
        D3DUSAGE_RENDERTARGET | D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_SURFACE,
        desc.Format));
}

void CD3DTextureFont::SetTextStates(bool blending) {
    IDirect3DDevice9* d = m_pDevice;
    d->SetTexture(0, m_pTexture);
    d->SetRenderState(D3DRS_ZENABLE, (m_fontFlags & FONT_ZENABLE) ? TRUE : FALSE);
    d->SetRenderState(D3DRS_ALPHABLENDENABLE, blending ? TRUE : FALSE);
    if (blending) {
        d->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        d->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    }
    d->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    d->SetRenderState(D3DRS_ALPHAREF, 0x08);
    d->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    d->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    d->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    d->SetRenderState(D3DRS_CLIPPING, TRUE);
    d->SetRenderState(D3DRS_CLIPPLANEENABLE, 0);
    d->SetRenderState(D3DRS_VERTEXBLEND, D3DVBF_DISABLE);
    d->SetRenderState(D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE);
    d->SetRenderState(D3DRS_FOGENABLE, FALSE);
    d->SetRenderState(D3DRS_COLORWRITEENABLE,
                      D3DCOLORWRITEENABLE_RED | D3DCOLORWRITEENABLE_GREEN |
                          D3DCOLORWRITEENABLE_BLUE | D3DCOLORWRITEENABLE_ALPHA);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    d->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    d->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    d->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    d->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    d->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    d->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_POINT);
    d->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_POINT);
    d->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_NONE);
}

HRESULT CD3DTextureFont::ReleaseBuffers() {
    m_pVertexBuffer.reset();
    m_savedStates.reset();
    m_textStates.reset();
    return S_OK;
}

HRESULT CD3DTextureFont::ReleaseTexture() {
    m_pTexture.reset();
    m_pDevice = nullptr;
    return S_OK;
}
