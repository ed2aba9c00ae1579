#pragma once
// The one window procedure of every image window and every group's base window. It finds the
// ImageGroup that owns the window (by its shown window, or by its base window for button
// commands) and handles the message on the group's active window: paint, size, scrolling,
// zoom and mode commands, the mouse editing of points and the Shift / Ctrl keys. Messages of
// windows no group claims, and every message while a group builds its windows, go to
// DefWindowProcA.
#include <windows.h>

LRESULT CALLBACK imageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
