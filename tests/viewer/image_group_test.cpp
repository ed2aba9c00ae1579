#include "app/globals_win.h"
#include "tests/support/dialog_answerer_win.h"
#include "tests/support/pane_host_win.h"
#include "toolkit/controls_win.h"
#include "viewer/image_group_registry_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class ImageGroupPaging : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProcessGlobals(GetModuleHandleA(nullptr));
        writeTestBitmap("a.bmp", 32, 32, 0x808080, 0xFA0A0A);
        writeTestBitmap("b.bmp", 48, 16, 0x404040, 0x0A0AFA);
    }

    // Clicks the group's button `caption` the way the button itself reports a click: a
    // WM_COMMAND to the base window with the button's handle.
    static void click(ImageGroup& group, const std::string& caption)
    {
        const HWND button = findButtonByName((caption + group.id).c_str()).window;
        ASSERT_NE(nullptr, button) << caption;
        SendMessageA(group.baseWindow()->hwnd, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }

    // Loads `file` through "Load new Image", answering the Open dialog with it.
    static void loadNew(ImageGroup& group, const std::string& file)
    {
        DialogAnswerer answerer;
        answerer.typeFileName(file);
        click(group, "Load new Image");
        ASSERT_EQ(1u, answerer.seen().size());
    }
};

std::string debugLog()
{
    std::ifstream in("file.tst");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(ImageGroupPaging, FreshGroupIsFoundByItsWindowsAndItsButtonsDoNothing)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    EXPECT_EQ("ImageGroup[" + group.id + "]", group.name);
    EXPECT_EQ(&group, findGroupByWindow(host.pane()));
    EXPECT_EQ(&group, findGroupByBase(group.baseWindow()->hwnd));
    EXPECT_EQ(nullptr, findGroupByWindow(host.host));
    EXPECT_EQ(0, group.imageCount());
    ImageWindow* first = group.activeWindow();
    group.addPoint(pointAt(5, 5));
    group.addPoint(pointAt(6, 6));
    for (const char* caption : {"Remove Point", "Replace Image", "RemoveImg", ">", "<"}) {
        DialogAnswerer answerer;
        click(group, caption);
        EXPECT_TRUE(answerer.seen().empty()) << caption;
        EXPECT_EQ(first, group.activeWindow()) << caption;
        EXPECT_EQ(2, group.pointCount()) << caption;
    }
}

TEST_F(ImageGroupPaging, LoadedImagesArePagedWithNextAndPrevious)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    ImageWindow* first = group.activeWindow();
    loadNew(group, "a.bmp");
    loadNew(group, "b.bmp");
    EXPECT_EQ(2, group.imageCount());
    EXPECT_EQ(first, group.activeWindow());   // loading leaves the first window shown
    ImageWindow* second = group.windows[1];
    ImageWindow* third = group.windows[2];
    EXPECT_NE(std::string::npos, second->imageFileName.find("a.bmp"));
    EXPECT_EQ(32, second->bitmap.getWidth());
    EXPECT_EQ(48, third->bitmap.getWidth());
    EXPECT_EQ(7000, second->points.maxPoints());
    // Loaded images lie 60 pixels below the first window and follow resizeImageGroup.
    group.resizeImageGroup(0, 0, 200, 150);
    for (ImageWindow* loaded : {second, third}) {
        RECT r;
        GetWindowRect(loaded->hwnd, &r);
        MapWindowPoints(nullptr, host.host, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(60, r.top);
        EXPECT_EQ(200, r.right - r.left);
        EXPECT_EQ(150, r.bottom - r.top);
        EXPECT_EQ(200, loaded->horizontalBar.windowWidth);
    }

    click(group, ">");
    EXPECT_EQ(second, group.activeWindow());
    EXPECT_TRUE(IsWindowVisible(second->hwnd));
    EXPECT_FALSE(IsWindowVisible(first->hwnd));
    EXPECT_EQ(&group, findGroupByWindow(second->hwnd));
    click(group, ">");
    EXPECT_EQ(third, group.activeWindow());
    click(group, ">");
    EXPECT_EQ(third, group.activeWindow());   // stays on the last
    EXPECT_FALSE(IsWindowVisible(second->hwnd));

    click(group, "<");
    EXPECT_EQ(second, group.activeWindow());
    click(group, "<");
    EXPECT_EQ(second, group.activeWindow());   // stops at the second entry

    // Points go to the active window only; "Remove Point" takes its first one.
    group.addPoint(pointAt(1, 1));
    group.addPoint(pointAt(2, 2));
    click(group, "Remove Point");
    EXPECT_EQ(1, second->points.pointCount());
    EXPECT_EQ(0, first->points.pointCount());
}

TEST_F(ImageGroupPaging, RemoveImgReturnsToTheFirstWindow)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    ImageWindow* first = group.activeWindow();
    loadNew(group, "a.bmp");
    click(group, ">");
    ImageWindow* loaded = group.activeWindow();
    ASSERT_NE(first, loaded);
    click(group, "RemoveImg");
    EXPECT_EQ(0, group.imageCount());
    EXPECT_EQ(first, group.activeWindow());
    EXPECT_TRUE(IsWindowVisible(first->hwnd));
    EXPECT_FALSE(IsWindowVisible(loaded->hwnd));   // hidden, not destroyed
    EXPECT_TRUE(IsWindow(loaded->hwnd));

    // No group claims the removed window any more: its commands change nothing.
    std::remove("file.tst");
    SendMessageA(loaded->hwnd, WM_COMMAND, MAKEWPARAM(40046, 0), 0);
    EXPECT_FLOAT_EQ(1.0f, first->zoom);
    EXPECT_FLOAT_EQ(1.0f, loaded->zoom);
    EXPECT_NE(std::string::npos, debugLog().find("iw == NULL"));
}

TEST_F(ImageGroupPaging, MessagesWhileAGroupIsBuiltGoToTheDefaultProcedure)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    group.addPoint(pointAt(10, 10));
    g_constructingGroup = true;
    SendMessageA(host.pane(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 40));
    g_constructingGroup = false;
    EXPECT_FALSE(group.mouseDown());
    group.resetPointIterator();
    EXPECT_EQ(0, group.nextPoint().selected);
    SendMessageA(host.pane(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 40));
    EXPECT_TRUE(group.mouseDown());
}

TEST_F(ImageGroupPaging, CancelledLoadKeepsAnEmptyWindowAndReplaceLoadsIntoTheActiveOne)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    {
        DialogAnswerer answerer;
        answerer.cancelNext();
        click(group, "Load new Image");
    }
    EXPECT_EQ(1, group.imageCount());
    ImageWindow* loaded = group.windows[1];
    EXPECT_EQ("", loaded->imageFileName);
    EXPECT_EQ(nullptr, loaded->bitmap.getShownBitmap());

    click(group, ">");
    ASSERT_EQ(loaded, group.activeWindow());
    group.addPoint(pointAt(3, 3));
    {
        DialogAnswerer answerer;
        answerer.typeFileName("b.bmp");
        click(group, "Replace Image");
    }
    EXPECT_EQ(loaded, group.activeWindow());
    EXPECT_EQ(0, loaded->points.pointCount());
    EXPECT_NE(std::string::npos, loaded->imageFileName.find("b.bmp"));
    EXPECT_EQ(48, loaded->bitmap.getWidth());
}

// A window's Open Bitmap loads the path the dialog returns by its name: ".bmp" as an image
// file, then ".pgm" as PGM (case-sensitive); the path becomes the bitmap's file path.
TEST_F(ImageGroupPaging, OpenBitmapLoadsTheChosenFileByItsName)
{
    using Texts = std::vector<std::string>;
    struct Case {
        const char* file;
        Texts boxes;
        int loadedWidth;   // 0: nothing loaded
    };
    const Case cases[] = {
        {"a.bmp", {}, 32},
        {"grey.pgm", {"stop"}, 2},
        {"both.bmp.pgm", {"Could not open File", "stop", "stop"}, 2},
        {"LOUD.BMP", {}, 0},
    };
    writeTestBitmap("LOUD.BMP", 8, 8, 0x808080, 0xFA0A0A);
    for (const char* pgm : {"grey.pgm", "both.bmp.pgm"})
        std::ofstream(pgm, std::ios::binary) << "P5\n2 1\n255\nab";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        PaneHost host;
        ImageWindow& window = host.window();
        DialogAnswerer answerer;
        answerer.typeFileName(c.file);
        const std::string path = window.openBitmap();
        const std::string tail = c.file;
        ASSERT_GT(path.size(), tail.size());
        EXPECT_EQ(tail, path.substr(path.size() - tail.size()));
        EXPECT_EQ(path, window.bitmap.getFilePath());
        EXPECT_EQ(c.boxes, answerer.boxTexts());
        EXPECT_EQ(c.loadedWidth, window.bitmap.getShownBitmap() ? window.bitmap.getWidth() : 0);
    }
}

TEST_F(ImageGroupPaging, OpenBitmapSizesTheBarsAndACancelKeepsTheImage)
{
    PaneHost host;
    ImageWindow& window = host.window();
    {
        DialogAnswerer answerer;
        answerer.typeFileName("a.bmp");
        window.horizontalBar.setWindowSize(0, 0);   // stale: the load sizes the bars again
        ASSERT_FALSE(window.openBitmap().empty());
    }
    RECT client;
    GetClientRect(window.hwnd, &client);
    EXPECT_EQ(client.right, window.horizontalBar.windowWidth);
    EXPECT_EQ(32 * 2 + 30, window.horizontalBar.contentWidth);
    HBITMAP shown = window.bitmap.getShownBitmap();
    DialogAnswerer answerer;
    answerer.cancelNext();
    EXPECT_EQ("", window.openBitmap());
    EXPECT_STREQ("", window.bitmap.getFilePath());
    EXPECT_EQ(shown, window.bitmap.getShownBitmap());
    EXPECT_TRUE(answerer.boxTexts().empty());
}

TEST_F(ImageGroupPaging, BaseWindowPassesOnlyCommandsToTheGroup)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    group.addPoint(pointAt(10, 10));
    const HWND base = group.baseWindow()->hwnd;
    SendMessageA(base, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(base, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(0, group.nextPoint().selected + group.mouseDown());
    SendMessageA(base, WM_COMMAND, MAKEWPARAM(40046, 0), 0);   // zoom reaches the active window
    EXPECT_EQ(0, group.activeWindow()->mouseDown);
    EXPECT_NE(std::string::npos, debugLog().find("Recieved a WM_COMMAND message"));
}

TEST_F(ImageGroupPaging, WithoutAnActiveWindowEveryOperationDoesNothing)
{
    PaneHost host;
    ImageGroup& group = *host.group;
    ImageWindow* first = group.activeWindow();
    std::remove("file.tst");
    group.setActiveWindow(nullptr);
    group.addPoint(pointAt(1, 1));
    group.addEdge(0, 1);
    group.selectAll();
    group.setMotion(0, 1, 1, 0);
    group.resetPointIterator();
    EXPECT_EQ(0, group.nextPoint().index);
    group.currentPointRef().selected = 1;
    EXPECT_EQ(0, group.pointCount());
    EXPECT_EQ(0, group.edgeCount());
    EXPECT_EQ(nullptr, group.windowHandle());
    EXPECT_EQ(nullptr, group.windowBitmap());
    const std::string log = debugLog();
    EXPECT_NE(std::string::npos, log.find("ActiveWindow is NULL in setActiveWindow"));
    EXPECT_NE(std::string::npos, log.find("activeWindow is NULL"));
    group.setActiveWindow(first);
    EXPECT_EQ(0, first->points.pointCount());
    EXPECT_EQ(0, first->edges.edgeCount());
}

}  // namespace
