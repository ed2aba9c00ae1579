// The Edit menu in the real editor: undo and redo of drags and projections, and the menu's
// labels.
#include <gtest/gtest.h>

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
        writeBmp("grey.bmp", kWidth, kHeight, [](int x, int) { return x < kWidth / 2 ? 0xFF0000u : 0x00FF00u; });
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
    EXPECT_EQ("&Undo\tCtrl+Z", editItem(host, IDM_UNDO).text);
    g_autoUpdateMesh = true;
    host.dragPoint(opened[2].x, opened[2].y, 9, -5);
    const std::vector<ImagePoint> dragged = host.points();
    ASSERT_FALSE(sameBits(dragged, opened));
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
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
    host.menuCommand(IDM_UNDO);
    EXPECT_TRUE(sameBits(host.points(), opened));

    host.menuCommand(IDM_REDO);
    host.viewCommand(IDM_REDO);
    EXPECT_TRUE(sameBits(host.points(), projected));
    EXPECT_TRUE(editItem(host, IDM_REDO).greyed);
}

TEST_F(EditorEditing, WithoutAutomaticUpdateTheMeshFollowsAnUndoOnApplyAndOpeningClearsTheHistory)
{
    EditorHost& host = editor();
    host.dragPoint(opened[0].x, opened[0].y, 12, 0);
    host.pressApply();
    const std::vector<ImagePoint> dragged = host.points();
    host.menuCommand(IDM_UNDO);
    EXPECT_TRUE(sameBits(host.points(), opened));
    expectMeshHolds(dragged);
    host.pressApply();
    expectMeshHolds(opened);

    host.menuCommand(IDM_REDO);
    ASSERT_TRUE(host.openFile("square.x").empty());
    EXPECT_TRUE(editItem(host, IDM_UNDO).greyed);
    EXPECT_TRUE(editItem(host, IDM_REDO).greyed);
}

}  // namespace
