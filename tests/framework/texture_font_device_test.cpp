// The texture font on a real device: the glyph sheet of 12-point bold Arial, growth for large
// fonts, the device's texture-width limit with real GDI fonts, the texels, the text state
// blocks, and the font's objects surviving a reset and leaving no reference behind.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/font_measure_win.h"
#include "framework/texture_font_win.h"
#include "tests/support/device_fixture_win.h"

namespace {

class TextureFontTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeTestDevice(test)); }
    void TearDown() override {
        if (test.device) {
            EXPECT_EQ(releaseTestDevice(test), 0u);
        }
    }
    HRESULT ResetDevice() {
        IDirect3DSwapChain9* chain = nullptr;
        D3DPRESENT_PARAMETERS params = {};
        if (FAILED(test.device->GetSwapChain(0, &chain)))
            return E_FAIL;
        chain->GetPresentParameters(&params);
        chain->Release();
        return test.device->Reset(&params);
    }

    TestDevice test;
};

// The pixel width of glyph `c`'s rectangle on the sheet.
float RectPixels(const CD3DTextureFont& font, char c) {
    const float* rect = font.m_glyphRects[c - 32];
    return (rect[2] - rect[0]) * float(font.m_texWidth);
}

// The glyph sizes of a font as GDI gives them, at its nominal size.
GlyphMetrics MeasureFont(const char* face, DWORD points, DWORD flags) {
    GlyphMetrics metrics;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeGdiFont(dc, face, points, flags, 1.0f);
    HGDIOBJ previous = SelectObject(dc, font);
    EXPECT_TRUE(MeasureGdiGlyphs(dc, metrics));
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return metrics;
}

// The smallest sheet side, from 128 doubling, that holds the glyphs.
UINT SmallestSheet(const GlyphMetrics& metrics) {
    GlyphLayout layout;
    UINT side = 128;
    while (!LayOutGlyphs(metrics, side, side, layout))
        side *= 2;
    return side;
}

TEST_F(TextureFontTest, TwelvePointBoldArialGetsTheSmallestSheetThatHoldsIt) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    const GlyphMetrics metrics = MeasureFont("Arial", 12, FONT_BOLD);
    RecordProperty("sheet_side", int(font.m_texWidth));
    RecordProperty("x_height", int(metrics.xHeight));
    EXPECT_EQ(font.m_pDevice, test.device);
    EXPECT_EQ(font.m_texWidth, SmallestSheet(metrics));
    EXPECT_EQ(font.m_texHeight, font.m_texWidth);
    EXPECT_LE(font.m_texWidth, 256u);
    EXPECT_FLOAT_EQ(font.m_fontScale, 1.0f);
    ASSERT_NE(font.m_pTexture, nullptr);
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(font.m_pTexture->GetLevelDesc(0, &desc), S_OK);
    EXPECT_EQ(desc.Format, D3DFMT_A4R4G4B4);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(desc.Width, font.m_texWidth);
    EXPECT_EQ(desc.Height, font.m_texHeight);
    EXPECT_EQ(font.m_pTexture->GetLevelCount(), 1u);
}

TEST(TextureFontSheet, SmallFontFitsTheFirstSheet) {
    EXPECT_EQ(SmallestSheet(MeasureFont("Arial", 6, 0)), 128u);
}

TEST_F(TextureFontTest, RectanglesCarryTheMarginSidewaysAndStayOnTheSheet) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    // Measure the same font independently.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT gdiFont = MakeGdiFont(dc, "Arial", 12, FONT_BOLD, 1.0f);
    HGDIOBJ previous = SelectObject(dc, gdiFont);
    SIZE x = {}, w = {};
    GetTextExtentPoint32A(dc, "x", 1, &x);
    GetTextExtentPoint32A(dc, "W", 1, &w);
    SelectObject(dc, previous);
    DeleteObject(gdiFont);
    DeleteDC(dc);

    EXPECT_EQ(font.m_glyphMargin, DWORD(std::ceil(0.3 * x.cy)));
    EXPECT_GT(font.m_glyphMargin, 0u);
    EXPECT_NEAR(RectPixels(font, 'W'), float(w.cx + 2 * font.m_glyphMargin), 1e-3);
    const float* rectW = font.m_glyphRects['W' - 32];
    EXPECT_NEAR((rectW[3] - rectW[1]) * float(font.m_texHeight), float(w.cy), 1e-3);
    for (int c = 32; c < 127; ++c) {
        const float* rect = font.m_glyphRects[c - 32];
        EXPECT_GE(rect[0], 0.0f) << c;
        EXPECT_LE(rect[2], 1.0f) << c;
        EXPECT_LT(rect[0], rect[2]) << c;
        EXPECT_LE(rect[3], 1.0f) << c;
    }
}

TEST_F(TextureFontTest, SheetTexelsAreWhiteWithAlphaWhereGlyphsArePainted) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(font.m_pTexture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), S_OK);
    auto texel = [&](int x, int y) {
        return reinterpret_cast<const WORD*>(static_cast<const BYTE*>(locked.pBits) +
                                             y * locked.Pitch)[x];
    };
    int painted = 0, paintedInM = 0, paintedInSpace = 0;
    const float* m = font.m_glyphRects['M' - 32];
    const float* space = font.m_glyphRects[0];
    for (int y = 0; y < int(font.m_texHeight); ++y) {
        for (int x = 0; x < int(font.m_texWidth); ++x) {
            WORD value = texel(x, y);
            if (value == 0)
                continue;
            ++painted;
            EXPECT_EQ(value & 0x0FFF, 0x0FFF);
            float u = (x + 0.5f) / font.m_texWidth, v = (y + 0.5f) / font.m_texHeight;
            paintedInM += u > m[0] && u < m[2] && v > m[1] && v < m[3];
            paintedInSpace += u > space[0] && u < space[2] && v > space[1] && v < space[3];
        }
    }
    font.m_pTexture->UnlockRect(0);
    EXPECT_GT(painted, 500);
    EXPECT_GT(paintedInM, 20);
    EXPECT_EQ(paintedInSpace, 0);
}

TEST_F(TextureFontTest, LargeFontDoublesTheSheet) {
    CD3DTextureFont font("Arial", 48, FONT_BOLD);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    EXPECT_GT(font.m_texWidth, 128u);
    EXPECT_EQ(font.m_texWidth, font.m_texHeight);
    EXPECT_EQ(font.m_texWidth & (font.m_texWidth - 1), 0u);
    EXPECT_FLOAT_EQ(font.m_fontScale, 1.0f);
    EXPECT_EQ(font.m_texWidth, SmallestSheet(MeasureFont("Arial", 48, FONT_BOLD)));
    RecordProperty("sheet_side", int(font.m_texWidth));
}

TEST(TextureFontLimit, NarrowDeviceGetsAWholeSheetOfItsWidthAndAScaledFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    SheetChoice unlimited = ChooseSheetForFont(dc, "Arial", 24, FONT_BOLD, 16384);
    ASSERT_EQ(unlimited.result, SheetResult::Ok);
    ASSERT_GT(unlimited.width, 128u);
    SheetChoice limited = ChooseSheetForFont(dc, "Arial", 24, FONT_BOLD, 128);
    ASSERT_EQ(limited.result, SheetResult::Ok);
    EXPECT_EQ(limited.width, 128u);
    EXPECT_EQ(limited.height, 128u);
    // 128 / width to begin with, then tenths off until it fits.
    const float first = 128.0f / float(unlimited.width);
    int steps = int(std::lround(std::log(limited.fontScale / first) / std::log(0.9f)));
    EXPECT_GE(steps, 0);
    EXPECT_NEAR(limited.fontScale, first * std::pow(0.9f, float(steps)), 1e-4);
    GlyphLayout layout;
    EXPECT_TRUE(LayOutGlyphs(limited.metrics, 128, 128, layout));
    DeleteDC(dc);
}

TEST_F(TextureFontTest, TextStatesAreRecordedWithTheGlyphTexture) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    ASSERT_EQ(font.BuildBuffers(), S_OK);
    ASSERT_NE(font.m_pVertexBuffer, nullptr);
    D3DVERTEXBUFFER_DESC vertices = {};
    ASSERT_EQ(font.m_pVertexBuffer->GetDesc(&vertices), S_OK);
    EXPECT_EQ(vertices.Size, 9600u);
    EXPECT_EQ(vertices.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(vertices.Usage, DWORD(D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC));
    ASSERT_NE(font.m_savedStates, nullptr);
    ASSERT_NE(font.m_textStates, nullptr);

    ASSERT_EQ(font.m_textStates->Apply(), S_OK);
    DWORD value = 0;
    test.device->GetRenderState(D3DRS_ALPHAREF, &value);
    EXPECT_EQ(value, 0x08u);
    test.device->GetRenderState(D3DRS_ALPHAFUNC, &value);
    EXPECT_EQ(value, DWORD(D3DCMP_GREATEREQUAL));
    test.device->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, DWORD(FALSE));
    test.device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, DWORD(D3DCULL_CCW));
    test.device->GetTextureStageState(1, D3DTSS_COLOROP, &value);
    EXPECT_EQ(value, DWORD(D3DTOP_DISABLE));
    test.device->GetSamplerState(0, D3DSAMP_MINFILTER, &value);
    EXPECT_EQ(value, DWORD(D3DTEXF_POINT));
    IDirect3DBaseTexture9* bound = nullptr;
    test.device->GetTexture(0, &bound);
    EXPECT_EQ(bound, font.m_pTexture);
    if (bound)
        bound->Release();
    test.device->SetTexture(0, nullptr);
}

TEST_F(TextureFontTest, SurvivesAResetAndReleasesEverything) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD | FONT_ZENABLE);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    ASSERT_EQ(font.BuildBuffers(), S_OK);
    // A reset fails while a default-pool object lives; the font's go first.
    ASSERT_EQ(font.ReleaseBuffers(), S_OK);
    EXPECT_EQ(font.m_pVertexBuffer, nullptr);
    EXPECT_EQ(font.m_savedStates, nullptr);
    ASSERT_EQ(ResetDevice(), S_OK);
    ASSERT_EQ(font.BuildBuffers(), S_OK);
    ASSERT_EQ(font.m_textStates->Apply(), S_OK);
    DWORD zEnable = 0;
    test.device->GetRenderState(D3DRS_ZENABLE, &zEnable);
    EXPECT_EQ(zEnable, DWORD(TRUE));
    test.device->SetTexture(0, nullptr);
    // Rebuilt after the texture's release too, as after a device change.
    font.ReleaseBuffers();
    font.ReleaseTexture();
    EXPECT_EQ(font.m_pDevice, nullptr);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    ASSERT_EQ(font.BuildBuffers(), S_OK);
    font.ReleaseBuffers();
    font.ReleaseTexture();
    EXPECT_EQ(font.m_pTexture, nullptr);
    // TearDown checks that the device's release leaves no reference.
}

TEST_F(TextureFontTest, DestructorReleasesWhatIsLeft) {
    {
        CD3DTextureFont font("Arial", 12, FONT_BOLD);
        ASSERT_EQ(font.BuildTexture(test.device), S_OK);
        ASSERT_EQ(font.BuildBuffers(), S_OK);
        test.device->SetTexture(0, nullptr);
    }
    // TearDown checks that nothing of the font still holds the device.
}

TEST(TextureFontName, LongFaceNameIsCutTo79Characters) {
    const std::string face(120, 'F');
    CD3DTextureFont font(face.c_str(), 12, 0);
    EXPECT_EQ(std::string(font.m_fontName), face.substr(0, 79));
    EXPECT_EQ(font.m_fontHeight, 12u);
    EXPECT_EQ(font.m_fontFlags, 0u);
}

}  // namespace
