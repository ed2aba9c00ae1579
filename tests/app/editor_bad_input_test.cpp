// Broken, truncated and hostile files given to the real editor: the program's message, no
// crash, and a program that still opens, maps and saves afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/globals_win.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/chunk_builder.h"
#include "tests/support/dialog_answerer_win.h"
#include "viewer/image_group_win.h"

namespace {

const char kCouldNotOpen[] = "Error: Could not open file";

bool contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Opens a good textured file, maps it onto the xy plane and saves it: the editor still works.
void expectEditorStillWorks()
{
    writeBmp("red.bmp", 64, 32, [](int, int) { return 0xFF0000u; });
    writeXFile("good.x", squareMesh("red.bmp", 0.25f, 0.75f, -0.75f, -0.25f));
    EditorHost& host = editor();
    ASSERT_TRUE(host.openFile("good.x").empty());
    EXPECT_EQ(host.pane().pointCount(), 4);
    const Capture frame = host.frame();
    EXPECT_TRUE(isReddish(frame.at(frame.width / 2, frame.height / 2)));

    DialogAnswerer answerer;
    answerer.runOnNext([](HWND dialog) { SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0); });
    host.menuCommand(40052);
    EXPECT_EQ(host.points()[2].x, 64.0f);

    DeleteFileA("after.x");
    host.saveAs("after.x");
    EXPECT_TRUE(fileExists("after.x"));
}

TEST(EditorBadInput, EveryTruncationOfASavedFileIsReported)
{
    expectEditorStillWorks();
    const std::string whole = readFileText("after.x");
    ASSERT_GT(whole.size(), 100u);
    for (size_t length : {size_t(0), size_t(10), size_t(16), size_t(40), whole.size() / 3,
                          whole.size() / 2, whole.size() - 20, whole.size() - 1}) {
        writeFile("cut.x", whole.substr(0, length));
        const auto boxes = editor().openFile("cut.x");
        EXPECT_TRUE(contains(boxes, kCouldNotOpen)) << length;
    }
    expectEditorStillWorks();
}

TEST(EditorBadInput, HostileCountsAndIndicesAreReported)
{
    const char* hostile[] = {
        // far more vertices than the file holds
        "xof 0303txt 0032\nMesh {\n 1000000000;\n 0;0;0;,\n 1;0;0;;\n 1;\n 3;0,1,0;;\n}\n",
        // a face using a vertex the mesh does not have
        "xof 0303txt 0032\nMesh {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,70000;;\n}\n",
        // a face with a negative corner count
        "xof 0303txt 0032\nMesh {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n -3;0,1,2;;\n}\n",
        // nothing but the header
        "xof 0303txt 0032\n",
    };
    for (const char* text : hostile) {
        writeFile("hostile.x", text);
        EXPECT_TRUE(contains(editor().openFile("hostile.x"), kCouldNotOpen)) << text;
    }
    expectEditorStillWorks();
}

TEST(EditorBadInput, MissingOrBrokenTextureLeavesAnUntexturedMesh)
{
    for (const char* texture : {"missing.bmp", "broken.bmp"}) {
        SCOPED_TRACE(texture);
        writeFile("broken.bmp", "BM this is not a bitmap");
        DeleteFileA("missing.bmp");
        writeXFile("lost_texture.x", squareMesh(texture, 0, 1, -1, 0));
        const auto boxes = editor().openFile("lost_texture.x");
        EXPECT_TRUE(contains(boxes, "Could not open File"));
        EXPECT_FALSE(contains(boxes, kCouldNotOpen));
        ASSERT_EQ(editor().subsetCount(), 1u);
        EXPECT_EQ(editor().subsetTexture(0), nullptr);
        const Capture frame = editor().frame();
        EXPECT_TRUE(isGrey(frame.at(frame.width / 2, frame.height / 2)));
    }
    expectEditorStillWorks();
}

TEST(EditorBadInput, DamagedThreedsFileGetsOneMessageAndTheMeshShownStays)
{
    const std::vector<Vertex3ds> corners = {{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}};
    const auto square = [&](const std::vector<Face3ds>& faces) {
        return mainFile(objectChunk("sq", join({vertexListChunk(corners), faceListChunk(faces)})));
    };
    std::vector<uint8_t> cut = square({{0, 1, 2}, {0, 2, 3}});
    cut.resize(cut.size() - 20);   // inside the face list
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* box;
    } cases[] = {
        {"cut short", cut, "Error: 3DS file is damaged"},
        {"a face past the vertices", square({{0, 1, 9}}),
         "Error: 3DS face index past the vertex count"},
    };
    for (const auto& c : cases) {
        expectEditorStillWorks();
        const Capture before = editor().frame();
        const int points = editor().pane().pointCount();
        writeFile("damaged.3ds", c.bytes);
        EXPECT_EQ(editor().openFile("damaged.3ds"), std::vector<std::string>{c.box}) << c.what;
        EXPECT_EQ(differingPixels(before, editor().frame()), 0) << c.what;
        EXPECT_EQ(editor().pane().pointCount(), points) << c.what;
    }
    expectEditorStillWorks();
}

} // namespace
