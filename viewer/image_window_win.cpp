#include "viewer/image_window_win.h"

#include "base/gdi_object_win.h"
#include "dialogs/open_bitmap_dialog_win.h"
#include "imagefile/picture_decode.h"
#include "threeds/diagnostics.h"
#include "toolkit/element_tree_win.h"
#include "viewer/image_window_proc_win.h"
#include "viewer/point_edit_state.h"
#include "viewer/viewer_settings.h"

#include <cstdio>
#include <cstring>

std::string handleDecimal(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "%llu",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
    return text;
}

static bool isBaseName(const char* name)
{
    return std::strcmp(name, "base") == 0 || std::strcmp(name, "viewer") == 0;
}

// Registration is attempted for every window; once the class exists the attempt fails and
// the brush made for it is not needed. A registered class keeps its brush for good.
static const char* registerWindowClass(HINSTANCE instance, const char* name)
{
    const bool base = isBaseName(name);
    GdiObject<HBRUSH> background(base ? CreateSolidBrush(RGB(0, 7, 255))
                                      : CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 190)));
    WNDCLASSA windowClass = {};
    windowClass.style = CS_VREDRAW;
    windowClass.lpfnWndProc = imageWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = base ? kBaseWindowClass : kImageWindowClass;
    if (RegisterClassA(&windowClass))
        background.detach();
    return windowClass.lpszClassName;
}

ImageWindow::ImageWindow(HWND parentWindow, HINSTANCE moduleInstance, int x, int y, int width,
                         int height, const char* windowName)
    : parent(parentWindow), instance(moduleInstance)
{
    logLine("beginning of constructor");
    bitmap.setSizeListener(this);
    points.setAddNotifier([this](int32_t index) { notifyParent(index); });
    g_editState.bandActive = false;
    const char* className = registerWindowClass(instance, windowName);
    hwnd = CreateWindowExA(0, className, "Win", WS_CHILD | WS_VISIBLE, x, y, width, height,
                           parent, nullptr, instance, nullptr);
    std::snprintf(name, sizeof name, "%s", windowName);
    registerInTree();
}

void ImageWindow::registerInTree()
{
    if (std::strcmp(name, "base") == 0) {
        g_elementTree.addElement(hwnd, "BASE2");
        return;
    }
    char previousGroup[TreeNameSize];
    std::snprintf(previousGroup, sizeof previousGroup, "%s", g_elementTree.groupNameText());
    std::snprintf(elementName, sizeof elementName, "%s%s", name, handleDecimal(hwnd).c_str());
    g_elementTree.setGroupName(elementName);
    g_elementTree.addChildElement(previousGroup, hwnd, "BASE1");
    g_elementTree.setGroupName(previousGroup);
}

void ImageWindow::notifyParent(int32_t index)
{
    // A mesh adds tens of thousands of points in a row: the name is written once per handle.
    static HWND namedWindow = nullptr;
    static std::string pointGroupName;
    if (pointGroupName.empty() || namedWindow != hwnd) {
        pointGroupName = "Point" + handleDecimal(hwnd);
        namedWindow = hwnd;
    }
    g_elementTree.setGroupName(pointGroupName.c_str());
    SendMessageA(parent, WM_LBUTTONDOWN, static_cast<WPARAM>(index), 0);
}

std::string ImageWindow::openBitmap()
{
    bitmap.setFilePath("");
    const std::string chosen = chooseBitmapFile(hwnd, ImageBitmap::FilePathSize);
    if (chosen.empty())
        return chosen;
    bitmap.setFilePath(chosen.c_str());
    if (isPictureFileName(chosen.c_str())) {
        bitmap.openImageFile(hwnd, chosen.c_str());
        return chosen;
    }
    if (chosen.find(".bmp") != std::string::npos)
        bitmap.openImageFile(hwnd, chosen.c_str());
    if (chosen.find(".pgm") != std::string::npos) {
        bitmap.loadPgm(hwnd, bitmap.getFilePath());
        bitmap.makeBitmapFromPgm(hwnd);
    }
    return chosen;
}

void ImageWindow::viewportSized(int width, int height)
{
    horizontalBar.setWindowSize(width, height);
    verticalBar.setWindowSize(width, height);
    copyBarPositions();
}

void ImageWindow::imageSized(int width, int height)
{
    horizontalBar.setImageSize(width, height);
    verticalBar.setImageSize(width, height);
}

void ImageWindow::repaint()
{
    RECT client;
    GetClientRect(hwnd, &client);
    InvalidateRect(hwnd, &client, TRUE);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
}

void ImageWindow::pointsMoved()
{
    if (g_autoUpdateMesh)
        g_editState.applyRequested = true;
    repaint();
}

void ImageWindow::copyBarPositions()
{
    scrollX = horizontalBar.position;
    scrollY = verticalBar.position;
}

void ImageWindow::zoomBy(float step)
{
    const float newZoom = zoom + step;
    if (newZoom < kSmallestZoom || bitmap.makeZoomedCopy(newZoom) == -1)
        return;
    zoom = newZoom;
    horizontalBar.resetPosition();
    verticalBar.resetPosition();
    horizontalBar.position = 0;
    verticalBar.position = kTopScrollY;
    copyBarPositions();
    repaint();
}

void ImageWindow::scroll(bool horizontal, WPARAM request)
{
    RECT client;
    GetClientRect(hwnd, &client);
    if (horizontal)
        horizontalBar.scroll(request, client.right);
    else
        verticalBar.scroll(request, client.bottom);
    // The offsets follow the bars before the paint, so points and tiles move together.
    copyBarPositions();
    repaint();
}

void ImageWindow::resized()
{
    logLine("WM_SIZE was called");
    RECT client;
    GetClientRect(hwnd, &client);
    for (ImageScrollBar* bar : {&horizontalBar, &verticalBar}) {
        bar->setWindowSize(client.right, client.bottom);
        bar->show();
        SetScrollPos(bar->hwnd, SB_CTL, bar->position, TRUE);
    }
    // A bar the new size hides puts its view back at the start; the points follow the tiles.
    copyBarPositions();
}
