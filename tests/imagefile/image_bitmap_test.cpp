// The bitmap object of an image window, in a real window: files become device bitmaps, zoomed
// and stretched copies (where the tiles land is the image pane's suite's); a failure keeps
// what was shown and tells the user (every box answered).
// PNG, JPEG, TGA and DDS files are decoded as the 3D view's textures are (their pixels are the
// decoders' own suite's): here the picture's top row comes first, whatever the ending's case.
#include "imagefile/image_bitmap_win.h"

#include <gtest/gtest.h>
#include <cstring>
#include "tests/support/bmp_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "tests/support/test_window_win.h"
#include "tests/support/tree_paths.h"

namespace {

using Pixels = std::vector<std::vector<uint32_t>>;
using Texts = std::vector<std::string>;
using Size = std::pair<int, int>;

uint32_t gradient(int x, int y) { return uint32_t(0x400000 * (x % 4) + 0x2000 * y + 0x11 * x + 7); }

// The gradient as the window should show it, each pixel a `zoom` x `zoom` block, top row first.
Pixels gradientRows(int width, int height, int zoom = 1) {
    Pixels rows(size_t(height * zoom), std::vector<uint32_t>(size_t(width * zoom)));
    for (int y = 0; y < height * zoom; ++y)
        for (int x = 0; x < width * zoom; ++x)
            rows[size_t(y)][size_t(x)] = gradient(x / zoom, y / zoom);
    return rows;
}

struct ImageBitmapInWindow : testing::Test, ImageSizeListener {
    TestWindow window{300, 200};
    DialogAnswerer answerer;
    ImageBitmap bitmap;
    Size viewport{-1, -1}, image{-1, -1};   // the last sizes the window heard
    ImageBitmapInWindow() { bitmap.setSizeListener(this); }
    void viewportSized(int width, int height) override { viewport = {width, height}; }
    void imageSized(int width, int height) override { image = {width, height}; }
    void open(const char* name, int width, int height) {
        writeFile(name, buildBmp24(width, height, gradient));
        bitmap.openImageFile(window.handle(), name);
    }
};

TEST_F(ImageBitmapInWindow, BmpBecomesABitmapOfItsPixelsAndZoomsInBlocks) {
    open("odd.bmp", 7, 5);   // rows padded, in the file and in the device bitmap
    EXPECT_EQ(bitmap.isLoaded(), 1);
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), gradientRows(7, 5));
    EXPECT_EQ(viewport, Size(300, 200)) << "the window's client area";
    EXPECT_EQ(image, Size(7, 5));
    ASSERT_EQ(bitmap.makeZoomedCopy(2.0f), 0);
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), gradientRows(7, 5, 2));
    EXPECT_EQ(image, Size(14, 10)) << "the window hears the zoomed size";
    EXPECT_EQ(bitmap.getWidth(), 7) << "the image keeps its own";
    bitmap.releaseDibBlock();
    EXPECT_EQ(bitmap.makeZoomedCopy(1.0f), 0) << "zooming needs no file body";
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), gradientRows(7, 5));
    EXPECT_TRUE(answerer.boxTexts().empty());
}

TEST_F(ImageBitmapInWindow, FailuresKeepWhatWasShownAndTellTheUser) {
    EXPECT_EQ(bitmap.makeZoomedCopy(2.0f), -1) << "nothing loaded";
    bitmap.openImageFile(window.handle(), "missing.bmp");
    open("good.bmp", 4, 4);
    ASSERT_EQ(bitmap.makeZoomedCopy(2.0f), 0);   // the zoomed copy is what is shown
    HBITMAP shown = bitmap.getShownBitmap(), loaded = bitmap.getLoadedBitmap();
    EXPECT_EQ(bitmap.makeZoomedCopy(0.0f), -1);
    std::vector<uint8_t> file = buildBmp24(3, 3, gradient);
    file[28] = 2;   // 2 bits per pixel: no BMP this program reads
    writeFile("lie.bmp", file);
    file[0] = 'X';
    writeFile("fake.bmp", file);
    writeFile("CAPS.BMP", buildBmp24(2, 2, gradient));   // the name is tested as written
    const std::string longName(300, 'n');
    for (const char* name : {"lie.bmp", "fake.bmp", "CAPS.BMP", longName.c_str()})
        bitmap.openImageFile(window.handle(), name);
    EXPECT_EQ(answerer.boxTexts(), (Texts{"Error: INVALID_HANDLE_VALUE ", "ReadFile1 failed", "Could not open File",
                                          "lpvBits == NULL", "Could not open File", "Could not open File"}));
    EXPECT_EQ(answerer.seen().front().caption, "Error");
    EXPECT_EQ(bitmap.getShownBitmap(), shown);
    EXPECT_EQ(bitmap.getLoadedBitmap(), loaded);
    EXPECT_EQ(bitmap.isLoaded(), 1);
    EXPECT_EQ(bitmapPixels(loaded), gradientRows(4, 4));
    EXPECT_EQ(std::strlen(bitmap.getFilePath()), 245u);
}

TEST_F(ImageBitmapInWindow, PgmShowsStopThenBecomesAGreyBitmapWithItsLastRowAtTheBottom) {
    writeFile("grey.pgm", std::string("P5\n3 2\n255\n") + "\x10\x20\x30\x40\x50\x60");
    bitmap.openImageFile(window.handle(), "grey.pgm");
    EXPECT_EQ(bitmapPixels(bitmap.getShownBitmap()), (Pixels{{0x101010, 0x202020, 0x303030}, {0x404040, 0x505050, 0x606060}}));
    EXPECT_EQ(image, Size(3, 2));
    // A short file shows the rows it had, the rest black, and says it was short; an image over
    // the size cap says so and keeps what was shown.
    writeFile("short.pgm", std::string("P5\n3 2\n255\n") + "\x10\x20\x30\x40");
    bitmap.openImageFile(window.handle(), "short.pgm");
    HBITMAP shown = bitmap.getShownBitmap();
    EXPECT_EQ(bitmapPixels(shown), (Pixels{{0x101010, 0x202020, 0x303030}, {0x404040, 0, 0}}));
    writeFile("huge.pgm", "P5\n10000 10000\n255\n");
    bitmap.openImageFile(window.handle(), "huge.pgm");
    writeFile("plain.pgm", "P2\n1 1\n255\n0\n");   // a PGM of text, which is not read
    bitmap.openImageFile(window.handle(), "plain.pgm");
    EXPECT_EQ(answerer.boxTexts(), (Texts{"stop", "file was short: -1 (1,1;2,3)", "stop", "Insufficient memory for new image",
                                          "stop", "stop", "CreateDIBitmap failed"}));
    EXPECT_EQ(bitmap.getShownBitmap(), shown);
}

TEST_F(ImageBitmapInWindow, StretchingScalesTheBitmapByTheFactorsMadePositive) {
    open("tile.bmp", 3, 2);
    HBITMAP stretched = bitmap.stretchBitmap(window.handle(), bitmap.getLoadedBitmap(), 2.0f, -1.5f);
    const Pixels pixels = bitmapPixels(stretched);
    DeleteObject(stretched);
    ASSERT_EQ(pixels.size() * 10 + pixels[0].size(), 36u) << "6 x 3";
    EXPECT_EQ(pixels[0][0], gradient(0, 0));
    EXPECT_EQ(pixels[2][5], gradient(2, 1));
}

// Which decoder reads a picture is chosen by its ending, in any case; the decoders' pixels are
// their own suite's, so one picture per ending, its top row first, and one broken file.
TEST_F(ImageBitmapInWindow, PicturesShowTheirPixelsAndABrokenOneKeepsThePictureShown) {
    auto seed = [](const char* name) { return readFileText(sourcePath("tests/graphics/image_seeds/") + name); };
    // The 5 x 3 seeds show six colours at (x + 2y) % 6; dxt1.dds is 4 x 4 red; image.jpg 16 x 16.
    // Each picture differs in width from the one before, so a picture not read shows.
    const struct { const char *seed, *name; int width, x, y; uint32_t colour; } cases[] = {
        {"image.tga", "b.TGA", 5, 1, 1, 0xFFFFFF}, {"dxt1.dds", "d.Dds", 4, 3, 3, 0xFF0000},
        {"image.png", "a.png", 5, 4, 2, 0x0000FF}, {"image.jpg", "e.jpeg", 16, 0, 0, 0}};
    for (const auto& c : cases) {
        writeFile(c.name, seed(c.seed));
        bitmap.openImageFile(window.handle(), c.name);
        ASSERT_EQ(bitmap.getWidth(), c.width) << c.name;
        if (c.colour) {   // (the JPEG's are lossy)
            EXPECT_EQ(bitmapPixels(bitmap.getLoadedBitmap())[size_t(c.y)][size_t(c.x)], c.colour) << c.name;
        }
    }
    writeFile("broken.jpg", seed("image.png").substr(0, 40));
    bitmap.openImageFile(window.handle(), "broken.jpg");
    EXPECT_EQ(bitmap.getWidth(), 16) << "the last picture stays";
    EXPECT_EQ(answerer.boxTexts(), Texts{"Could not open File"});
}

} // namespace
