// OBJ files opened in the real editor: one point per distinct corner where its coordinates
// say, a subset per material with the library's texture in the pane, and every broken or
// hostile file one message, after which the editor still opens a good one.
#include <gtest/gtest.h>

#include <cstdio>

#include "resources/resource.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/dialog_answerer_win.h"
#include "base/atomic_file.h"
#include "graphics/image_decode.h"
#include "viewer/image_group_win.h"

namespace {

// The file-type list of the common file dialogs.
const int kFileTypeControlId = 0x470;
const int kFileNameControlId = 0x47C;

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
    EXPECT_EQ(Hue::Red, hueOf(frame.at(centre.x - 20, centre.y)));
    EXPECT_EQ(Hue::Grey, hueOf(frame.at(centre.x + 20, centre.y)));

}

// The reader's faults are shown on the reader; here each kind of fault is one message, and
// a missing library or texture still opens the mesh.
TEST(EditorObj, EveryBrokenFileIsOneMessageAndTheEditorGoesOn)
{
    const struct {
        std::string obj;
        std::string message;   // its start
        bool opens;
    } cases[] = {
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n", "Error: Could not open file. A face of the OBJ "
         "file names a vertex, texture coordinate or normal that is not there (line 4)", false},
        {"mtllib gone.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
         "The material library \"gone.mtl\" of the OBJ file could not be read", true},
        {"mtllib square.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n",
         "The texture \"gone.bmp\" of the material library was not found", true},
    };
    writeSquare("newmtl red\nmap_Kd gone.bmp\n");
    EditorHost& host = editor();
    for (const auto& c : cases) {
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

// Export... answered with `name` (a full path) and the file type `type` picked from the
// dialog's list (1 binary X, 2 text X, 3 3DS, 4 OBJ) as a user's pick reaches it; a replace
// prompt is answered `replaceAnswer`, and after No the dialog is cancelled. The boxes shown.
Boxes exportAs(const std::string& name, int type, int replaceAnswer = IDYES)
{
    DialogAnswerer answerer;
    answerer.runOnNext([name, type, replaceAnswer](HWND dialog) {
        HWND types = GetDlgItem(dialog, kFileTypeControlId);
        SendMessageA(types, CB_SETCURSEL, WPARAM(type - 1), 0);
        for (WORD notice : {CBN_SELCHANGE, CBN_SELENDOK})
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeControlId, notice), LPARAM(types));
        SetDlgItemTextA(dialog, kFileNameControlId, name.c_str());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        if (replaceAnswer == IDNO)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    answerer.pressOnNextBox(replaceAnswer);
    editor().menuCommand(40140);
    return answerer.boxTexts();
}

// Each format exported with the pane's moved points, and the OBJ file itself saved (last, a
// null name), opens again with the same points; the OBJ files keep the groups and materials.
TEST(EditorExport, EachFormatOpensAgainWithThePanesPoints)
{
    writeSquare("newmtl red\nmap_Kd red.bmp\nnewmtl green\nKd 0 1 0\n");
    struct Kind {
        const char* typed;
        int type;
        const char* written;
    };
    const Kind kinds[] = {{"binary", 1, "binary.x"}, {"text.x", 2, "text.x"},
                          {"grid.3ds", 1, "grid.3ds"}, {"copy", 4, "copy.obj"},
                          {nullptr, 0, "square.obj"}};
    EditorHost& host = editor();
    for (const Kind& kind : kinds) {
        ASSERT_EQ(host.openFile("square.obj"), Boxes{});
        host.dragPoint(16, 16, 6, -4);
        host.pressApply();
        const std::vector<ImagePoint> moved = host.points();
        ASSERT_EQ(moved[4].x, 22.0f);
        if (kind.typed) {
            std::remove(kind.written);   // from an earlier run: no replace prompt
            EXPECT_EQ(exportAs(pathInCurrentFolder(kind.typed), kind.type), Boxes{}) << kind.written;
        } else {
            DialogAnswerer answerer;
            host.menuCommand(IDM_SAVE);
            EXPECT_EQ(answerer.boxTexts(), Boxes{});
        }
        ASSERT_EQ(host.openFile(kind.written), Boxes{}) << kind.written;
        expectSamePoints(moved, kind.written);
    }
    EXPECT_EQ(readFileText("text.x").substr(0, 16), "xof 0302txt 0032");
    for (const char* name : {"copy.obj", "square.obj"})
        for (const char* kept : {"mtllib square.mtl\n", "g left\n", "g right\n", "usemtl green\n"})
            EXPECT_NE(readFileText(name).find(kept), std::string::npos) << name << ": " << kept;
}

TEST(EditorExport, AsksBeforeReplacingAndKeepsTheFileWhenTheSaveFails)
{
    writeSquare("newmtl red\nmap_Kd red.bmp\n");
    ASSERT_EQ(editor().openFile("square.obj"), Boxes{});
    writeFile("taken.obj", "the user's earlier file");
    EXPECT_EQ(exportAs(pathInCurrentFolder("taken.obj"), 4, IDNO).size(), 1u);
    EXPECT_EQ(readFileText("taken.obj"), "the user's earlier file");
    failSavesAfterBytes(20);
    const Boxes boxes = exportAs(pathInCurrentFolder("taken.obj"), 4, IDYES);
    stopFailingSaves();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], saveFailureMessage(SaveResult::WriteFailed));
    EXPECT_EQ(readFileText("taken.obj"), "the user's earlier file");
}

// The layout at twice the bitmap's size, over the bitmap and then over a clear ground.
TEST(EditorExport, UvLayoutDrawsTheEdgesAtTheTypedSize)
{
    writeSquare("newmtl red\nmap_Kd red.bmp\nnewmtl green\nmap_Kd red.bmp\n");
    ASSERT_EQ(editor().openFile("square.obj"), Boxes{});
    for (bool over : {true, false}) {
        DialogAnswerer answerer;
        answerer.runOnNext([over](HWND dialog) {
            SetDlgItemInt(dialog, 1150, 128, FALSE);
            SetDlgItemInt(dialog, 1151, 64, FALSE);
            CheckDlgButton(dialog, 1152, over ? BST_CHECKED : BST_UNCHECKED);
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        const std::string name = over ? "over.png" : "plain";
        std::remove(over ? "over.png" : "plain.png");
        answerer.typeFileName(pathInCurrentFolder(name));
        editor().menuCommand(40141);
        EXPECT_EQ(answerer.seen().size(), 2u);   // the two dialogs, and no message box
        const std::vector<uint8_t> png = readFileBytes(over ? "over.png" : "plain.png");
        DecodedImage decoded;
        ASSERT_EQ(decodeImage(png.data(), png.size(), decoded), ImageStatus::Ok);
        const Image& picture = decoded.image;
        ASSERT_EQ(picture.width, 128u);
        ASSERT_EQ(picture.height, 64u);
        // The edge from (32, 32) to (32, 0) of the bitmap runs down column 64, in black.
        for (uint32_t y = 2; y < 62; y += 10)
            EXPECT_EQ(picture.pixels[y * 128 + 64], 0xFF000000u) << y;
        // Left of the quads' diagonal and off every edge: the bitmap's red, or nothing.
        EXPECT_EQ(picture.pixels[10 * 128 + 10], over ? 0xFFFF0000u : 0u);
    }
}

} // namespace
