#pragma once
// What the editor does to the texture pane beyond the group's point and edge operations:
// read the bitmap's size, show a mesh's texture in it, empty it, repaint it. Every call works
// on the group's active window.
#include <windows.h>

class ImageGroup;

struct PaneBitmapSize {
    int width = 0;
    int height = 0;
};

// W and H of the active window's bitmap, in pixels. Where no bitmap has a size but Project...
// laid the points on the checker, the checker's: the points keep the size they were laid on,
// so an untextured mesh can be mapped before any bitmap is opened.
PaneBitmapSize paneBitmapSize(ImageGroup& pane);

// Makes both scroll bars of the active window again and puts the view at its start: bars and
// offsets 0 across, -30 down.
void resetPaneView(ImageGroup& pane);

// Loads the image file into the active window's bitmap, then resetPaneView.
void showPaneTexture(ImageGroup& pane, const char* path);

// Drops the active window's image (its DIB block and both bitmaps) and clears
// g_textureFileName.
void emptyPaneBitmap(ImageGroup& pane);

// The active window's zoom.
void setPaneZoom(ImageGroup& pane, float zoom);

// Invalidates the active window (with erase) and paints it at once.
void repaintPane(ImageGroup& pane);

// Tells both scroll bars the zoomed image size again (after the repeat counts changed).
void refreshPaneImageSize(ImageGroup& pane);
