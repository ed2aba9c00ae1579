#pragma once
// The register of the texture pane's child windows. Each window is entered under the group
// name current when it was added; the pane hides and shows whole groups by a key that is
// looked for, case-sensitively, anywhere in the group names. The tree never lays out or
// destroys windows, and its records are never removed.
#include <windows.h>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int TreeNameSize = 200; // 199 characters and the zero; longer names are cut

struct TreeElement {
    char parentName[TreeNameSize] = {}; // empty for an element without a parent
    char groupName[TreeNameSize] = {};  // the tree's group name when the element was added
    char elementName[TreeNameSize] = {};
    uint8_t visible = 0; // 1 after the tree showed the window, 0 after it hid it
    HWND window = nullptr;
};

class ElementTree {
public:
    void setGroupName(const char* name);
    const char* groupNameText() const { return groupName; }
    // Adds `window` under the current group name, without a parent.
    void addElement(HWND window, const char* elementName);
    void addChildElement(const char* parentName, HWND window, const char* elementName);
    // Hides every element whose group name contains `key`, and with each of them every element
    // whose parent name equals that element's group name exactly.
    void hideGroup(const char* key);
    // Shows every element whose group name contains `key` (not their children).
    void showGroup(const char* key);

    int elementCount() const { return static_cast<int>(elements.size()); }
    // Precondition: 0 <= index < elementCount().
    const TreeElement& element(int index) const;

private:
    std::vector<std::unique_ptr<TreeElement>> elements;
    char groupName[TreeNameSize] = {};
};

// The program's one tree, alive for the whole run.
extern ElementTree g_elementTree;

// Empties the tree and its group name; the windows themselves are left alone.
void resetElementTree();
