#pragma once
// One image of the texture pane: a child window that shows a bitmap tiled
// g_repeatHorizontal x g_repeatVertical times, with the mesh's edges and points drawn over the
// first tile, two scroll bars of its own and a zoom factor. It owns its point and edge lists
// (the operations on them are those of PointList and EdgeList), its bitmap object and its
// scroll bars, which follow the sizes the bitmap reports.
//
// All image windows share one window procedure (image_window_proc_win.cpp), which finds the
// window's ImageGroup and works on the group's active window.
#include "imagefile/image_bitmap_win.h"
#include "viewer/checker_pattern.h"
#include "viewer/checker_tile_win.h"
#include "viewer/edge_list.h"
#include "viewer/image_scroll_bar_win.h"
#include "viewer/pane_canvas_win.h"
#include "viewer/point_history.h"
#include "viewer/point_list.h"
#include "viewer/stretch_measure.h"

#include <windows.h>

#include <cstdint>
#include <string>

constexpr int ImageWindowNameSize = 200;

// Window classes: "base" and "viewer" windows get a solid blue background, the others a
// diagonal hatch (the first registration of a class decides its brush).
constexpr char kImageWindowClass[] = "Iwin";
constexpr char kBaseWindowClass[] = "IwinB2";

// Commands of the image toolbar (resource toolbar 146).
enum ImageCommand : int {
    CommandZoomIn = 40046,
    CommandZoomOut = 40047,
    CommandApply = 40054,
    CommandMoveMode = 40055,
    CommandScaleMode = 40056,
    CommandRotateMode = 40057,
};

// The vertical offset a view returns to after loading or zooming: the bar's lower end.
constexpr int kTopScrollY = -30;
constexpr float kZoomStep = 0.5f;
// Zooming out stops here, so the zoom never reaches 0 (positions are divided by it).
constexpr float kSmallestZoom = 0.5f;

// A window handle written in decimal, as the element tree's names carry it.
std::string handleDecimal(HWND window);

class ImageWindow : private ImageSizeListener {
public:
    // Registers the window class, creates the child window "Win" (WS_CHILD | WS_VISIBLE) at
    // the given rectangle of `parent`'s client area and enters it in the element tree: a
    // window named "base" as "BASE2", any other as "BASE1" under the group name `name` +
    // handle. Adding a point sends `parent` WM_LBUTTONDOWN with the point's index.
    ImageWindow(HWND parent, HINSTANCE instance, int x, int y, int width, int height, const char* name);
    ImageWindow(const ImageWindow&) = delete;
    ImageWindow& operator=(const ImageWindow&) = delete;

    void setImageName(const char* path) { imageFileName = path ? path : ""; }

    // The Open Bitmap dialog for this window. The chosen path becomes the bitmap's file path
    // and is loaded at once: a path containing ".bmp" is opened as an image file, then one
    // containing ".pgm" is loaded as PGM (both tests case-sensitive). Returns the path, or an
    // empty string when the user cancelled or the dialog failed (the file path is then empty
    // and the image stays).
    std::string openBitmap();

    // Invalidates the client area and paints at once (SendMessageA WM_PAINT), so the paint
    // has run when this returns.
    void repaint();

    // Zooms by `step` (±kZoomStep) when the bitmap can make the zoomed copy and the new zoom
    // is not below kSmallestZoom; the view then returns to the top-left tile. Repaints.
    void zoomBy(float step);
    // WM_HSCROLL / WM_VSCROLL: moves the view by the request and repaints.
    void scroll(bool horizontal, WPARAM request);
    // WM_SIZE: sizes both bars to the client area and shows them.
    void resized();

    // WM_PAINT: applies the pending motions and the apply request, renders into the canvas
    // and copies it onto `target`.
    void paint(HDC target);
    // After a command moved points: repaints, and lets the mesh follow as it does after a drag
    // (at once with automatic update, else on the next apply).
    void pointsMoved();

    // WM_PRINTCLIENT: copies what the window shows onto `target` without changing anything.
    void printClient(HDC target);

    // The size of the tiles, in pixels: the bitmap's, or the checker's own where no bitmap has
    // given the window a size.
    int textureWidth() const { return hasBitmapSize() ? bitmap.getWidth() : kCheckerSide; }
    int textureHeight() const { return hasBitmapSize() ? bitmap.getHeight() : kCheckerSide; }

    HWND hwnd = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    char elementName[ImageWindowNameSize] = {};
    char name[ImageWindowNameSize] = {};
    std::string imageFileName;
    bool mouseDown = false;
    bool dragMoved = false;   // the button went down on points and the mouse has moved since
    float zoom = 1.0f;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    PointList points;
    PointHistory history;   // undo steps of `points`: drags here, commands from the editor
    EdgeList edges;
    StretchFaces stretchFaces;   // the mesh's triangles, for the stretch tint (set by the editor)
    ImageScrollBar horizontalBar{ImageScrollBar::OrientationHorizontal};
    ImageScrollBar verticalBar{ImageScrollBar::OrientationVertical};
    ImageBitmap bitmap;

private:
    void viewportSized(int width, int height) override;
    void imageSized(int width, int height) override;
    void registerInTree();
    void notifyParent(int32_t index);
    void copyBarPositions();
    // Draws the window into the canvas; with `advance` it also applies the pending motions
    // (the wireframe still shows the positions from before, the squares the new ones) and
    // then the apply request.
    void render(bool advance);
    // Applies each point's pending motion (with `advance`) and draws its square.
    void drawPoints(bool advance);
    void runRequestedApply();
    void drawTiles(HDC dc, int clientWidth, int clientHeight);

    bool hasBitmapSize() const { return bitmap.getWidth() > 0 && bitmap.getHeight() > 0; }

    PaneCanvas canvas_;
    CheckerTile checkerTile_;
};
