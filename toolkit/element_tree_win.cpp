#include "toolkit/element_tree_win.h"

#include <cassert>
#include <cstring>

ElementTree g_elementTree;

void resetElementTree() {
    g_elementTree = ElementTree();
}

namespace {

// Copies `text` into a tree name field, cutting it at 199 characters.
void copyName(char (&field)[TreeNameSize], const char* text) {
    const size_t length = text ? strnlen(text, TreeNameSize - 1) : 0;
    if (length)
        std::memcpy(field, text, length);
    field[length] = '\0';
}

void setShown(TreeElement& element, bool shown) {
    ShowWindow(element.window, shown ? SW_SHOW : SW_HIDE);
    element.visible = shown ? 1 : 0;
}

} // namespace

void ElementTree::setGroupName(const char* name) {
    copyName(groupName, name);
}

void ElementTree::addElement(HWND window, const char* elementName) {
    addChildElement("", window, elementName);
}

void ElementTree::addChildElement(const char* parentName, HWND window,
                                  const char* elementName) {
    auto element = std::make_unique<TreeElement>();
    copyName(element->groupName, groupName);
    copyName(element->parentName, parentName);
    copyName(element->elementName, elementName);
    element->window = window;
    elements.push_back(std::move(element));
}

void ElementTree::hideGroup(const char* key) {
    for (const auto& element : elements) {
        if (!std::strstr(element->groupName, key))
            continue;
        setShown(*element, false);
        for (const auto& child : elements)
            if (std::strcmp(child->parentName, element->groupName) == 0)
                setShown(*child, false);
    }
}

void ElementTree::showGroup(const char* key) {
    for (const auto& element : elements)
        if (std::strstr(element->groupName, key))
            setShown(*element, true);
}

const TreeElement& ElementTree::element(int index) const {
    assert(index >= 0 && index < elementCount());
    return *elements[size_t(index)];
}
