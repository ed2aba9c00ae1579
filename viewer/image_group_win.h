#pragma once
// The texture pane: a group of image windows shown one at a time in the same rectangle, a
// "base" window carrying the group's buttons, and the active window on which every point
// operation and every message handler works. The forwarding operations below reach the
// active window's lists; with no active window they log "activeWindow is NULL" and do
// nothing (reads give 0 / an empty record).
#include "toolkit/controls_win.h"
#include "viewer/image_window_win.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ImageGroup {
public:
    // Builds the first image window (300 x 300 at (x, y)) and the base window at
    // (-100, -100) with the buttons. Use createImageGroup, which also registers the group.
    ImageGroup(HWND parent, HINSTANCE instance, int x, int y, int width, int height);
    ImageGroup(const ImageGroup&) = delete;
    ImageGroup& operator=(const ImageGroup&) = delete;

    ImageWindow* activeWindow() const;
    void setActiveWindow(ImageWindow* window);
    // The window under the paging cursor: the one whose messages the group handles.
    ImageWindow* shownWindow() const { return cursor < windows.size() ? windows[cursor] : nullptr; }
    ImageWindow* baseWindow() const { return base; }

    // Pane set-up from the framework. setPane also sets the active window's pointCounter to 0.
    void setPane(const char* paneName, int x, int y, int width, int height);
    void setMaxPointsPerWindow(int32_t n) { maxPointsPerWindow = n; }
    void setMaxImages(int32_t n) { maxImages = n; }
    // Size of the images loaded by button: moves each of them to the rectangle and sizes
    // their scroll bars. The first window is laid out by its owner.
    void resizeImageGroup(int x, int y, int width, int height);

    // Images loaded beside the first window.
    int32_t imageCount() const { return static_cast<int32_t>(windows.size()) - 1; }

    // Button commands.
    void loadNewImage();
    void replaceImage();
    void removeImage(ImageWindow* window);
    void nextImage();
    void previousImage();
    // A WM_COMMAND from `control`: runs the command of the group's button with that window.
    // Returns whether it was one of them.
    bool handleButton(HWND control);

    // Forwarding operations on the active window.
    void addPoint(ImagePoint point);
    int32_t pointCount() const;
    void resetPointIterator();
    ImagePoint nextPoint();
    ImagePoint& currentPointRef();
    void removeFirstPoint();
    void removeAllPoints();
    void selectAll();
    void deselectAll();
    void clearKeepSelected();
    void keepSelection();
    void selectByIndex(const ImagePoint& point);
    void deselectAt(const ImagePoint& point);
    uint8_t isSelectedAt(const ImagePoint& point) const;
    void setMotion(int32_t index, float dx, float dy, int32_t kind);
    void addEdge(int32_t a, int32_t b);
    void releaseEdgeLookup();   // when a mesh's edges are all in (EdgeList::releaseLookup)
    int32_t edgeCount() const;
    void resetEdgeIterator();
    EdgePair nextEdge();
    void clearEdges();
    HWND windowHandle() const;
    ImageBitmap* windowBitmap() const;   // none without an active window
    HINSTANCE windowInstance() const;
    bool mouseDown() const;
    void setMouseDown();
    void clearMouseDown();

    HWND parent = nullptr;
    std::string id;
    std::string name;
    HINSTANCE instance = nullptr;
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t windowWidth = 300, windowHeight = 300;
    std::vector<ImageWindow*> windows;   // shown one at a time; the first is the group's own
    size_t cursor = 0;
    int32_t cursorIndex = 0;
    ImageWindow* base = nullptr;
    std::string paneName;
    int32_t paneX = 0, paneY = 0, paneWidth = 0, paneHeight = 0;
    int32_t maxPointsPerWindow = 7000;
    int32_t maxImages = 1000;

private:
    void createButtons();
    void showActiveOnly();
    void showPageNumbers();
    void givePane(ImageWindow& window);
    bool chooseImage(ImageWindow& window);
    ImageWindow* makeWindow(int x, int y, int width, int height, const char* windowName);

    ImageWindow* active_ = nullptr;
    std::vector<std::unique_ptr<ImageWindow>> owned_;   // every window ever made, removed ones too
    std::string buttonNames_[6];
    LabelControl imageLabel_;
    LabelControl ofLabel_;
    TextFieldControl pageField_;
    TextFieldControl countField_;
    ImagePoint noPoint_;   // what currentPointRef gives without an active window
};
