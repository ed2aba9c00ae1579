#include "toolkit/element_tree_win.h"

#include <gtest/gtest.h>
#include <string>
#include "tests/support/test_window_win.h"

namespace {

// Real child windows on a real parent; each test uses group names of its own, since the tree
// is one program-wide register that keeps every record.
struct Tree : testing::Test {
    TestWindow parent{200, 200};

    HWND child() {
        return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                               parent.handle(), nullptr, nullptr, nullptr);
    }
    const TreeElement& last() { return g_elementTree.element(g_elementTree.elementCount() - 1); }
};

TEST_F(Tree, HidingAGroupHidesItsWindowsAndClearsTheirFlags) {
    g_elementTree.setGroupName("hide:ImageGroup[1]");
    HWND first = child();
    HWND second = child();
    g_elementTree.addElement(first, "BASE1");
    const int firstIndex = g_elementTree.elementCount() - 1;
    g_elementTree.addElement(second, "NewButton3");
    EXPECT_STREQ(last().groupName, "hide:ImageGroup[1]");
    EXPECT_STREQ(last().parentName, "");
    EXPECT_STREQ(last().elementName, "NewButton3");
    EXPECT_EQ(last().visible, 0) << "new elements start unmarked";

    g_elementTree.showGroup("hide:ImageGroup[1]");
    EXPECT_EQ(last().visible, 1);
    g_elementTree.hideGroup("hide:ImageGroup[1]");
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_EQ(g_elementTree.element(firstIndex).visible, 0);
    EXPECT_EQ(last().visible, 0);
    g_elementTree.showGroup("hide:ImageGroup[1]");
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_TRUE(IsWindowVisible(second));
}

TEST_F(Tree, KeyMatchesAnywhereInTheGroupName) {
    g_elementTree.setGroupName("sub:ImageGroup[10]");
    HWND tenth = child();
    g_elementTree.addElement(tenth, "BASE1");
    g_elementTree.setGroupName("sub:ImageGroup[2]");
    HWND second = child();
    g_elementTree.addElement(second, "BASE1");
    g_elementTree.hideGroup("sub:ImageGroup[1");
    EXPECT_FALSE(IsWindowVisible(tenth)) << "group 1's key also matches group 10";
    EXPECT_TRUE(IsWindowVisible(second));
    g_elementTree.hideGroup("imagegroup");
    EXPECT_TRUE(IsWindowVisible(second)) << "the match is case-sensitive";
}

TEST_F(Tree, ChildrenNamedAfterAHiddenGroupAreHiddenButNotShownAgain) {
    g_elementTree.setGroupName("kids:ImageGroup[3]");
    HWND window = child();
    g_elementTree.addElement(window, "BASE1");
    // As an image window registers: its own group name, parent = the group before.
    g_elementTree.setGroupName("kids:Iwin7340");
    HWND childWindow = child();
    g_elementTree.addChildElement("kids:ImageGroup[3]", childWindow, "BASE1");
    g_elementTree.setGroupName("kids:ImageGroup[3]");
    EXPECT_STREQ(last().parentName, "kids:ImageGroup[3]");

    g_elementTree.hideGroup("kids:ImageGroup[3]");
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowVisible(childWindow)) << "hidden with the group it names as parent";
    EXPECT_EQ(last().visible, 0);
    g_elementTree.showGroup("kids:ImageGroup[3]");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowVisible(childWindow)) << "showing does not reach children";
    g_elementTree.showGroup("7340");
    EXPECT_TRUE(IsWindowVisible(childWindow)) << "its own group name contains the digits";
}

TEST_F(Tree, KeyThatMatchesNothingChangesNothing) {
    g_elementTree.setGroupName("none:group");
    HWND shown = child();
    HWND hidden = child();
    g_elementTree.addElement(shown, "a");
    g_elementTree.addElement(hidden, "b");
    ShowWindow(hidden, SW_HIDE);
    const int count = g_elementTree.elementCount();
    g_elementTree.showGroup("no such group anywhere");
    g_elementTree.hideGroup("no such group anywhere");
    EXPECT_TRUE(IsWindowVisible(shown));
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(g_elementTree.elementCount(), count);
}

TEST_F(Tree, LongNamesAreCutAt199Characters) {
    const std::string longName(300, 'g');
    g_elementTree.setGroupName(longName.c_str());
    EXPECT_EQ(std::string(g_elementTree.groupNameText()), longName.substr(0, 199));
    g_elementTree.addChildElement(longName.c_str(), child(), longName.c_str());
    EXPECT_EQ(std::string(last().elementName), longName.substr(0, 199));
    EXPECT_EQ(std::string(last().parentName), longName.substr(0, 199));
}

TEST_F(Tree, RecordsOfDestroyedWindowsStayAndAreHarmless) {
    g_elementTree.setGroupName("gone:group");
    HWND window = child();
    g_elementTree.addElement(window, "x");
    const int count = g_elementTree.elementCount();
    DestroyWindow(window);
    g_elementTree.hideGroup("gone:group");
    g_elementTree.showGroup("gone:group");
    EXPECT_EQ(g_elementTree.elementCount(), count);
    EXPECT_EQ(last().window, window);
}

} // namespace
