// The Edit menu in the real editor: undo and redo of drags and projections with the menu's
// labels, flips and turns, the Transform dialog, nudging, snapping, the selection commands and
// the status at the menu bar's end; and the File menu's Save and Close File.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "resources/resource.h"
#include "tests/app/editor_host.h"
#include "tests/app/test_media.h"
#include "tests/support/dialog_answerer_win.h"
#include "viewer/image_group_win.h"
#include "viewer/viewer_settings.h"

namespace {

const int kWidth = 64;
const int kHeight = 32;

bool sameBits(const std::vector<ImagePoint>& a, const std::vector<ImagePoint>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (std::memcmp(&a[k].x, &b[k].x, 4) || std::memcmp(&a[k].y, &b[k].y, 4))
            return false;
    return true;
}

// The text of a menu item and whether it is greyed, as the user sees them on opening the menu.
struct MenuItem {
    std::string text;
    bool greyed;
};
MenuItem editItem(EditorHost& host, UINT command)
{
    HMENU menu = GetMenu(host.mainWindow());
    SendMessageA(host.mainWindow(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(menu, 1)), 1);
    char text[100] = {};
    GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
    return {text, (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0};
}

class EditorEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeBitmap("grey.bmp", 0xFF0000, 0x00FF00);
        writeXFile("square.x", squareMesh("grey.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
        ASSERT_TRUE(editor().openFile("square.x").empty());
        opened = editor().points();
    }
    void TearDown() override { g_autoUpdateMesh = false; }

    void expectMeshHolds(const std::vector<ImagePoint>& points)
    {
        const std::vector<EditorHost::UV> uv = editor().meshCoordinates();
        ASSERT_EQ(uv.size(), points.size());
        for (size_t k = 0; k < uv.size(); ++k)
            EXPECT_EQ(uv[k].u, points[k].x / kWidth) << k;
    }

    std::vector<ImagePoint> opened;
};

TEST_F(EditorEditing, DragAndProjectionAreUndoneAndRedoneExactlyWithTheMeshFollowing)
{
    EditorHost& host = editor();
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
    g_autoUpdateMesh = true;
    host.dragPoint(opened[2].x, opened[2].y, 9, -5);
    const std::vector<ImagePoint> dragged = host.points();
    {
        DialogAnswerer answerer;
        answerer.runOnNext([](HWND dialog) { SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0); });
        host.menuCommand(IDM_MAP_TEXTURE_COORDINATES);
    }
    const std::vector<ImagePoint> projected = host.points();
    ASSERT_FALSE(sameBits(projected, dragged));
    EXPECT_EQ("&Undo Projection\tCtrl+Z", editItem(host, IDM_UNDO).text);

    host.menuCommand(IDM_UNDO);
    EXPECT_TRUE(sameBits(host.points(), dragged));
    expectMeshHolds(dragged);
    EXPECT_EQ("&Undo Move\tCtrl+Z", editItem(host, IDM_UNDO).text);
    EXPECT_EQ("&Redo Projection\tCtrl+Y", editItem(host, IDM_REDO).text);
    host.viewCommand(IDM_UNDO);   // the accelerators' way in: the 3D view's window
    EXPECT_TRUE(sameBits(host.points(), opened));
    expectMeshHolds(opened);
    EXPECT_EQ("&Undo\tCtrl+Z", editItem(host, IDM_UNDO).text);
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
    host.menuCommand(IDM_REDO);
    host.viewCommand(IDM_REDO);
    EXPECT_TRUE(sameBits(host.points(), projected));
    EXPECT_TRUE(editItem(host, IDM_REDO).greyed);

    // Without automatic update the mesh follows an undo on apply; opening clears the history.
    g_autoUpdateMesh = false;
    host.menuCommand(IDM_UNDO);
    expectMeshHolds(projected);
    host.pressApply();
    expectMeshHolds(dragged);
    ASSERT_TRUE(host.openFile("square.x").empty());
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
    EXPECT_TRUE(editItem(host, IDM_REDO).greyed);
}

void clickPoint(EditorHost& host, const ImagePoint& p)
{
    host.paneMouse(WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON);
    host.paneMouse(WM_LBUTTONUP, p.x, p.y);
}

void key(EditorHost& host, WPARAM key, bool down = true)
{
    SendMessageA(host.paneWindow(), down ? WM_KEYDOWN : WM_KEYUP, key, 0);
}

std::string selection(EditorHost& host)
{
    std::string out;
    for (const ImagePoint& p : host.points())
        out += p.selected ? '1' : '0';
    return out;
}

// Runs Edit > Transform...: fills the boxes (id, text) of each round and presses OK, the last
// round's button being `last`. Returns the texts of the message boxes shown.
std::vector<std::string> transform(EditorHost& host, std::vector<std::vector<std::pair<int, const char*>>> rounds,
                                   int last = IDOK)
{
    DialogAnswerer answerer;
    answerer.runOnNext([&](HWND dialog) {
        for (size_t r = 0; r < rounds.size(); ++r) {
            for (const auto& [id, text] : rounds[r]) {
                if (id == IDC_SET_POSITION || id == IDC_POSITION_UV)
                    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
                else
                    SetDlgItemTextA(dialog, id, text);
            }
            SendDlgItemMessageA(dialog, r + 1 == rounds.size() ? last : IDOK, BM_CLICK, 0, 0);
        }
    });
    host.menuCommand(IDM_TRANSFORM);
    std::vector<std::string> texts;
    for (const DialogAnswerer::Box& box : answerer.seen())
        if (box.caption != "Transform" || box.style != 0)
            texts.push_back(box.text);
    return texts;
}

TEST_F(EditorEditing, ShapeCommandsTransformAndNudgesMoveTheSelectionAsOneStepEach)
{
    EditorHost& host = editor();
    {
        DialogAnswerer answerer;
        host.menuCommand(IDM_FLIP_HORIZONTAL);
        host.menuCommand(IDM_TRANSFORM);
        EXPECT_EQ(2u, answerer.boxTexts().size());
        EXPECT_TRUE(sameBits(host.points(), opened));
    }
    host.menuCommand(IDM_SELECT_ALL);
    host.menuCommand(IDM_FLIP_VERTICAL);
    EXPECT_EQ("&Undo Flip Vertically\tCtrl+Z", editItem(host, IDM_UNDO).text);
    const std::vector<ImagePoint> flipped = host.points();
    for (size_t k = 0; k < flipped.size(); ++k)   // the square's points swap rows
        EXPECT_NEAR(flipped[k].y, opened[k ^ 1].y, 1e-4) << k;

    // Bad entries are named and change nothing; good ones scale about the centre.
    std::vector<std::string> boxes = transform(host, {{{IDC_SCALE_X, "0"}}, {{IDC_SCALE_X, ""}}, {}}, IDCANCEL);
    EXPECT_EQ((std::vector<std::string>{"A scale of 0% would collapse the selection; enter another scale.",
                                         "Scale x: enter a number."}),
              boxes);
    EXPECT_TRUE(sameBits(host.points(), flipped));
    EXPECT_TRUE(transform(host, {{{IDC_SCALE_X, "200"}, {IDC_MOVE_Y, "-1.5"}}}).empty());
    const float width = flipped[2].x - flipped[0].x;
    EXPECT_NEAR(host.points()[2].x - host.points()[0].x, 2 * width, 1e-3);
    EXPECT_NEAR(host.points()[0].y, flipped[0].y - 1.5f, 1e-3);
    EXPECT_EQ("&Undo Transform\tCtrl+Z", editItem(host, IDM_UNDO).text);

    // One point: put it at u, v; nudge it with the arrows, snapped once snapping is on.
    clickPoint(host, host.points()[1]);
    EXPECT_TRUE(transform(host, {{{IDC_SET_POSITION, ""}, {IDC_POSITION_UV, ""}, {IDC_POSITION_X, "0.5"},
                                  {IDC_POSITION_Y, "0.25"}}}).empty());
    EXPECT_EQ(kWidth * 0.5f, host.points()[1].x);
    EXPECT_EQ(kHeight * 0.25f, host.points()[1].y);
    key(host, VK_RIGHT);
    key(host, VK_SHIFT);
    key(host, VK_DOWN);
    key(host, VK_SHIFT, false);
    EXPECT_EQ(kWidth * 0.5f + 1, host.points()[1].x);
    EXPECT_EQ(kHeight * 0.25f + 10, host.points()[1].y);
    host.menuCommand(IDM_SNAP_TO_TEXELS);
    EXPECT_EQ(MF_CHECKED, GetMenuState(GetMenu(host.mainWindow()), IDM_SNAP_TO_TEXELS, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(transform(host, {{{IDC_MOVE_X, "0.3"}, {IDC_MOVE_Y, "0.6"}}}).empty());
    EXPECT_EQ(std::round(kWidth * 0.5f + 1.3f), host.points()[1].x);
    // From between texels (a typed move with snapping off), a drag and a nudge land on whole texels.
    for (bool byDrag : {true, false}) {
        host.menuCommand(IDM_SNAP_TO_TEXELS);
        EXPECT_TRUE(transform(host, {{{IDC_MOVE_X, "0.3"}, {IDC_MOVE_Y, "0.6"}}}).empty());
        EXPECT_NE(std::round(host.points()[1].x), host.points()[1].x);
        host.menuCommand(IDM_SNAP_TO_TEXELS);
        if (byDrag)
            host.dragPoint(host.points()[1].x, host.points()[1].y, 3, 2);
        else
            key(host, VK_RIGHT);
        const ImagePoint landed = host.points()[1];
        EXPECT_EQ(std::round(landed.x), landed.x) << byDrag;
        EXPECT_EQ(std::round(landed.y), landed.y) << byDrag;
    }
    host.menuCommand(IDM_SNAP_TO_TEXELS);

    // Every step undoes back to the file's points.
    for (int step = 0; step < 10; ++step)
        host.menuCommand(IDM_UNDO);
    EXPECT_TRUE(sameBits(host.points(), opened));
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
}

// Two islands whose vertices 0 and 2 have copies (4 and 5) at the same places: a seam.
TEST(EditorSelection, IslandsSeamsRingsAndTheStatusAtTheMenuBarsEnd)
{
    TestMesh seam = squareMesh("grey.bmp", 0.1f, 0.4f, -0.9f, -0.1f);
    seam.vertices.push_back(seam.vertices[0]);
    seam.vertices.push_back(seam.vertices[2]);
    for (int k : {3, 4, 5})
        seam.vertices[size_t(k)].u += 0.5f;
    seam.corners = {0, 1, 2, 4, 5, 3};
    writeXFile("seam.x", seam);
    EditorHost& host = editor();
    ASSERT_TRUE(host.openFile("seam.x").empty());
    ASSERT_EQ(6u, host.points().size());

    clickPoint(host, host.points()[0]);
    host.menuCommand(IDM_SELECT_CONNECTED);
    EXPECT_EQ("111000", selection(host));
    host.menuCommand(IDM_SELECT_STACKED);
    EXPECT_EQ("111011", selection(host));
    host.menuCommand(IDM_INVERT_SELECTION);
    EXPECT_EQ("000100", selection(host));
    host.menuCommand(IDM_GROW_SELECTION);
    EXPECT_EQ("000111", selection(host));

    host.paneMouse(WM_MOUSEMOVE, 16, 8);
    host.frame();
    char status[200] = {};
    GetMenuStringA(GetMenu(host.mainWindow()), IDM_EDIT_STATUS, status, sizeof(status), MF_BYCOMMAND);
    EXPECT_STREQ("3 of 6 selected    16.0, 8.0 texels    u 0.250  v 0.250", status);
    host.menuCommand(IDM_SELECT_NONE);
    EXPECT_EQ("000000", selection(host));
}

// Save writes the file the mesh came from in its own format; Close File leaves nothing to save.
TEST(EditorFile, SaveKeepsTheFormatAndCloseFileEmptiesBothHalves)
{
    writeBitmap("grey.bmp", 0x808080);
    writeXFile("plain.x", squareMesh("grey.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
    EditorHost& host = editor();
    g_autoUpdateMesh = true;
    ASSERT_TRUE(host.openFile("plain.x").empty());
    DeleteFileA("copy.3ds");
    ASSERT_TRUE(host.saveAs("copy.3ds").empty());
    for (const char* name : {"plain.x", "copy.3ds"}) {
        ASSERT_TRUE(host.openFile(name).empty());
        ASSERT_EQ(4u, host.points().size()) << name;
        host.dragPoint(host.points()[2].x, host.points()[2].y, 6, 3);
        const std::vector<ImagePoint> edited = host.points();
        DialogAnswerer answerer;
        host.menuCommand(IDM_SAVE);
        EXPECT_TRUE(answerer.boxTexts().empty()) << name;
        const bool x = std::string(name) == "plain.x";
        EXPECT_EQ(x ? "xof " : "MM", readFileText(name).substr(0, x ? 4 : 2)) << name;   // 3DS: chunk 4D4D
        ASSERT_TRUE(host.openFile(name).empty());
        for (size_t k = 0; k < edited.size(); ++k)
            EXPECT_NEAR(host.points()[k].x, edited[k].x, 1e-3) << name << " " << k;
    }

    host.menuCommand(IDM_CLOSE_FILE);
    EXPECT_EQ(0, host.pane().pointCount());
    EXPECT_EQ(0, host.pane().edgeCount());
    EXPECT_EQ(0, countNotBlue(host.frame()));
    DialogAnswerer answerer;
    host.menuCommand(IDM_SAVE);
    EXPECT_EQ(std::vector<std::string>{"There is no mesh to save: open a mesh file first."}, answerer.boxTexts());
    g_autoUpdateMesh = false;
}

}  // namespace
