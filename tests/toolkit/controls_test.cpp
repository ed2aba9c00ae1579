#include "toolkit/controls_win.h"

#include <gtest/gtest.h>
#include <cstring>
#include "tests/support/test_window_win.h"
#include "toolkit/element_tree_win.h"

namespace {

struct Controls : testing::Test {
    TestWindow parent{300, 200};
    HINSTANCE instance = GetModuleHandleA(nullptr);

    std::string textOf(HWND window) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    std::string classOf(HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        return name;
    }
    const TreeElement& lastElement() {
        return g_elementTree.element(g_elementTree.elementCount() - 1);
    }
};

TEST_F(Controls, ButtonIsARealPushButtonInTheRegisterAndTheTree) {
    g_elementTree.setGroupName("buttons:ImageGroup[1]");
    ButtonControl* button = createButton(parent.handle(), instance, 10, 20, 80, 25, "<",
                                         "<ImageGroup[1]", true);
    ASSERT_NE(button->window, nullptr);
    EXPECT_EQ(classOf(button->window), "Button");
    EXPECT_EQ(textOf(button->window), "<");
    EXPECT_EQ(GetParent(button->window), parent.handle());
    EXPECT_TRUE(IsWindowVisible(button->window));
    EXPECT_EQ(GetWindowLongA(button->window, GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
    EXPECT_EQ(g_buttons.back().get(), button);
    EXPECT_EQ(lastElement().window, button->window);
    EXPECT_STREQ(lastElement().elementName, "NewButton3");

    g_elementTree.hideGroup("buttons:ImageGroup[1]");
    EXPECT_FALSE(IsWindowVisible(button->window));
}

TEST_F(Controls, ButtonOutsideTheTreeIsNeverHiddenByAGroup) {
    g_elementTree.setGroupName("loose:group");
    const int count = g_elementTree.elementCount();
    ButtonControl* button =
        createButton(parent.handle(), instance, 0, 0, 50, 20, "x", "loose", false);
    EXPECT_EQ(g_elementTree.elementCount(), count);
    g_elementTree.hideGroup("loose:group");
    EXPECT_TRUE(IsWindowVisible(button->window));
    EXPECT_EQ(&findButtonByName("loose"), button);
}

TEST_F(Controls, LookupsFindTheFirstMatchOrAnEmptyRecord) {
    ButtonControl* first = createButton(parent.handle(), instance, 0, 0, 50, 20, "a", "twin", false);
    ButtonControl* second = createButton(parent.handle(), instance, 0, 30, 50, 20, "b", "twin", false);
    EXPECT_EQ(&findButtonByName("twin"), first);
    EXPECT_EQ(&findButtonByWindow(second->window), second);
    const ButtonControl& missing = findButtonByName("no button has this name");
    EXPECT_EQ(missing.window, nullptr) << "matches no WM_COMMAND sender";
    EXPECT_EQ(findButtonByWindow(parent.handle()).window, nullptr);

    HWND firstWindow = first->window;
    removeButton(firstWindow);
    EXPECT_EQ(&findButtonByName("twin"), second);
    EXPECT_EQ(findButtonByWindow(firstWindow).window, nullptr);
    EXPECT_TRUE(IsWindow(firstWindow)) << "the window itself stays";
}

TEST_F(Controls, LongButtonNamesAreCut) {
    const std::string name(700, 'n');
    ButtonControl* button =
        createButton(parent.handle(), instance, 0, 0, 10, 10, "", name.c_str(), false);
    EXPECT_EQ(std::strlen(button->name), 599u);
}

COLORREF classBrushColour(HWND window) {
    auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
    LOGBRUSH info = {};
    if (!GetObjectA(brush, sizeof info, &info))
        return CLR_INVALID;
    return info.lbColor;
}

TEST_F(Controls, LabelRepaintsEveryStaticControlWithItsBackground) {
    LabelControl label;
    g_elementTree.setGroupName("labels:group");
    createLabel(label, parent.handle(), instance, 140, 0, 40, 20, "image:", true);
    ASSERT_NE(label.window, nullptr);
    EXPECT_EQ(classOf(label.window), "Static");
    EXPECT_EQ(textOf(label.window), "image:");
    EXPECT_TRUE(GetWindowLongA(label.window, GWL_STYLE) & WS_GROUP);
    EXPECT_STREQ(lastElement().elementName, "Static6");
    // The label's own font: 10 pixels high.
    auto font = reinterpret_cast<HFONT>(SendMessageA(label.window, WM_GETFONT, 0, 0));
    ASSERT_EQ(font, label.font);
    LOGFONTA fontInfo = {};
    GetObjectA(font, sizeof fontInfo, &fontInfo);
    EXPECT_EQ(fontInfo.lfHeight, 10);

    LabelControl second;
    createLabel(second, parent.handle(), instance, 200, 0, 20, 20, "of", false);
    HWND later = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE,
                                 0, 100, 30, 30, parent.handle(), nullptr, instance, nullptr);
    EXPECT_EQ(classBrushColour(later), RGB(133, 140, 180));
    EXPECT_EQ(classBrushColour(label.window), RGB(133, 140, 180));
    EXPECT_EQ(lastElement().window, label.window) << "the second label was not entered";
    DestroyWindow(later);
}

TEST_F(Controls, TextFieldIsASingleLineEditEnteredInTheTree) {
    TextFieldControl field;
    g_elementTree.setGroupName("fields:group");
    createTextField(field, parent.handle(), instance, 160, 0, 30, 20, "3");
    ASSERT_NE(field.window, nullptr);
    EXPECT_EQ(classOf(field.window), "Edit");
    EXPECT_EQ(textOf(field.window), "3");
    const LONG style = GetWindowLongA(field.window, GWL_STYLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_FALSE(style & ES_MULTILINE);
    EXPECT_EQ(field.parent, parent.handle());
    EXPECT_STREQ(lastElement().elementName, "TextField8");
    EXPECT_STREQ(lastElement().groupName, "fields:group");
    g_elementTree.hideGroup("fields:group");
    EXPECT_FALSE(IsWindowVisible(field.window));
}

TEST_F(Controls, ControlWithoutAParentKeepsNoWindowAndIsStillRegistered) {
    const size_t count = g_buttons.size();
    ButtonControl* button = createButton(nullptr, instance, 0, 0, 10, 10, "x", "orphan", false);
    EXPECT_EQ(button->window, nullptr);
    EXPECT_EQ(g_buttons.size(), count + 1);
    TextFieldControl field;
    createTextField(field, nullptr, instance, 0, 0, 10, 10, "");
    EXPECT_EQ(field.window, nullptr);
    EXPECT_EQ(lastElement().window, nullptr);
}

} // namespace
