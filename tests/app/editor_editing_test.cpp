// The Edit menu in the real editor: undo and redo with the menu's labels, flips, the Transform
// dialog, Snap to Texels, the selection commands and the status at the menu bar's end. What
// the commands compute is shown on the point lists.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "resources/resource.h"
#include "tests/app/editor_host_win.h"
#include "tests/app/test_media.h"
#include "viewer/viewer_settings.h"

namespace {

const int kWidth = 64;
const int kHeight = 32;

// The text of an Edit menu item as the user sees it on opening the menu, " (grey)" when greyed.
std::string editItem(UINT command)
{
    HMENU menu = GetMenu(editor().mainWindow());
    SendMessageA(editor().mainWindow(), WM_INITMENUPOPUP, WPARAM(GetSubMenu(menu, 1)), 1);
    char text[100] = {};
    GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
    return text + std::string(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED ? " (grey)" : "");
}

class EditorEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeXFile("square.x", squareMesh("halves.bmp", 0.1f, 0.3f, -0.9f, -0.1f));
        ASSERT_EQ(Boxes{}, editor().openFile("square.x"));
        opened = editor().points();
    }
    void TearDown() override { resetViewerSettings(); }

    std::vector<ImagePoint> opened;
};

TEST_F(EditorEditing, DragAndProjectionAreUndoneAndRedoneExactlyWithTheMeshFollowing)
{
    EditorHost& host = editor();
    EXPECT_EQ("&Undo\tCtrl+Z (grey)", editItem(IDM_UNDO));
    g_autoUpdateMesh = true;
    host.dragPoint(opened[2].x, opened[2].y, 9, -5);
    const std::string dragged = pointsText();
    EXPECT_EQ(dragged, meshPointsText());   // written on the release
    host.answerDialog(IDM_MAP_TEXTURE_COORDINATES, {});
    const std::string projected = pointsText();
    ASSERT_NE(projected, dragged);
    EXPECT_EQ("&Undo Projection\tCtrl+Z", editItem(IDM_UNDO));

    const Capture shown = host.frame();   // the 3D view follows the mesh
    host.menuCommand(IDM_UNDO);
    EXPECT_EQ(dragged, pointsText());
    EXPECT_EQ(dragged, meshPointsText());
    EXPECT_FALSE(shown.pixels == host.frame().pixels);
    EXPECT_EQ("&Undo Move\tCtrl+Z", editItem(IDM_UNDO));
    EXPECT_EQ("&Redo Projection\tCtrl+Y", editItem(IDM_REDO));
    host.viewCommand(IDM_UNDO);   // the accelerators' way in: the 3D view's window
    EXPECT_EQ(pointsText(opened), pointsText());
    EXPECT_EQ(pointsText(opened), meshPointsText());
    EXPECT_EQ("&Undo\tCtrl+Z (grey)", editItem(IDM_UNDO));
    host.menuCommand(IDM_REDO);
    host.viewCommand(IDM_REDO);
    EXPECT_EQ(projected, pointsText());
    EXPECT_EQ("&Redo\tCtrl+Y (grey)", editItem(IDM_REDO));

    // Without automatic update the mesh follows an undo on apply; opening clears the history.
    g_autoUpdateMesh = false;
    host.menuCommand(IDM_UNDO);
    EXPECT_EQ(projected, meshPointsText());
    const Capture waiting = host.frame();
    host.pressApply();
    EXPECT_EQ(pointsText(), meshPointsText());
    EXPECT_FALSE(waiting.pixels == host.frame().pixels);
    ASSERT_EQ(Boxes{}, host.openFile("square.x"));
    EXPECT_EQ("&Undo\tCtrl+Z (grey)&Redo\tCtrl+Y (grey)", editItem(IDM_UNDO) + editItem(IDM_REDO));
}

TEST_F(EditorEditing, FlipsAndTheTransformDialogChangeTheSelectionAsOneStepEach)
{
    EditorHost& host = editor();
    // Edit > Transform... filled by `fill` and ended with `button`: the message boxes shown.
    const auto transform = [&](const std::function<void(HWND)>& fill, int button = IDOK) {
        const Boxes seen = host.answerDialog(IDM_TRANSFORM, {}, button, fill);
        return Boxes(seen.begin() + 1, seen.end());
    };
    for (UINT command : {IDM_FLIP_HORIZONTAL, IDM_TRANSFORM})
        EXPECT_EQ(Boxes{"No point is selected: select points in the texture pane first."}, host.menuBoxes(command));
    host.menuCommand(IDM_SELECT_ALL);
    SendMessageA(host.paneWindow(), WM_KEYDOWN, VK_SHIFT, 0);   // Shift keeps the selection
    host.paneMouse(WM_LBUTTONDOWN, opened[0].x, opened[0].y, MK_LBUTTON);
    host.menuCommand(IDM_FLIP_VERTICAL);   // it would be mixed into the drag's step: it waits
    host.paneMouse(WM_LBUTTONUP, opened[0].x, opened[0].y);
    SendMessageA(host.paneWindow(), WM_KEYUP, VK_SHIFT, 0);
    EXPECT_EQ(pointsText(opened), pointsText());
    host.menuCommand(IDM_FLIP_VERTICAL);
    EXPECT_EQ("&Undo Flip Vertically\tCtrl+Z", editItem(IDM_UNDO));
    const std::vector<ImagePoint> flipped = host.points();
    for (size_t k = 0; k < flipped.size(); ++k)   // the square's points swap rows
        EXPECT_NEAR(flipped[k].y, opened[k ^ 1].y, 1e-4) << k;

    // A bad entry is named and keeps the dialog open; good ones scale about the centre.
    EXPECT_EQ(Boxes{"Transform:Scale x: enter a number."}, transform([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SCALE_X, "");
        SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    }, IDCANCEL));
    EXPECT_EQ(pointsText(flipped), pointsText());
    EXPECT_EQ(Boxes{}, transform([](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_SCALE_X, "200");
        SetDlgItemTextA(dialog, IDC_MOVE_Y, "-1.5");
    }));
    const float width = flipped[2].x - flipped[0].x;
    EXPECT_NEAR(host.points()[2].x - host.points()[0].x, 2 * width, 1e-3);
    EXPECT_NEAR(host.points()[0].y, flipped[0].y - 1.5f, 1e-3);
    EXPECT_EQ("&Undo Transform\tCtrl+Z", editItem(IDM_UNDO));

    // One point: its position shown in texels, in u, v after the unit's switch, and set there.
    host.click(host.points()[1].x, host.points()[1].y);
    const ImagePoint one = host.points()[1];
    std::string shown[2];
    EXPECT_EQ(Boxes{}, transform([&](HWND dialog) {
        char text[32];
        GetDlgItemTextA(dialog, IDC_POSITION_X, text, sizeof(text));
        shown[0] = text;
        SendDlgItemMessageA(dialog, IDC_SET_POSITION, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_POSITION_UV, BM_CLICK, 0, 0);
        GetDlgItemTextA(dialog, IDC_POSITION_X, text, sizeof(text));
        shown[1] = text;
        SetDlgItemTextA(dialog, IDC_POSITION_X, "0.5");
        SetDlgItemTextA(dialog, IDC_POSITION_Y, "0.25");
    }));
    EXPECT_FLOAT_EQ(one.x, std::stof(shown[0]));
    EXPECT_FLOAT_EQ(one.x / kWidth, std::stof(shown[1]));
    EXPECT_EQ(kWidth * 0.5f, host.points()[1].x);
    EXPECT_EQ(kHeight * 0.25f, host.points()[1].y);

    // Snap to Texels is checked in the menu and lands a typed move on whole texels.
    host.menuCommand(IDM_SNAP_TO_TEXELS);
    EXPECT_EQ(MF_CHECKED, GetMenuState(GetMenu(host.mainWindow()), IDM_SNAP_TO_TEXELS, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(Boxes{}, transform([](HWND dialog) { SetDlgItemTextA(dialog, IDC_MOVE_X, "1.3"); }));
    EXPECT_EQ(std::round(kWidth * 0.5f + 1.3f), host.points()[1].x);
    host.menuCommand(IDM_SNAP_TO_TEXELS);

    for (int step = 0; step < 4; ++step)
        host.menuCommand(IDM_UNDO);
    EXPECT_EQ(pointsText(opened), pointsText());
    EXPECT_EQ("&Undo\tCtrl+Z (grey)", editItem(IDM_UNDO));
}

// Two islands whose vertices 0 and 2 have copies (4 and 5) at the same places: a seam. The
// first island is two rings deep from vertex 0: vertex 6 hangs on the side 1-2.
TEST(EditorSelection, IslandsSeamsRingsAndTheStatusAtTheMenuBarsEnd)
{
    TestMesh seam = squareMesh("halves.bmp", 0.1f, 0.4f, -0.9f, -0.1f);
    seam.vertices.push_back(seam.vertices[0]);
    seam.vertices.push_back(seam.vertices[2]);
    for (int k : {3, 4, 5})
        seam.vertices[size_t(k)].u += 0.5f;
    seam.vertices.push_back({0.5f, 1.5f, 0, 0.25f, -0.5f});
    seam.corners = {0, 1, 2, 4, 5, 3, 1, 2, 6};
    writeXFile("seam.x", seam);
    EditorHost& host = editor();
    ASSERT_EQ(Boxes{}, host.openFile("seam.x"));
    ASSERT_EQ(7u, host.points().size());
    const auto selection = [&] {
        std::string out;
        for (const ImagePoint& p : host.points())
            out += p.selected ? '1' : '0';
        return out;
    };
    host.click(host.points()[0].x, host.points()[0].y);
    const std::pair<UINT, const char*> steps[] = {{IDM_SELECT_CONNECTED, "1110001"}, {IDM_SELECT_STACKED, "1110111"},
                                                  {IDM_INVERT_SELECTION, "0001000"}, {IDM_GROW_SELECTION, "0001110"}};
    for (const auto& [command, expected] : steps) {
        host.menuCommand(command);
        EXPECT_EQ(expected, selection()) << command;
    }
    host.paneMouse(WM_MOUSEMOVE, 16, 8);
    host.frame();
    char status[200] = {};
    GetMenuStringA(GetMenu(host.mainWindow()), IDM_EDIT_STATUS, status, sizeof(status), MF_BYCOMMAND);
    EXPECT_STREQ("3 of 7 selected    16.0, 8.0 texels    u 0.250  v 0.250", status);
    host.menuCommand(IDM_SELECT_NONE);
    EXPECT_EQ("0000000", selection());
}

}  // namespace
