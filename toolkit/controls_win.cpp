#include "toolkit/controls_win.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include "toolkit/element_tree_win.h"

std::vector<std::unique_ptr<ButtonControl>> g_buttons;

namespace {

// The record a failed lookup returns; its window matches no WM_COMMAND sender.
const ButtonControl emptyButton;

// The "STATIC" class brush this program installed last; replaced brushes are deleted.
GdiObject<HBRUSH> labelBrush;

HWND createControl(const char* className, const char* text, DWORD style, int x, int y,
                   int width, int height, HWND parent, HINSTANCE instance) {
    return CreateWindowExA(0, className, text, style, x, y, width, height, parent, nullptr,
                           instance, nullptr);
}

// Every static control painted from now on erases its background with this colour.
void setStaticBackground(HWND label) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(RGB(133, 140, 180)));
    SetClassLongPtrA(label, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush.get()));
    labelBrush = std::move(brush);
}

} // namespace

ButtonControl* createButton(HWND parent, HINSTANCE instance, int x, int y, int width,
                            int height, const char* caption, const char* name,
                            bool registerInTree) {
    auto button = std::make_unique<ButtonControl>();
    button->parent = parent;
    button->instance = instance;
    const size_t nameLength = name ? strnlen(name, ButtonNameSize - 1) : 0;
    if (nameLength)
        std::memcpy(button->name, name, nameLength);
    button->window = createControl("BUTTON", caption, WS_CHILD | WS_VISIBLE, x, y, width,
                                   height, parent, instance);
    g_buttons.push_back(std::move(button));
    ButtonControl* created = g_buttons.back().get();
    // All buttons share one element name; the register, not the tree, tells them apart.
    if (registerInTree)
        g_elementTree.addElement(created->window, "NewButton3");
    return created;
}

const ButtonControl& findButtonByName(const char* name) {
    for (const auto& button : g_buttons)
        if (std::strcmp(button->name, name) == 0)
            return *button;
    return emptyButton;
}

const ButtonControl& findButtonByWindow(HWND window) {
    for (const auto& button : g_buttons)
        if (button->window == window)
            return *button;
    return emptyButton;
}

void removeButton(HWND window) {
    auto found = std::find_if(g_buttons.begin(), g_buttons.end(),
                              [window](const auto& button) { return button->window == window; });
    if (found != g_buttons.end())
        g_buttons.erase(found);
}

void resetButtons() {
    g_buttons.clear();
}

void createLabel(LabelControl& label, HWND parent, HINSTANCE instance, int x, int y,
                 int width, int height, const char* text, bool registerInTree) {
    label.parent = parent;
    label.instance = instance;
    label.window = createControl("STATIC", text, WS_CHILD | WS_VISIBLE | WS_GROUP, x, y, width,
                                 height, parent, instance);
    label.font.reset(CreateFontA(10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, nullptr));
    if (label.window) {
        // The label paints with a fresh device context each time, so its font is given to
        // the control itself rather than selected into one borrowed context.
        SendMessageA(label.window, WM_SETFONT, reinterpret_cast<WPARAM>(label.font.get()), FALSE);
        setStaticBackground(label.window);
    }
    if (registerInTree)
        g_elementTree.addElement(label.window, "Static6");
}

void createTextField(TextFieldControl& field, HWND parent, HINSTANCE instance, int x, int y,
                     int width, int height, const char* text) {
    field.parent = parent;
    field.instance = instance;
    field.window = createControl("EDIT", text,
                                 WS_CHILD | WS_VISIBLE | WS_GROUP | ES_AUTOHSCROLL, x, y,
                                 width, height, parent, instance);
    g_elementTree.addElement(field.window, "TextField8");
}
