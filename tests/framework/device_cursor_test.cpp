// Windows cursors made into device cursors: the monochrome AND/XOR layout, colour cursors,
// transparency, the hot spot and the watermark, and the device taking the result.
#include <gtest/gtest.h>

#include <vector>

#include "framework/device_cursor_win.h"
#include "tests/support/device_fixture_win.h"

namespace {

const uint32_t kOpaqueBlack = 0xFF000000, kOpaqueWhite = 0xFFFFFFFF;
const uint32_t kWatermark = 0xFF808080;

// Whether the watermark marks (x, y).
bool Marked(int x, int y) {
    const int rows[5] = {0xCCC0, 0xA2A0, 0xA4A0, 0xA2A0, 0xCCC0};
    return y < 5 && x < 12 && (rows[y] >> (15 - x)) & 1;
}

// 32 x 32, one bit per pixel, rows of 4 bytes, most significant bit leftmost.
std::vector<BYTE> Plane(bool (*bit)(int x, int y)) {
    std::vector<BYTE> plane(32 * 4, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (bit(x, y))
                plane[y * 4 + x / 8] |= BYTE(0x80 >> (x % 8));
    return plane;
}

// Left half opaque (AND 0), right half transparent; white in rows 8 to 15, black elsewhere.
HCURSOR MonochromeCursor() {
    std::vector<BYTE> andPlane = Plane([](int x, int) { return x >= 16; });
    std::vector<BYTE> xorPlane = Plane([](int, int y) { return y >= 8 && y < 16; });
    return CreateCursor(GetModuleHandleA(nullptr), 7, 9, 32, 32, andPlane.data(),
                        xorPlane.data());
}

uint32_t ColourAt(int x, int y) { return uint32_t(x * 8) << 16 | uint32_t(y * 8) << 8 | 0x40; }
bool ColourMasked(int x, int y) { return x + y > 40; }

HCURSOR ColourCursor() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            static_cast<uint32_t*>(bits)[y * 32 + x] = ColourMasked(x, y) ? 0 : ColourAt(x, y);
    std::vector<BYTE> maskPlane = Plane(ColourMasked);
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, maskPlane.data());
    ICONINFO icon = {FALSE, 3, 5, mask, colour};
    HCURSOR cursor = HCURSOR(CreateIconIndirect(&icon));
    DeleteObject(mask);
    DeleteObject(colour);
    return cursor;
}

TEST(DeviceCursor, MonochromeCursorIsHalfItsMaskHighWithTheXorImageInIt) {
    HCURSOR cursor = MonochromeCursor();
    ASSERT_NE(cursor, nullptr);
    CursorImage image;
    ASSERT_EQ(ReadCursorImage(cursor, FALSE, image), S_OK);
    EXPECT_EQ(image.width, 32u);
    EXPECT_EQ(image.height, 32u);
    EXPECT_EQ(image.hotSpotX, 7u);
    EXPECT_EQ(image.hotSpotY, 9u);
    ASSERT_EQ(image.pixels.size(), 32u * 32u);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            uint32_t expected = x >= 16 ? 0 : (y >= 8 && y < 16 ? kOpaqueWhite : kOpaqueBlack);
            ASSERT_EQ(image.pixels[y * 32 + x], expected) << x << ", " << y;
        }
    }
    DestroyCursor(cursor);
}

TEST(DeviceCursor, WatermarkLightensTheTopLeftCorner) {
    HCURSOR cursor = MonochromeCursor();
    CursorImage image;
    ASSERT_EQ(ReadCursorImage(cursor, TRUE, image), S_OK);
    int marked = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            uint32_t plain = x >= 16 ? 0 : (y >= 8 && y < 16 ? kOpaqueWhite : kOpaqueBlack);
            uint32_t expected = Marked(x, y) ? plain | kWatermark : plain;
            ASSERT_EQ(image.pixels[y * 32 + x], expected) << x << ", " << y;
            marked += Marked(x, y);
        }
    }
    EXPECT_EQ(marked, 27);
    DestroyCursor(cursor);
}

TEST(DeviceCursor, ColourCursorKeepsItsColoursWhereTheMaskIsClear) {
    HCURSOR cursor = ColourCursor();
    ASSERT_NE(cursor, nullptr);
    CursorImage image;
    ASSERT_EQ(ReadCursorImage(cursor, FALSE, image), S_OK);
    EXPECT_EQ(image.width, 32u);
    EXPECT_EQ(image.height, 32u);
    EXPECT_EQ(image.hotSpotX, 3u);
    EXPECT_EQ(image.hotSpotY, 5u);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            uint32_t expected = ColourMasked(x, y) ? 0 : (ColourAt(x, y) | 0xFF000000);
            ASSERT_EQ(image.pixels[y * 32 + x], expected) << x << ", " << y;
        }
    }
    DestroyCursor(cursor);
}

TEST(DeviceCursor, DeviceTakesMonochromeColourAndSystemCursors) {
    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test));
    HCURSOR monochrome = MonochromeCursor(), colour = ColourCursor();
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, monochrome, TRUE), S_OK);
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, colour, TRUE), S_OK);
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, LoadCursor(nullptr, IDC_ARROW), FALSE), S_OK);
    DestroyCursor(monochrome);
    DestroyCursor(colour);
    // The scratch surfaces were released: nothing keeps the device alive.
    EXPECT_EQ(releaseTestDevice(test), 0u);
}

TEST(DeviceCursor, SomethingThatIsNoCursorFails) {
    TestDevice test;
    ASSERT_TRUE(makeTestDevice(test));
    CursorImage image;
    EXPECT_EQ(ReadCursorImage(nullptr, TRUE, image), E_FAIL);
    EXPECT_EQ(SetDeviceCursorFromIcon(test.device, HCURSOR(HANDLE(0x1234)), TRUE), E_FAIL);
    EXPECT_EQ(releaseTestDevice(test), 0u);
}

}  // namespace
