#include "viewer/image_group_win.h"

#include "threeds/diagnostics.h"
#include "toolkit/element_tree_win.h"
#include "viewer/image_group_registry_win.h"

#include <string>

namespace {

constexpr int kPaneTopOffset = 60;   // the group's stored rectangle starts 60 pixels lower
constexpr int kFirstWindowSize = 300;

enum ButtonSlot { RemoveImgButton, RemovePointButton, LoadButton, PreviousButton, NextButton, ReplaceButton };
const char* const kButtonBaseNames[6] = {"RemoveImg", "Remove Point", "Load new Image", "<", ">", "Replace Image"};

}  // namespace

ImageGroup::ImageGroup(HWND parentWindow, HINSTANCE moduleInstance, int left, int top, int w, int h)
    : parent(parentWindow), instance(moduleInstance), x(left), y(top + kPaneTopOffset), width(w),
      height(h - kPaneTopOffset)
{
    id = std::to_string(takeImageGroupNumber());
    name = "ImageGroup[" + id + "]";
    cursorIndex = 0;
    g_constructingGroup = true;
    ImageWindow* first = makeWindow(left, top, kFirstWindowSize, kFirstWindowSize, name.c_str());
    base = makeWindow(-100, -100, 300, 60, "base");
    windows.push_back(first);
    cursor = 0;
    setActiveWindow(first);
    g_constructingGroup = false;
    logLine("alloated original Image Window");
    createButtons();
}

ImageWindow* ImageGroup::makeWindow(int left, int top, int w, int h, const char* windowName)
{
    owned_.push_back(std::make_unique<ImageWindow>(parent, instance, left, top, w, h, windowName));
    return owned_.back().get();
}

void ImageGroup::createButtons()
{
    for (int slot = 0; slot < 6; ++slot)
        buttonNames_[slot] = kButtonBaseNames[slot] + id;
    const HWND on = base->hwnd;
    createButton(on, instance, 0, -100, 100, 20, "RemoveImg", buttonNames_[RemoveImgButton].c_str(), true);
    createButton(on, instance, 100, -100, 100, 20, "Remove Point", buttonNames_[RemovePointButton].c_str(), true);
    createButton(on, instance, 199, 40, 100, 20, "Replace Image", buttonNames_[ReplaceButton].c_str(), true);
    createButton(on, instance, 0, 0, 120, 20, "Load new Image", buttonNames_[LoadButton].c_str(), true);
    createButton(on, instance, 120, 0, 20, 20, "<", buttonNames_[PreviousButton].c_str(), true);
    createLabel(imageLabel_, on, instance, 140, 0, 40, 20, "image:", true);
    createTextField(pageField_, on, instance, 180, 0, 20, 20, "");
    createLabel(ofLabel_, on, instance, 200, 0, 20, 20, "of", true);
    createTextField(countField_, on, instance, 220, 0, 20, 20, "");
    createButton(on, instance, 240, 0, 20, 20, ">", buttonNames_[NextButton].c_str(), true);
    showPageNumbers();
}

ImageWindow* ImageGroup::activeWindow() const
{
    if (!active_)
        logLine("activeWindow is NULL");
    return active_;
}

void ImageGroup::setActiveWindow(ImageWindow* window)
{
    if (!window)
        logLine("ActiveWindow is NULL in setActiveWindow");
    active_ = window;
}

void ImageGroup::givePane(ImageWindow& window)
{
    window.points.setPointCounter(0);
}

void ImageGroup::setPane(const char* pane, int left, int top, int w, int h)
{
    paneName = pane ? pane : "";
    paneX = left;
    paneY = top;
    paneWidth = w;
    paneHeight = h;
    if (ImageWindow* window = activeWindow())
        givePane(*window);
}

void ImageGroup::resizeImageGroup(int, int, int w, int h)
{
    windowWidth = w;
    windowHeight = h;
    for (size_t k = 1; k < windows.size(); ++k) {
        ImageWindow& window = *windows[k];
        SetWindowPos(window.hwnd, nullptr, x, y, w, h, 0);
        for (ImageScrollBar* bar : {&window.horizontalBar, &window.verticalBar}) {
            bar->move(window.hwnd);
            bar->setWindowSize(w, h);
        }
    }
}

// The Open Bitmap dialog for `window`'s bitmap; a chosen path becomes its image name.
bool ImageGroup::chooseImage(ImageWindow& window)
{
    window.horizontalBar.create(ImageScrollBar::OrientationHorizontal, window.hwnd, instance);
    window.verticalBar.create(ImageScrollBar::OrientationVertical, window.hwnd, instance);
    const std::string path = window.openBitmap();
    if (path.empty())
        return false;
    window.setImageName(path.c_str());
    return true;
}

void ImageGroup::loadNewImage()
{
    if (imageCount() > maxImages)
        return;
    g_constructingGroup = true;
    ImageWindow* window = makeWindow(x, y, windowWidth, windowHeight, name.c_str());
    givePane(*window);
    window->points.setMaxPoints(maxPointsPerWindow);
    windows.push_back(window);
    setActiveWindow(window);
    g_constructingGroup = false;
    logLine("alloated original Image Window");
    chooseImage(*window);
    window->scrollX = 0;
    window->scrollY = 0;
    window->horizontalBar.position = 0;
    window->verticalBar.position = 0;
    previousImage();
}

void ImageGroup::replaceImage()
{
    ImageWindow* window = activeWindow();
    if (!window)
        return;
    givePane(*window);
    window->points.setMaxPoints(maxPointsPerWindow);
    g_constructingGroup = false;
    logLine("alloated original Image Window");
    chooseImage(*window);
    previousImage();
}

void ImageGroup::removeImage(ImageWindow* window)
{
    for (size_t k = windows.size(); k-- > 0;)
        if (windows[k] == window)
            windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(k));
    cursorIndex = 0;
    cursor = 0;
    setActiveWindow(shownWindow());
    g_elementTree.hideGroup(name.c_str());
    if (ImageWindow* shown = activeWindow())
        ShowWindow(shown->hwnd, SW_SHOW);
    showPageNumbers();
    InvalidateRect(base->hwnd, nullptr, FALSE);
    SendMessageA(base->hwnd, WM_PAINT, 0, 0);
}

void ImageGroup::nextImage()
{
    if (imageCount() > 0) {
        if (cursor + 1 < windows.size()) {
            ++cursorIndex;
            ++cursor;
        }
        if (cursorIndex > imageCount()) {
            cursor = 0;
            cursorIndex = 1;
        }
        setActiveWindow(shownWindow());
    }
    showActiveOnly();
}

void ImageGroup::previousImage()
{
    if (imageCount() > 0) {
        if (cursor > 1) {
            --cursorIndex;
            --cursor;
        }
        setActiveWindow(shownWindow());
    }
    showActiveOnly();
    if (ImageWindow* window = activeWindow())
        window->repaint();
}

// Hides every window of the group (and what was registered under them), then shows the
// elements registered under the active window's handle: the window itself.
void ImageGroup::showActiveOnly()
{
    g_elementTree.hideGroup(name.c_str());
    if (ImageWindow* window = activeWindow())
        g_elementTree.showGroup(handleDecimal(window->hwnd).c_str());
    showPageNumbers();
}

// The fields between "<" and ">" show the image number and the number of loaded images.
void ImageGroup::showPageNumbers()
{
    SetWindowTextA(pageField_.window, std::to_string(cursorIndex).c_str());
    SetWindowTextA(countField_.window, std::to_string(imageCount()).c_str());
}

bool ImageGroup::handleButton(HWND control)
{
    if (!control)
        return false;
    auto is = [&](ButtonSlot slot) { return findButtonByName(buttonNames_[slot].c_str()).window == control; };
    if (is(RemovePointButton)) {
        if (imageCount() > 0)
            removeFirstPoint();
    } else if (is(LoadButton)) {
        loadNewImage();
    } else if (is(ReplaceButton)) {
        if (imageCount() > 0) {
            removeAllPoints();
            replaceImage();
        }
    } else if (is(RemoveImgButton)) {
        if (imageCount() > 0)
            removeImage(activeWindow());
    } else if (is(PreviousButton)) {
        previousImage();
    } else if (is(NextButton)) {
        nextImage();
    } else {
        return false;
    }
    return true;
}
