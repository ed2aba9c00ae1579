#pragma once
// A small top-level window that holds one image group, as the editor's main window does, for
// the texture pane's suites. It records the WM_LBUTTONDOWN notifications that adding points
// sends to the parent, writes test bitmaps into the current folder and shows them in the
// group's active window the way the editor does after loading a mesh.
#include "viewer/image_group_win.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Writes a 24-bit BMP of `width` x `height` filled with `fill` (0x00RRGGBB) except for a
// 4 x 4 block of `corner` at its top-left.
void writeTestBitmap(const std::string& path, int width, int height, uint32_t fill, uint32_t corner);

class PaneHost {
public:
    // A visible host of the given client size with a group whose active window fills it.
    PaneHost(int clientWidth = 400, int clientHeight = 300);
    ~PaneHost();
    PaneHost(const PaneHost&) = delete;
    PaneHost& operator=(const PaneHost&) = delete;

    ImageWindow& window() const { return *group->activeWindow(); }
    HWND pane() const { return group->windowHandle(); }

    // Loads `path` into the active window, makes its scroll bars and puts the view on the
    // first tile (vertical offset -30), then sends WM_SIZE, as the editor does.
    void showBitmap(const std::string& path);

    // Real messages to the pane window, as the mouse and keyboard would send them.
    void press(int x, int y) const { send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void moveTo(int x, int y) const { send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
    void release(int x, int y) const { send(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void click(int x, int y) const
    {
        press(x, y);
        release(x, y);
    }
    void drag(int x, int y, int toX, int toY) const
    {
        press(x, y);
        moveTo(toX, toY);
        release(toX, toY);
    }
    void key(WPARAM key, bool down) const { send(down ? WM_KEYDOWN : WM_KEYUP, key, 0); }
    void command(int id) const { send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void send(UINT message, WPARAM wParam, LPARAM lParam) const { SendMessageA(pane(), message, wParam, lParam); }

    HWND host = nullptr;
    ImageGroup* group = nullptr;
    std::vector<WPARAM> notifications;   // wParam of each WM_LBUTTONDOWN the host received
};
