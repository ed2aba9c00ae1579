// PNG, JPEG, TGA and DDS files in an image window's bitmap, decoded as the 3D view's textures
// are: the picture's own pixels, top row first, and a broken file of each kind one "Could not
// open File" that keeps the picture shown before.
#include <gtest/gtest.h>

#include "imagefile/image_bitmap_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/test_files.h"
#include "tests/support/test_window_win.h"
#include "tests/support/tree_paths.h"

namespace {

using Texts = std::vector<std::string>;

std::string seed(const std::string& name)
{
    return readFileText(sourcePath("tests/graphics/image_seeds/" + name));
}

TEST(PictureBitmap, ShowsEachKindAndRefusesBrokenOnes)
{
    // The seeds' pictures: 5 x 3 of six colours at (x + 2y) % 6, 2 x 2 of four, 4 x 4 red.
    const uint32_t many[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x123456, 0xABCDEF};
    struct Case {
        const char* seed;
        const char* name;   // any case of the ending
        int width, height;
        int x, y;
        uint32_t colour;
    };
    const Case cases[] = {
        {"image.png", "a.png", 5, 3, 4, 2, many[(4 + 4) % 6]},
        {"image.tga", "b.TGA", 5, 3, 1, 1, many[3]},
        {"rgb.dds", "c.dds", 2, 2, 1, 1, 0x203040},
        {"dxt1.dds", "d.Dds", 4, 4, 3, 3, 0xFF0000},
        {"image.jpg", "e.jpeg", 16, 16, 0, 0, 0},
    };
    TestWindow window{300, 200};
    ImageBitmap bitmap;
    for (const Case& c : cases) {
        writeFile(c.name, seed(c.seed));
        DialogAnswerer answerer;
        bitmap.openImageFile(window.handle(), c.name);
        EXPECT_EQ(answerer.boxTexts(), Texts{}) << c.name;
        ASSERT_EQ(bitmap.getWidth(), c.width) << c.name;
        ASSERT_EQ(bitmap.getHeight(), c.height) << c.name;
        if (c.colour) {
            EXPECT_EQ(bitmapPixels(bitmap.getLoadedBitmap())[size_t(c.y)][size_t(c.x)], c.colour)
                << c.name;
        }
    }
    const std::string png = seed("image.png");
    const std::pair<const char*, std::string> broken[] = {
        {"cut.png", png.substr(0, png.size() / 2)},
        {"empty.jpg", ""},
        {"corrupt.dds", seed("corrupt-dxt1_no_width.dds")},
        {"bmp.tga", seed("bmp24.bmp").substr(0, 20)},
    };
    for (const auto& file : broken) {
        writeFile(file.first, file.second);
        DialogAnswerer answerer;
        bitmap.openImageFile(window.handle(), file.first);
        EXPECT_EQ(answerer.boxTexts(), Texts{"Could not open File"}) << file.first;
        EXPECT_EQ(bitmap.getWidth(), 16) << file.first;
    }
}

} // namespace
