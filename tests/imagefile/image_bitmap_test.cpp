#include "imagefile/image_bitmap_win.h"

#include <gtest/gtest.h>
#include <cstring>
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "tests/support/test_window_win.h"
#include "tests/support/window_capture_win.h"

namespace {

using Pixels = std::vector<std::vector<uint32_t>>;
using Texts = std::vector<std::string>;

using Size = std::pair<int, int>;

// The last sizes the bitmap reported, as its image window would hear them.
struct SizeLog : ImageSizeListener {
    Size viewport{-1, -1};
    Size image{-1, -1};
    void viewportSized(int width, int height) override { viewport = {width, height}; }
    void imageSized(int width, int height) override { image = {width, height}; }
};

// A bitmap object in a real window, with every message box answered and recorded.
struct Loaded : testing::Test {
    TestWindow window{300, 200};
    DialogAnswerer answerer;
    SizeLog sizes;
    ImageBitmap bitmap;
    Loaded() { bitmap.setSizeListener(&sizes); }
};

// Builds a 24-bit file whose pixel (x, y), counted from the top, is `colour(x, y)`.
template <typename Colour>
BmpLayout trueColour(int width, int height, Colour colour) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x)
            layout.pixels.push_back(colour(x, row));
    return layout;
}

uint32_t gradient(int x, int y) { return uint32_t(0x400000 * (x % 4) + 0x2000 * y + 0x11 * x + 7); }

// The image as a top-down table, as the window should show it.
Pixels expectedRows(int width, int height, uint32_t (*colour)(int, int)) {
    Pixels rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[size_t(y)].push_back(colour(x, y));
    return rows;
}

BmpLayout paletted8(int width, int height) {
    BmpLayout layout;
    layout.bitCount = 8;
    layout.width = width;
    layout.height = height;
    layout.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFEDCBA};
    layout.colorsUsed = 5;
    for (int i = 0; i < width * height; ++i)
        layout.pixels.push_back(uint32_t(i % 5));
    return layout;
}

TEST_F(Loaded, PalettedBmpShowsItsPaletteColours) {
    const BmpLayout layout = paletted8(5, 3);
    writeFile("palette.bmp", buildBmp(layout));
    bitmap.openImageFile(window.handle(), "palette.bmp");
    EXPECT_TRUE(answerer.boxTexts().empty());
    EXPECT_EQ(bitmap.isLoaded(), 1);
    EXPECT_STREQ(bitmap.getFilePath(), "palette.bmp");
    ASSERT_EQ(bitmap.getWidth(), 5);
    ASSERT_EQ(bitmap.getHeight(), 3);
    const Pixels shown = bitmapPixels(bitmap.getShownBitmap());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(shown[size_t(y)][size_t(x)],
                      layout.palette[layout.pixels[size_t((2 - y) * 5 + x)]])
                << x << "," << y;
}

TEST_F(Loaded, BmpsOfEveryDepthAndWidthShowTheirPixels) {
    struct Case {
        uint16_t bits;
        int width;
    };
    for (const Case c : {Case{1, 9}, Case{4, 3}, Case{8, 7}, Case{24, 1}, Case{24, 5},
                         Case{24, 6}, Case{16, 3}, Case{32, 3}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, width " << c.width);
        BmpLayout layout;
        layout.bitCount = c.bits;
        layout.width = c.width;
        layout.height = 2;
        std::vector<uint32_t> colours;  // in file order
        for (int i = 0; i < c.width * 2; ++i) {
            const uint32_t value = uint32_t(i * 5 + 1);
            if (c.bits <= 8) {
                const uint32_t count = 1u << c.bits;
                layout.pixels.push_back(value % count);
                colours.push_back(0x10 * (value % count) + 0x030201);
            } else if (c.bits == 16) {
                layout.pixels.push_back(value % 32 << 10 | 31);  // red ramp, full blue
                colours.push_back((value % 32 * 255 / 31) << 16 | 0xFF);
            } else {
                layout.pixels.push_back(value * 0x0A0B0C);
                colours.push_back(value * 0x0A0B0C & 0xFFFFFF);
            }
        }
        if (c.bits <= 8)
            for (uint32_t i = 0; i < (1u << c.bits); ++i)
                layout.palette.push_back(0x10 * i + 0x030201);
        writeFile("depth.bmp", buildBmp(layout));
        bitmap.openImageFile(window.handle(), "depth.bmp");
        ASSERT_EQ(bitmap.getWidth(), c.width);
        const Pixels shown = bitmapPixels(bitmap.getShownBitmap());
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < c.width; ++x)
                EXPECT_EQ(shown[size_t(y)][size_t(x)], colours[size_t((1 - y) * c.width + x)])
                    << x << "," << y;
    }
    EXPECT_TRUE(answerer.boxTexts().empty());
}

TEST_F(Loaded, WindowPaintsTheBitmapRowsInPlace) {
    writeFile("gradient.bmp", buildBmp(trueColour(7, 5, gradient)));
    bitmap.openImageFile(window.handle(), "gradient.bmp");
    window.painter = [this](HDC dc) {
        bitmap.drawBitmap(dc, 20, 10, 0, 0, bitmap.getShownBitmap(), 1, 1, 0, 0, 0);
    };
    InvalidateRect(window.handle(), nullptr, TRUE);
    const Capture capture = captureClient(window.handle());
    const Pixels expected = expectedRows(7, 5, gradient);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(capture.at(20 + x, 10 + y), expected[size_t(y)][size_t(x)]) << x << "," << y;
    EXPECT_EQ(capture.at(19, 10), 0xFFFFFFu);
    EXPECT_EQ(capture.at(27, 10), 0xFFFFFFu);
}

TEST_F(Loaded, ZoomByTwoShowsEachPixelAsATwoByTwoBlock) {
    writeFile("wide.bmp", buildBmp(trueColour(3, 2, gradient)));
    bitmap.openImageFile(window.handle(), "wide.bmp");
    ASSERT_EQ(bitmap.makeZoomedCopy(2.0f), 0);
    const Pixels shown = bitmapPixels(bitmap.getShownBitmap());
    ASSERT_EQ(shown.size(), 4u);
    ASSERT_EQ(shown[0].size(), 6u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(shown[size_t(y)][size_t(x)], gradient(x / 2, y / 2)) << x << "," << y;
    EXPECT_EQ(sizes.image, Size(6, 4)) << "the window hears the zoomed size";
    EXPECT_EQ(bitmap.getWidth(), 3) << "the image size stays unzoomed";
    EXPECT_TRUE(answerer.boxTexts().empty());
}

TEST_F(Loaded, ZoomThatCannotBeBuiltKeepsTheShownBitmap) {
    EXPECT_EQ(bitmap.makeZoomedCopy(2.0f), -1) << "nothing loaded";
    EXPECT_TRUE(answerer.boxTexts().empty());
    writeFile("small.bmp", buildBmp(trueColour(2, 2, gradient)));
    bitmap.openImageFile(window.handle(), "small.bmp");
    HBITMAP before = bitmap.getShownBitmap();
    EXPECT_EQ(bitmap.makeZoomedCopy(0.0f), -1);
    EXPECT_EQ(bitmap.makeZoomedCopy(100000.0f), -1);
    EXPECT_EQ(answerer.boxTexts(), (Texts{"lpvBits == NULL", "lpvBits == NULL"}));
    EXPECT_EQ(bitmap.getShownBitmap(), before);
    EXPECT_EQ(bitmapPixels(before), expectedRows(2, 2, gradient));
}

TEST_F(Loaded, FileThatIsNotBmKeepsThePreviousBitmap) {
    writeFile("good.bmp", buildBmp(trueColour(4, 4, gradient)));
    bitmap.openImageFile(window.handle(), "good.bmp");
    HBITMAP before = bitmap.getShownBitmap();
    std::vector<uint8_t> file = buildBmp(paletted8(3, 3));
    file[0] = 'X';
    writeFile("fake.bmp", file);
    bitmap.openImageFile(window.handle(), "fake.bmp");
    EXPECT_EQ(answerer.boxTexts(), Texts{"Could not open File"});
    EXPECT_EQ(bitmap.getShownBitmap(), before);
    EXPECT_EQ(bitmap.getWidth(), 4);
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), expectedRows(4, 4, gradient));
}

TEST_F(Loaded, LyingBmpsEndInCouldNotOpenFileAndKeepThePreviousBitmap) {
    writeFile("good.bmp", buildBmp(trueColour(4, 4, gradient)));
    bitmap.openImageFile(window.handle(), "good.bmp");
    HBITMAP before = bitmap.getShownBitmap();
    HBITMAP loadedBefore = bitmap.getLoadedBitmap();
    struct Lie {
        const char* what;
        size_t offset;  // into the whole file
        uint32_t value;
        int bytes;
    };
    const Lie lies[] = {
        {"zero width", 18, 0, 4},           {"negative height", 22, uint32_t(-3), 4},
        {"huge width", 18, 0x40000000, 4},  {"bit count 2", 28, 2, 2},
        {"bit count 64", 28, 64, 2},        {"colours past the table", 46, 300, 4},
        {"header past the file", 14, 0x7FFFFFFF, 4},
    };
    for (const Lie& lie : lies) {
        SCOPED_TRACE(lie.what);
        std::vector<uint8_t> file = buildBmp(paletted8(6, 4));
        std::memcpy(file.data() + lie.offset, &lie.value, size_t(lie.bytes));
        writeFile("lie.bmp", file);
        const size_t boxesBefore = answerer.boxTexts().size();
        bitmap.openImageFile(window.handle(), "lie.bmp");
        const Texts boxes = answerer.boxTexts();
        ASSERT_EQ(boxes.size(), boxesBefore + 1);
        EXPECT_EQ(boxes.back(), "Could not open File");
        EXPECT_EQ(bitmap.getShownBitmap(), before);
        EXPECT_EQ(bitmap.getLoadedBitmap(), loadedBefore);
        EXPECT_EQ(bitmap.getWidth(), 4);
        EXPECT_EQ(bitmap.isLoaded(), 1);
    }
    // Every prefix of a good file: header only, part of the palette, part of the pixels.
    const std::vector<uint8_t> whole = buildBmp(paletted8(6, 4));
    for (size_t length : {size_t(0), size_t(30), size_t(60), whole.size() - 1}) {
        SCOPED_TRACE(length);
        writeFile("cut.bmp", std::vector<uint8_t>(whole.begin(), whole.begin() + length));
        bitmap.openImageFile(window.handle(), "cut.bmp");
        EXPECT_EQ(answerer.boxTexts().back(), "Could not open File");
        EXPECT_EQ(bitmap.getShownBitmap(), before);
    }
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), expectedRows(4, 4, gradient));
}

TEST_F(Loaded, MissingFileReportsEachStep) {
    bitmap.openImageFile(window.handle(), "missing.bmp");
    EXPECT_EQ(answerer.boxTexts(), (Texts{"Error: INVALID_HANDLE_VALUE ", "ReadFile1 failed",
                                          "Could not open File"}));
    EXPECT_EQ(bitmap.getShownBitmap(), nullptr);
    EXPECT_EQ(answerer.seen().front().caption, "Error");
}

TEST_F(Loaded, NameWithoutLowerCaseExtensionLoadsNothing) {
    writeFile("CAPS.BMP", buildBmp(trueColour(2, 2, gradient)));
    bitmap.openImageFile(window.handle(), "CAPS.BMP");
    EXPECT_TRUE(answerer.boxTexts().empty());
    EXPECT_EQ(bitmap.getLoadedBitmap(), nullptr);
    EXPECT_STREQ(bitmap.getFilePath(), "CAPS.BMP");
}

TEST_F(Loaded, LoadingReportsTheWindowsAndTheImagesSize) {
    writeFile("tile.bmp", buildBmp(trueColour(256, 128, gradient)));
    bitmap.openImageFile(window.handle(), "tile.bmp");
    EXPECT_EQ(sizes.viewport, Size(300, 200));
    EXPECT_EQ(sizes.image, Size(256, 128));
}

TEST_F(Loaded, PgmShowsStopThenBecomesAGreyBitmapWithItsLastRowAtTheBottom) {
    writeFile("grey.pgm", std::string("P5\n3 2\n255\n") + "\x10\x20\x30\x40\x50\x60");
    bitmap.openImageFile(window.handle(), "grey.pgm");
    EXPECT_EQ(answerer.boxTexts(), Texts{"stop"});
    EXPECT_EQ(bitmap.getWidth(), 3);
    EXPECT_EQ(bitmap.getHeight(), 2);
    EXPECT_EQ(bitmap.greyImage().getRows(), 2);
    EXPECT_EQ(bitmapPixels(bitmap.getLoadedBitmap()),
              (Pixels{{0x101010, 0x202020, 0x303030}, {0x404040, 0x505050, 0x606060}}));
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), bitmapPixels(bitmap.getLoadedBitmap()));
    EXPECT_EQ(sizes.image, Size(3, 2));
}

TEST_F(Loaded, BadPgmShowsStopAndKeepsThePreviousBitmap) {
    writeFile("good.bmp", buildBmp(trueColour(4, 4, gradient)));
    bitmap.openImageFile(window.handle(), "good.bmp");
    HBITMAP before = bitmap.getShownBitmap();
    for (const char* content : {"P5 3 2\n255\nabcdef", "P5\n3 2\n255\nabc", "P5\n-3 2\n255\n"}) {
        SCOPED_TRACE(content);
        writeFile("bad.pgm", content);
        const size_t boxesBefore = answerer.boxTexts().size();
        bitmap.openImageFile(window.handle(), "bad.pgm");
        const Texts boxes = answerer.boxTexts();
        EXPECT_EQ(Texts(boxes.begin() + long(boxesBefore), boxes.end()),
                  (Texts{"stop", "CreateDIBitmap failed"}));
        EXPECT_EQ(bitmap.getShownBitmap(), before);
        EXPECT_EQ(bitmap.getWidth(), 4);
    }
}

TEST_F(Loaded, DrawBitmapPlacesTheBitmapAtTheTileLessTheScrollOffsets) {
    writeFile("tile.bmp", buildBmp(trueColour(3, 2, gradient)));
    bitmap.openImageFile(window.handle(), "tile.bmp");
    Canvas canvas(20, 50, 0x00FF00FF);
    // Tile (1, 1) of a 3 x 2 bitmap scrolled by (2, -30): (3·1 − 2, 2·1 + 30 + 4) = (1, 36).
    ASSERT_TRUE(bitmap.drawBitmap(canvas.dc(), 3, 2, 999, 999, bitmap.getShownBitmap(), 1, 1, 4,
                                  2, -30));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(canvas.at(1 + x, 36 + y), gradient(x, y)) << x << "," << y;
    EXPECT_EQ(canvas.at(0, 36), 0xFF00FFu);
    EXPECT_EQ(canvas.at(1, 35), 0xFF00FFu);
}

TEST_F(Loaded, StretchBitmapScalesTheImageSizeByTheFactors) {
    writeFile("tile.bmp", buildBmp(trueColour(3, 2, gradient)));
    bitmap.openImageFile(window.handle(), "tile.bmp");
    HBITMAP stretched = bitmap.stretchBitmap(window.handle(), bitmap.getLoadedBitmap(), 2.0f, -1.5f);
    ASSERT_NE(stretched, nullptr);
    const Pixels pixels = bitmapPixels(stretched);
    ASSERT_EQ(pixels.size(), 3u);
    ASSERT_EQ(pixels[0].size(), 6u);
    EXPECT_EQ(pixels[0][0], gradient(0, 0));
    EXPECT_EQ(pixels[0][5], gradient(2, 0));
    EXPECT_EQ(pixels[2][5], gradient(2, 1));
    DeleteObject(stretched);
}

TEST_F(Loaded, LoadingAnotherBmpReplacesTheBitmapsAndTheBody) {
    writeFile("one.bmp", buildBmp(trueColour(2, 2, gradient)));
    writeFile("two.bmp", buildBmp(paletted8(5, 1)));
    bitmap.openImageFile(window.handle(), "one.bmp");
    bitmap.openImageFile(window.handle(), "two.bmp");
    EXPECT_EQ(bitmap.getWidth(), 5);
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()),
              (Pixels{{0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFEDCBA}}));
    bitmap.releaseDibBlock();
    EXPECT_EQ(bitmap.makeZoomedCopy(1.0f), 0) << "zooming needs no file body";
}

} // namespace
