// The element tree and the pane's controls, on real child windows of a real parent. The tree is
// one program-wide register that keeps every record, so each test uses group names of its own.
#include "toolkit/controls_win.h"
#include "toolkit/element_tree_win.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "tests/support/test_window_win.h"

namespace {

struct Toolkit : testing::Test {
    TestWindow parent{300, 200};
    HINSTANCE instance = GetModuleHandleA(nullptr);

    HWND child() {
        return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent.handle(), nullptr, instance,
                               nullptr);
    }
    const TreeElement& last() { return g_elementTree.element(g_elementTree.elementCount() - 1); }
    static std::string textOf(HWND window) {
        char text[256] = {}, name[64] = {};
        GetWindowTextA(window, text, sizeof text);
        GetClassNameA(window, name, sizeof name);
        return std::string(name) + " '" + text + "'";
    }
};

// Groups 1, 1, 10 and 2, and a window registered as an image window does: under its own group
// name, with group 1's name as its parent. Each state: the windows shown, then the tree's flags.
TEST_F(Toolkit, GroupsAreHiddenAndShownByAKeyFoundInsideTheirNames) {
    const char* groups[] = {"t:ImageGroup[1]", "t:ImageGroup[1]", "t:ImageGroup[10]", "t:ImageGroup[2]"};
    for (const char* group : groups) {
        g_elementTree.setGroupName(group);
        g_elementTree.addElement(child(), "BASE1");
    }
    EXPECT_STREQ(last().groupName, "t:ImageGroup[2]");
    EXPECT_EQ(last().visible, 0) << "unmarked at first";
    g_elementTree.setGroupName("t:Iwin7340");
    g_elementTree.addChildElement("t:ImageGroup[1]", child(), "BASE1");
    const int first = g_elementTree.elementCount() - 5;
    auto state = [&] {
        std::string windows, flags;
        for (int i = first; i < first + 5; ++i) {
            windows += IsWindowVisible(g_elementTree.element(i).window) ? '1' : '0';
            flags += char('0' + g_elementTree.element(i).visible);
        }
        return windows + " " + flags;
    };
    g_elementTree.showGroup("t:");
    EXPECT_EQ(state(), "11111 11111");
    g_elementTree.hideGroup("t:ImageGroup[1");
    EXPECT_EQ(state(), "00010 00010") << "group 10 and the child go with group 1";
    g_elementTree.hideGroup("imagegroup");
    g_elementTree.hideGroup("no such group");
    EXPECT_EQ(state(), "00010 00010") << "case counts; no match, no change";
    g_elementTree.showGroup("t:ImageGroup[1");
    EXPECT_EQ(state(), "11110 11110") << "showing does not reach children";
    g_elementTree.showGroup("7340");
    EXPECT_EQ(state(), "11111 11111");
}

TEST_F(Toolkit, LongNamesAreCutAndRecordsOfDestroyedWindowsStay) {
    const std::string name(300, 'g');
    g_elementTree.setGroupName(name.c_str());
    HWND window = child();
    g_elementTree.addChildElement(name.c_str(), window, name.c_str());
    EXPECT_EQ(g_elementTree.groupNameText(), name.substr(0, 199));
    EXPECT_EQ(last().elementName + std::string(last().parentName) + last().groupName, std::string(3 * 199, 'g'));
    const int count = g_elementTree.elementCount();
    DestroyWindow(window);
    g_elementTree.hideGroup("ggg");
    g_elementTree.showGroup("ggg");
    EXPECT_EQ(g_elementTree.elementCount(), count);
    EXPECT_EQ(last().window, window);
}

TEST_F(Toolkit, ButtonsArePushButtonsInTheRegisterFoundByNameOrWindow) {
    g_elementTree.setGroupName("b:ImageGroup[1]");
    ButtonControl* entered = createButton(parent.handle(), instance, 10, 20, 80, 25, "<", "twin", true);
    EXPECT_EQ(last().window, entered->window);
    const int count = g_elementTree.elementCount();
    ButtonControl* loose = createButton(parent.handle(), instance, 0, 30, 50, 20, "x", "twin", false);
    ButtonControl* orphan = createButton(nullptr, instance, 0, 0, 10, 10, "x", std::string(700, 'n').c_str(), false);
    EXPECT_EQ(g_elementTree.elementCount(), count) << "buttons outside the tree";
    EXPECT_EQ(textOf(entered->window), "Button '<'");
    EXPECT_EQ(GetParent(entered->window), parent.handle());
    EXPECT_EQ(GetWindowLongA(entered->window, GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    EXPECT_EQ(orphan->window, nullptr);
    EXPECT_EQ(std::strlen(orphan->name), 599u);
    EXPECT_EQ(g_buttons.back().get(), orphan) << "a button without a window is still registered";

    EXPECT_EQ(&findButtonByName("twin"), entered);
    EXPECT_EQ(&findButtonByWindow(loose->window), loose);
    EXPECT_EQ(findButtonByName("no button has this name").window, nullptr) << "matches no WM_COMMAND sender";
    EXPECT_EQ(findButtonByWindow(parent.handle()).window, nullptr);
    g_elementTree.hideGroup("b:ImageGroup[1]");
    EXPECT_FALSE(IsWindowVisible(entered->window));
    EXPECT_TRUE(IsWindowVisible(loose->window));
    HWND removed = entered->window;
    removeButton(removed);
    EXPECT_EQ(&findButtonByName("twin"), loose);
    EXPECT_TRUE(IsWindow(removed)) << "the window itself stays";
}

TEST_F(Toolkit, LabelsColourEveryStaticControlAndTextFieldsScrollSideways) {
    g_elementTree.setGroupName("l:group");
    LabelControl label, second;
    createLabel(label, parent.handle(), instance, 140, 0, 40, 20, "image:", true);
    createLabel(second, parent.handle(), instance, 200, 0, 20, 20, "of", false);
    EXPECT_EQ(last().window, label.window) << "the second label was not entered";
    EXPECT_EQ(textOf(label.window), "Static 'image:'");
    EXPECT_TRUE(GetWindowLongA(label.window, GWL_STYLE) & WS_GROUP);
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label.window, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 10);
    LOGBRUSH brush = {};   // of a static control made later
    GetObjectA(reinterpret_cast<HBRUSH>(GetClassLongPtrA(child(), GCLP_HBRBACKGROUND)), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, RGB(133, 140, 180));

    TextFieldControl field, orphan;
    createTextField(field, parent.handle(), instance, 160, 0, 30, 20, "3");
    EXPECT_EQ(textOf(field.window), "Edit '3'");
    EXPECT_EQ(GetWindowLongA(field.window, GWL_STYLE) & (ES_AUTOHSCROLL | ES_MULTILINE), ES_AUTOHSCROLL);
    EXPECT_EQ(field.parent, parent.handle());
    g_elementTree.hideGroup("l:group");
    EXPECT_FALSE(IsWindowVisible(label.window));
    EXPECT_FALSE(IsWindowVisible(field.window));
    EXPECT_TRUE(IsWindowVisible(second.window));
    createTextField(orphan, nullptr, instance, 0, 0, 10, 10, "");
    EXPECT_EQ(orphan.window, nullptr);
    EXPECT_EQ(last().window, nullptr) << "entered all the same";
}

} // namespace
