#pragma once
// The texture pane's standard controls: push buttons (kept in the register g_buttons, where
// the image group finds them by name), static labels and single-line edit fields. Each
// control can be entered in the element tree so that the pane hides and shows it with its
// group. A control whose window cannot be made keeps a window of none; nothing is shown.
#include <windows.h>
#include <memory>
#include "base/gdi_object_win.h"
#include <vector>

constexpr int ButtonNameSize = 600; // 599 characters and the zero; longer names are cut

struct ButtonControl {
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    char name[ButtonNameSize] = {};
};

// Every button made by createButton, in creation order. Records live until removeButton.
extern std::vector<std::unique_ptr<ButtonControl>> g_buttons;

// Makes a visible push button with `caption` on `parent` and appends it to g_buttons under
// `name`; with `registerInTree` it also enters it in the element tree as "NewButton3".
// Returns the new record (owned by g_buttons).
ButtonControl* createButton(HWND parent, HINSTANCE instance, int x, int y, int width,
                            int height, const char* caption, const char* name,
                            bool registerInTree);
// The first button named exactly `name`, or an empty record (window none) that stays valid.
const ButtonControl& findButtonByName(const char* name);
// The first button whose window is `window`, or the same empty record.
const ButtonControl& findButtonByWindow(HWND window);
// Removes (and frees) the first button whose window is `window`; the window stays.
void removeButton(HWND window);
// Empties the register; the windows stay.
void resetButtons();

struct LabelControl {
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    GdiObject<HFONT> font;
};

// Makes a visible "STATIC" label with `text`, gives it its own 10-pixel font and makes a
// solid RGB(133, 140, 180) brush the background of the whole "STATIC" class, so every static
// control painted from then on uses it. With `registerInTree` it enters the label in the
// element tree as "Static6".
void createLabel(LabelControl& label, HWND parent, HINSTANCE instance, int x, int y,
                 int width, int height, const char* text, bool registerInTree);

struct TextFieldControl {
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
};

// Makes a visible single-line "EDIT" field with `text`, scrolling sideways, and always
// enters it in the element tree as "TextField8".
void createTextField(TextFieldControl& field, HWND parent, HINSTANCE instance, int x, int y,
                     int width, int height, const char* text);
