// An image group's windows, buttons and Open Bitmap.
#include "app/globals_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/pane_host_win.h"
#include "tests/support/test_files.h"
#include "toolkit/controls_win.h"
#include "viewer/image_group_registry_win.h"
#include "viewer/viewer_settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

namespace {

class ImageGroupPaging : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProcessGlobals(GetModuleHandleA(nullptr));
        writeTestBitmap("a.bmp", 32, 32, 0x808080, 0xFA0A0A);
        writeTestBitmap("b.bmp", 48, 16, 0x404040, 0x0A0AFA);
    }

    // Clicks the group's button `caption` as the button reports it: a WM_COMMAND to the base
    // window with the button's handle. Returns the boxes and dialogs it showed.
    static std::vector<DialogAnswerer::Box> click(ImageGroup& group, const std::string& caption,
                                                  const char* answer = nullptr)
    {
        const HWND button = findButtonByName((caption + group.id).c_str()).window;
        EXPECT_NE(nullptr, button) << caption;
        DialogAnswerer answerer;
        if (answer && *answer)
            answerer.typeFileName(answer);
        else if (answer)
            answerer.cancelNext();
        SendMessageA(group.baseWindow()->hwnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return answerer.seen();
    }
};

TEST_F(ImageGroupPaging, LoadedImagesArePagedReplacedAndRemoved)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    EXPECT_EQ(&group, findGroupByBase(group.baseWindow()->hwnd));
    EXPECT_EQ(nullptr, findGroupByWindow(host.host));
    ImageWindow* first = group.activeWindow();
    group.addPoint(ImagePoint{5, 5});
    for (const char* caption : {"Remove Point", "Replace Image", "RemoveImg", ">", "<"}) {
        EXPECT_TRUE(click(group, caption).empty()) << caption;   // no image loaded: nothing
        EXPECT_TRUE(first == group.activeWindow() && group.pointCount() == 1) << caption;
    }
    EXPECT_EQ(1u, click(group, "Load new Image", "a.bmp").size());
    click(group, "Load new Image", "b.bmp");
    click(group, "Load new Image", "");   // cancelled: an empty window all the same
    ASSERT_EQ(3, group.imageCount());
    EXPECT_EQ(first, group.activeWindow());   // loading leaves the first window shown
    ImageWindow *second = group.windows[1], *third = group.windows[2], *empty = group.windows[3];
    EXPECT_NE(std::string::npos, second->imageFileName.find("a.bmp"));
    EXPECT_EQ(48, third->bitmap.getWidth());
    EXPECT_TRUE(empty->imageFileName.empty() && !empty->bitmap.getShownBitmap());
    EXPECT_EQ(7000, second->points.maxPoints());
    // Loaded images lie 60 pixels below the first window and follow resizeImageGroup.
    group.resizeImageGroup(0, 0, 200, 150);
    for (ImageWindow* loaded : {second, third, empty}) {
        RECT r;
        GetWindowRect(loaded->hwnd, &r);
        MapWindowPoints(nullptr, host.host, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((RECT{0, 60, 200, 210}), r);
        EXPECT_EQ(200, loaded->horizontalBar.windowWidth);
    }

    click(group, ">");
    EXPECT_TRUE(second == group.activeWindow() && IsWindowVisible(second->hwnd) && !IsWindowVisible(first->hwnd));
    EXPECT_EQ(&group, findGroupByWindow(second->hwnd));
    for (int k = 0; k < 3; ++k)
        click(group, ">");
    EXPECT_EQ(empty, group.activeWindow());   // stays on the last
    EXPECT_FALSE(IsWindowVisible(third->hwnd));
    for (int k = 0; k < 3; ++k)
        click(group, "<");
    EXPECT_EQ(second, group.activeWindow());   // stops at the second entry

    // Points go to the active window only; "Remove Point" takes its first one.
    group.addPoint(ImagePoint{1, 1});
    group.addPoint(ImagePoint{2, 2});
    click(group, "Remove Point");
    EXPECT_TRUE(second->points.pointCount() == 1 && first->points.pointCount() == 1);
    click(group, "Replace Image", "b.bmp");   // into the active window, its points gone
    EXPECT_TRUE(second == group.activeWindow() && second->points.pointCount() == 0);
    EXPECT_EQ(48, second->bitmap.getWidth());

    click(group, "RemoveImg");   // the window hidden, not destroyed
    EXPECT_TRUE(group.imageCount() == 2 && first == group.activeWindow() && IsWindowVisible(first->hwnd));
    EXPECT_TRUE(!IsWindowVisible(second->hwnd) && IsWindow(second->hwnd));
    // No group claims the removed window any more: its commands change nothing.
    std::remove("file.tst");
    SendMessageA(second->hwnd, WM_COMMAND, MAKEWPARAM(40046, 0), 0);
    EXPECT_FLOAT_EQ(1.0f, second->zoom);
    EXPECT_NE(std::string::npos, readFileText("file.tst").find("iw == NULL"));
}

TEST_F(ImageGroupPaging, OnlyAFinishedGroupWithAnActiveWindowTakesMessages)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    ImageWindow* first = group.activeWindow();
    group.addPoint(ImagePoint{10, 10});
    g_constructingGroup = true;
    SendMessageA(host.pane(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    g_constructingGroup = false;
    const HWND base = group.baseWindow()->hwnd;
    SendMessageA(base, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));   // the base passes only commands
    EXPECT_EQ(0, first->points.at(0).selected + group.mouseDown());
    std::remove("file.tst");
    SendMessageA(base, WM_COMMAND, MAKEWPARAM(40055, 0), 0);
    SendMessageA(host.pane(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    EXPECT_TRUE(group.mouseDown());

    group.setActiveWindow(nullptr);   // every operation does nothing
    group.addPoint(ImagePoint{1, 1});
    group.addEdge(0, 1);
    group.selectAll();
    group.setMotion(0, 1, 1, 0);
    group.resetPointIterator();
    EXPECT_EQ(0, group.nextPoint().index);
    group.currentPointRef().selected = 1;
    EXPECT_EQ(0, group.pointCount() + group.edgeCount());
    EXPECT_TRUE(!group.windowHandle() && !group.windowBitmap());
    const std::string log = readFileText("file.tst");
    for (const char* line : {"Recieved a WM_COMMAND message", "ActiveWindow is NULL in setActiveWindow",
                             "activeWindow is NULL"})
        EXPECT_NE(std::string::npos, log.find(line)) << line;
    group.setActiveWindow(first);
    EXPECT_TRUE(first->points.pointCount() == 1 && first->edges.edgeCount() == 0);
}

// A window's Open Bitmap loads the path the dialog returns by its name: ".bmp" as an image
// file, then ".pgm" as PGM (case-sensitive); the path becomes the bitmap's file path, and the
// load sizes the scroll bars.
TEST_F(ImageGroupPaging, OpenBitmapLoadsTheChosenFileByItsName)
{
    const struct {
        const char* file;
        std::vector<std::string> boxes;
        int loadedWidth;   // 0: nothing loaded
    } cases[] = {
        {"a.bmp", {}, 32},
        {"grey.pgm", {"stop"}, 2},
        {"both.bmp.pgm", {"Could not open File", "stop", "stop"}, 2},
        {"LOUD.BMP", {}, 0},
    };
    writeTestBitmap("LOUD.BMP", 8, 8, 0x808080, 0xFA0A0A);
    for (const char* pgm : {"grey.pgm", "both.bmp.pgm"})
        writeFile(pgm, "P5\n2 1\n255\nab");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PaneHost host;
        ImageWindow& window = host.window();
        window.horizontalBar.setWindowSize(0, 0);   // stale: the load sizes the bars again
        DialogAnswerer answerer;
        answerer.typeFileName(c.file);
        const std::string path = window.openBitmap();
        ASSERT_GT(path.size(), strlen(c.file));
        EXPECT_EQ(c.file, path.substr(path.size() - strlen(c.file)));
        EXPECT_EQ(path, window.bitmap.getFilePath());
        EXPECT_EQ(c.boxes, answerer.boxTexts());
        EXPECT_EQ(c.loadedWidth, window.bitmap.getShownBitmap() ? window.bitmap.getWidth() : 0);
        if (c.loadedWidth == 32) {
            EXPECT_EQ(host.window().horizontalBar.windowWidth, 400);
            EXPECT_EQ(32 * 2 + 30, window.horizontalBar.contentWidth);
            HBITMAP shown = window.bitmap.getShownBitmap();
            DialogAnswerer cancel;
            cancel.cancelNext();
            EXPECT_EQ("", window.openBitmap());   // a cancel keeps the image
            EXPECT_STREQ("", window.bitmap.getFilePath());
            EXPECT_EQ(shown, window.bitmap.getShownBitmap());
        }
    }
}

}  // namespace
