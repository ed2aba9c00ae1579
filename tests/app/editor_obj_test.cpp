// OBJ files opened in the real editor: one point per distinct corner where its coordinates
// say, a subset per material with the library's texture in the pane, and every broken or
// hostile file one message, after which the editor still opens a good one.
#include <gtest/gtest.h>

#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/tree_paths.h"
#include "imagefile/image_bitmap_win.h"
#include "viewer/image_group_win.h"

namespace {

using Boxes = std::vector<std::string>;

// A square from two quads of two materials; corner 2 has two texture coordinates.
const char kSquareObj[] = "mtllib square.mtl\n"
                          "v -1 -1 0\nv 0 -1 0\nv 1 -1 0\nv -1 1 0\nv 0 1 0\nv 1 1 0\n"
                          "vt 0 0\nvt 0.5 0\nvt 0.5 1\nvt 0 1\nvt 1 0\nvt 1 1\nvt 0.25 0.5\n"
                          "g left\nusemtl red\nf 1/1 2/2 5/3 4/4\n"
                          "g right\nusemtl green\nf 2/7 3/5 6/6 5/3\n";

void writeSquare(const std::string& mtl)
{
    writeBitmap("red.bmp", 0xFF0000);
    writeFile("square.obj", kSquareObj);
    writeFile("square.mtl", mtl);
}

TEST(EditorObj, OpensCornersMaterialsAndTheLibrarysTexture)
{
    writeSquare("newmtl red\nKd 1 1 1\nmap_Kd red.bmp\nnewmtl green\nKd 0 1 0\n");
    EditorHost& host = editor();
    ASSERT_EQ(host.openFile("square.obj"), Boxes{});
    EXPECT_EQ(host.subsetCount(), 2u);
    EXPECT_NE(host.subsetTexture(0), nullptr);
    EXPECT_EQ(host.subsetTexture(1), nullptr);
    // Seven distinct corners at (u·64, (1 - v)·32), in the order the faces first use them.
    const std::vector<ImagePoint> points = host.points();
    const float expected[7][2] = {{0, 32}, {32, 32}, {32, 0}, {0, 0}, {16, 16}, {64, 32}, {64, 0}};
    ASSERT_EQ(points.size(), 7u);
    for (size_t k = 0; k < 7; ++k) {
        EXPECT_FLOAT_EQ(points[k].x, expected[k][0]) << k;
        EXPECT_FLOAT_EQ(points[k].y, expected[k][1]) << k;
    }
    // The left half shows the red texture, the right half is untextured.
    const Capture frame = host.frame();
    const POINT centre = centreOfNotBlue(frame);
    EXPECT_TRUE(isReddish(frame.at(centre.x - 20, centre.y)));
    EXPECT_TRUE(isGrey(frame.at(centre.x + 20, centre.y)));

    // Open Bitmap takes a PNG into the pane and onto every subset.
    writeFile("pic.png", readFileText(sourcePath("tests/graphics/image_seeds/image.png")));
    DialogAnswerer answerer;
    answerer.typeFileName(pathInCurrentFolder("pic.png"));
    host.menuCommand(40045);
    EXPECT_EQ(answerer.boxTexts(), Boxes{});
    EXPECT_EQ(host.pane().windowBitmap()->getWidth(), 5);
    EXPECT_NE(host.subsetTexture(1), nullptr);
}

TEST(EditorObj, EveryBrokenFileIsOneMessageAndTheEditorGoesOn)
{
    std::string huge = "v 0 0 0\n";
    for (int t = 0; t < 65536; ++t)
        huge += "vt 0 " + std::to_string(t) + "\nf 1/1 1/" + std::to_string(t + 1) + " 1/1\n";
    struct Case {
        std::string obj;
        std::string message;   // its start
        bool opens;
    };
    const Case cases[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", "Error: Could not open file. A face of the OBJ "
         "file names a vertex, texture coordinate or normal that is not there (line 4)", false},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 0 2\n", "Error: Could not open file. A face", false},
        {"v 0 0 0\nv nan 0 0\nv 0 1 0\nf 1 2 3\n", "Error: Could not open file. The OBJ file "
         "has a number that is no number, or a face of fewer than three corners (line 2)", false},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2", "Error: Could not open file. The OBJ file has a "
         "number", false},
        {"", "Error: Could not open file. The OBJ file has no faces.", false},
        {std::string(200000, 'x') + "\nv 0 0 0\n", "Error: Could not open file. The OBJ file "
         "has no faces.", false},
        {huge, "Error: Could not open file. The mesh has 65536 vertices", false},
        {"mtllib gone.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
         "The material library \"gone.mtl\" of the OBJ file could not be read", true},
        {"mtllib square.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n",
         "The texture \"gone.bmp\" of the material library was not found", true},
    };
    writeSquare("newmtl red\nmap_Kd gone.bmp\n");
    EditorHost& host = editor();
    for (const Case& c : cases) {
        writeFile("broken.obj", c.obj);
        const Boxes boxes = host.openFile("broken.obj");
        ASSERT_EQ(boxes.size(), 1u) << c.message;
        EXPECT_EQ(boxes[0].substr(0, c.message.size()), c.message);
        EXPECT_EQ(host.meshData().sysMemMesh != nullptr, c.opens) << c.message;
    }
    writeSquare("newmtl red\nmap_Kd red.bmp\n");
    ASSERT_EQ(host.openFile("square.obj"), Boxes{});
    EXPECT_EQ(host.pane().pointCount(), 7);
}

} // namespace
