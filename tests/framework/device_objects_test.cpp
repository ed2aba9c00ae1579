// The framework's device-side objects on the machine's real Direct3D (Wine on the virtual
// display): format names and the device text, device cursors made from Windows cursors, and the
// texture font.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "framework/device_cursor_win.h"
#include "framework/device_stats_win.h"
#include "framework/font_measure_win.h"
#include "framework/format_name_win.h"
#include "framework/texture_font_win.h"
#include "tests/support/device_fixture_win.h"

namespace {

TEST(FormatName, NamesAreTheConstantsNamesWithOrWithoutTheirPrefix) {
    std::set<std::string> names;
    for (UINT value = 0; value < 200; ++value) {
        const std::string full = FormatName(D3DFORMAT(value), true), bare = FormatName(D3DFORMAT(value), false);
        EXPECT_TRUE(full == "Unknown format" ? bare == full : full == "D3DFMT_" + bare && names.insert(full).second) << value;
    }
    EXPECT_GT(names.size(), 40u);
    std::string some;
    for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_D24X8, D3DFMT_A32B32G32R32F, D3DFMT_DXT5, D3DFMT_FORCE_DWORD})
        some += FormatName(format, false) + std::string(" ");
    EXPECT_EQ(some, "X8R8G8B8 D24X8 A32B32G32R32F DXT5 Unknown format ");
}

TEST(DeviceStats, TextNamesTypeAndVertexProcessingFromTheCreationFlags) {
    D3DADAPTER_IDENTIFIER9 adapter = {};
    strcpy(adapter.Description, "Card");
    std::string texts;
    char text[kStatsTextSize];
    for (DWORD flags : {DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE), DWORD(D3DCREATE_HARDWARE_VERTEXPROCESSING),
                        DWORD(D3DCREATE_MIXED_VERTEXPROCESSING), DWORD(D3DCREATE_SOFTWARE_VERTEXPROCESSING)})
        DescribeDevice(D3DDEVTYPE_HAL, flags, adapter, text), texts += text + std::string("|");
    DescribeDevice(D3DDEVTYPE_REF, D3DCREATE_MIXED_VERTEXPROCESSING, adapter, text);
    EXPECT_EQ(texts + text, "HAL (pure hw vp): Card|HAL (hw vp): Card|HAL (mixed vp): Card|HAL (sw vp): Card|REF (simulated mixed vp)");
    // A description the driver did not terminate is cut within the field.
    memset(adapter.Description, 'q', sizeof(adapter.Description));
    DescribeDevice(D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING, adapter, text);
    EXPECT_EQ(std::string(text), "HAL (hw vp): " + std::string(kStatsTextSize - 14, 'q'));
}

// 32 x 32 one-bit planes, rows of 4 bytes, most significant bit leftmost.
std::vector<BYTE> Plane(bool (*bit)(int x, int y)) {
    std::vector<BYTE> plane(32 * 4, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            plane[y * 4 + x / 8] |= bit(x, y) ? BYTE(0x80 >> (x % 8)) : 0;
    return plane;
}

bool RightHalf(int x, int) { return x >= 16; }
bool Band(int, int y) { return y >= 8 && y < 16; }
bool Corner(int x, int y) { return x + y > 40; }
uint32_t Colour(int x, int y) { return uint32_t(x * 8) << 16 | uint32_t(y * 8) << 8 | 0x40; }

// Monochrome: the left half opaque, white in rows 8 to 15, black elsewhere; hot spot (7, 9).
HCURSOR MonochromeCursor() {
    return CreateCursor(GetModuleHandleA(nullptr), 7, 9, 32, 32, Plane(RightHalf).data(),
                        Plane(Band).data());
}

// Colour: Colour(x, y) except the masked bottom-right corner; hot spot (3, 5).
HCURSOR ColourCursor() {
    std::vector<uint32_t> pixels(32 * 32);
    for (int i = 0; i < 32 * 32; ++i)
        pixels[i] = Corner(i % 32, i / 32) ? 0 : Colour(i % 32, i / 32);
    HBITMAP colour = CreateBitmap(32, 32, 1, 32, pixels.data());
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, Plane(Corner).data());
    ICONINFO icon = {FALSE, 3, 5, mask, colour};
    HCURSOR cursor = HCURSOR(CreateIconIndirect(&icon));
    DeleteObject(mask);
    DeleteObject(colour);
    return cursor;
}

TEST(DeviceCursor, CursorImagesKeepLayoutColoursHotSpotAndTheWatermark) {
    const int watermark[5] = {0xCCC0, 0xA2A0, 0xA4A0, 0xA2A0, 0xCCC0};   // bit 15 - x of row y
    struct Case {
        HCURSOR cursor;
        UINT hotX, hotY;
        uint32_t (*pixel)(int x, int y);
    } cases[] = {
        {MonochromeCursor(), 7, 9,
         [](int x, int y) { return RightHalf(x, y) ? 0u : Band(x, y) ? 0xFFFFFFFFu : 0xFF000000u; }},
        {ColourCursor(), 3, 5, [](int x, int y) { return Corner(x, y) ? 0u : Colour(x, y) | 0xFF000000u; }},
    };
    for (const Case& c : cases) {
        for (BOOL marked : {FALSE, TRUE}) {
            CursorImage image;
            ASSERT_EQ(ReadCursorImage(c.cursor, marked, image), S_OK);
            ASSERT_EQ((std::vector<UINT>{image.width, image.height, image.hotSpotX, image.hotSpotY}),
                      (std::vector<UINT>{32, 32, c.hotX, c.hotY}));
            int differences = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const bool inMark = marked && y < 5 && x < 12 && (watermark[y] >> (15 - x)) & 1;
                    differences += image.pixels[y * 32 + x] != (c.pixel(x, y) | (inMark ? 0xFF808080 : 0));
                }
            EXPECT_EQ(differences, 0) << "hot spot " << c.hotX << ", watermark " << marked;
        }
    }
    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test));
    for (const Case& c : cases) {
        EXPECT_EQ(SetDeviceCursorFromIcon(test.device, c.cursor, TRUE), S_OK);
        DestroyCursor(c.cursor);
    }
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, LoadCursor(nullptr, IDC_ARROW), FALSE), S_OK);
    CursorImage image;
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, HCURSOR(HANDLE(0x1234)), TRUE), E_FAIL);
    EXPECT_EQ(ReadCursorImage(nullptr, TRUE, image), E_FAIL);
    EXPECT_EQ(releaseTestDevice(test), 0u);   // the scratch surfaces were released
}

class TextureFont : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(makeTestDevice(test)); }
    void TearDown() override { EXPECT_EQ(releaseTestDevice(test), 0u); }   // nothing leaked
    TestDevice test;
};

// The smallest sheet side from 128 up that holds `metrics`.
UINT SmallestSheet(const GlyphMetrics& metrics) {
    GlyphLayout layout;
    UINT side = kFirstSheetSide;
    while (!LayOutGlyphs(metrics, side, side, layout))
        side *= 2;
    return side;
}

TEST_F(TextureFont, TwelvePointBoldArialGetsTheSmallestSheetWithWhiteGlyphsAndItsStatesSurviveAReset) {
    CD3DTextureFont font("Arial", 12, FONT_BOLD | FONT_ZENABLE);
    ASSERT_EQ(font.BuildTexture(test.device), S_OK);
    // The same face measured here, independently, as GDI sets it in bold at 12 points.
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT gdi = CreateFontA(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0, 0,
                            DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, VARIABLE_PITCH, "Arial");
    HGDIOBJ old = SelectObject(dc, gdi);
    GlyphMetrics metrics;
    ASSERT_TRUE(MeasureGdiGlyphs(dc, metrics));
    SelectObject(dc, old);
    DeleteObject(gdi);
    DeleteDC(dc);
    const float* w = font.m_glyphRects['W' - 32];
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(font.m_pTexture->GetLevelDesc(0, &desc), S_OK);
    EXPECT_EQ((std::vector<DWORD>{font.m_texWidth, font.m_texHeight, font.m_glyphMargin,
                                  DWORD(std::lround((w[2] - w[0]) * float(font.m_texWidth))), DWORD(desc.Format), DWORD(desc.Pool),
                                  font.m_pTexture->GetLevelCount()}),
              (std::vector<DWORD>{SmallestSheet(metrics), SmallestSheet(metrics), GlyphMarginFor(metrics.xHeight),
                                  DWORD(metrics.glyphs['W' - 32].width + 2 * GlyphMarginFor(metrics.xHeight)),
                                  D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, 1}));

    // Painted texels are white with some alpha; 'M' has many, the space none.
    D3DLOCKED_RECT locked = {};
    ASSERT_EQ(font.m_pTexture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), S_OK);
    int inM = 0, inSpace = 0, notWhite = 0;
    const float *m = font.m_glyphRects['M' - 32], *space = font.m_glyphRects[0];
    for (UINT y = 0; y < font.m_texHeight; ++y)
        for (UINT x = 0; x < font.m_texWidth; ++x) {
            const WORD texel = reinterpret_cast<const WORD*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch)[x];
            const float u = (x + 0.5f) / font.m_texWidth, v = (y + 0.5f) / font.m_texHeight;
            notWhite += texel != 0 && (texel & 0x0FFF) != 0x0FFF;
            inM += texel != 0 && u > m[0] && u < m[2] && v > m[1] && v < m[3];
            inSpace += texel != 0 && u > space[0] && u < space[2] && v > space[1] && v < space[3];
        }
    font.m_pTexture->UnlockRect(0);
    EXPECT_TRUE(notWhite == 0 && inM > 20 && inSpace == 0) << notWhite << " " << inM << " " << inSpace;

    ASSERT_EQ(font.BuildBuffers(), S_OK);
    D3DVERTEXBUFFER_DESC vertices = {};
    ASSERT_EQ(font.m_pVertexBuffer->GetDesc(&vertices), S_OK);
    // 50 quads of two triangles, 32 bytes a vertex.
    EXPECT_EQ(std::make_pair(vertices.Size, vertices.Pool), std::make_pair(9600u, D3DPOOL_DEFAULT));
    // A reset fails while a default-pool object lives: the font's go first.
    ASSERT_EQ(font.ReleaseBuffers(), S_OK);
    IDirect3DSwapChain9* chain = nullptr;
    D3DPRESENT_PARAMETERS params = {};
    ASSERT_EQ(test.device->GetSwapChain(0, &chain), S_OK);
    chain->GetPresentParameters(&params);
    chain->Release();
    ASSERT_EQ(test.device->Reset(&params), S_OK);
    ASSERT_EQ(font.BuildBuffers(), S_OK);
    ASSERT_EQ(font.m_textStates->Apply(), S_OK);
    std::vector<DWORD> states(5);
    const D3DRENDERSTATETYPE kinds[] = {D3DRS_ZENABLE, D3DRS_ALPHAREF, D3DRS_ALPHAFUNC, D3DRS_CULLMODE};
    for (int i = 0; i < 4; ++i)
        test.device->GetRenderState(kinds[i], &states[i]);
    test.device->GetSamplerState(0, D3DSAMP_MINFILTER, &states[4]);
    EXPECT_EQ(states, (std::vector<DWORD>{TRUE, 0x08, D3DCMP_GREATEREQUAL, D3DCULL_CCW, D3DTEXF_POINT}));
    IDirect3DBaseTexture9* bound = nullptr;
    test.device->GetTexture(0, &bound);
    EXPECT_EQ(bound, font.m_pTexture);
    if (bound)
        bound->Release();
    test.device->SetTexture(0, nullptr);
    // The destructor releases what is left; TearDown checks no reference remains.
    CD3DTextureFont longName(std::string(120, 'F').c_str(), 12, 0);
    EXPECT_EQ(std::string(longName.m_fontName), std::string(79, 'F'));
}

}  // namespace
