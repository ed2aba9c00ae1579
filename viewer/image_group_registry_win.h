#pragma once
// Every ImageGroup of the program, in creation order, and the lookups by which the one window
// procedure finds the group of a window. Groups are never removed.
#include "viewer/image_group_win.h"

#include <windows.h>

// Set while a group builds its windows; the window procedure then only calls DefWindowProcA.
extern bool g_constructingGroup;

// The number of the next group, counted from 1 in creation order; it names the group
// ("ImageGroup[1]") and its buttons.
int takeImageGroupNumber();

// Builds a group of image windows on `parent` (its first window at (x, y), 300 x 300; the
// caller lays it out) and registers it. Logs "adding an ImageWindow" and "done adding an
// ImageWindow". The group lives until the program ends.
ImageGroup* createImageGroup(HWND parent, HINSTANCE instance, int x, int y, int width, int height);

// The first group whose shown window (under its paging cursor) is `window`, or none.
ImageGroup* findGroupByWindow(HWND window);
// The first group whose base window is `window`, or none.
ImageGroup* findGroupByBase(HWND window);
// Forgets a destroyed window, so that a later window given the same handle is not mistaken
// for it.
void forgetDestroyedWindow(HWND window);

// Deletes every group and starts the numbering again. Windows of those groups that still exist
// are claimed by no group from then on; no pointer to a group may be used afterwards.
void resetImageGroups();
