#include "viewer/image_scroll_bar_win.h"

#include <cassert>
#include "viewer/scroll_range.h"
#include "viewer/viewer_settings.h"

static_assert(ScrollLineBack == SB_LINEUP && ScrollLineForward == SB_LINEDOWN && ScrollPageBack == SB_PAGEUP &&
                  ScrollPageForward == SB_PAGEDOWN && ScrollThumbPosition == SB_THUMBPOSITION &&
                  ScrollThumbTrack == SB_THUMBTRACK,
              "scroll requests are the scroll messages' codes");

ImageScrollBar::ImageScrollBar(int orientation)
    : horizontal(orientation == OrientationHorizontal ? 1 : 0),
      minscroll(orientation == OrientationHorizontal ? 0 : -kContentMargin) {
    assert(orientation == OrientationHorizontal || orientation == OrientationVertical);
}

void ImageScrollBar::create(int orientation, HWND parent, HINSTANCE instance) {
    assert(orientation == OrientationHorizontal || orientation == OrientationVertical);
    RECT client = {};
    GetClientRect(parent, &client);
    const int clientWidth = client.right;
    const int clientHeight = client.bottom;
    thickness = BarThickness;
    if (disabled) {
        position = 0;
        return;
    }
    if (orientation == OrientationHorizontal) {
        if (created) {
            MoveWindow(hwnd, 0, clientHeight - BarThickness, clientWidth - BarThickness,
                       BarThickness, TRUE);
        } else {
            horizontal = 1;
            hwnd = CreateWindowExA(0, "SCROLLBAR", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, 0,
                                   clientHeight - 20, clientWidth - 20, 20, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId)),
                                   instance, nullptr);
            minscroll = 0;
        }
    } else {
        if (created) {
            MoveWindow(hwnd, clientWidth - BarThickness, 0, BarThickness,
                       clientHeight - BarThickness, TRUE);
        } else {
            horizontal = 0;
            hwnd = CreateWindowExA(0, "SCROLLBAR", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP |
                                       SBS_VERT,
                                   clientWidth - BarThickness, 0, BarThickness,
                                   clientHeight - BarThickness, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId)),
                                   instance, nullptr);
            minscroll = -kContentMargin;
        }
    }
    maxscroll += kRangeExtra;
    applyRange();
    show();
    move(parent);
    if (hwnd) created = 1;
    position = 0;
}

void ImageScrollBar::move(HWND parent) {
    RECT client = {};
    GetClientRect(parent, &client);
    if (horizontal)
        MoveWindow(hwnd, 0, client.bottom - thickness, client.right - thickness, BarThickness,
                   TRUE);
    else
        MoveWindow(hwnd, client.right - thickness, 0, BarThickness, client.bottom - thickness,
                   TRUE);
}

void ImageScrollBar::setImageSize(int width, int height) {
    contentWidth = tiledExtent(width, g_repeatHorizontal);
    contentHeight = tiledExtent(height, g_repeatVertical);
    updateRange(0);
}

void ImageScrollBar::setWindowSize(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    updateRange(horizontal ? 0 : minscroll);
}

void ImageScrollBar::show() {
    if (hwnd) ShowWindow(hwnd, SW_RESTORE);
    visible = 1;
}

void ImageScrollBar::hide() {
    if (hwnd) ShowWindow(hwnd, SW_HIDE);
    visible = 0;
}

void ImageScrollBar::resetPosition() {
    if (hwnd) SetScrollPos(hwnd, SB_CTL, 0, TRUE);
    position = 0;
}

// The thumb position of a drag. The message carries only its low 16 bits (signed: the vertical
// range starts at -30); a range past 32,767 needs the whole value, which the bar keeps as its
// track position while the thumb is dragged. A message whose bits do not match it (one not sent
// by a drag) keeps its own 16-bit value.
int ImageScrollBar::thumbPosition(WPARAM wParam) const {
    const int thumb = static_cast<int16_t>(HIWORD(wParam));
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    if (hwnd && GetScrollInfo(hwnd, SB_CTL, &info) && LOWORD(info.nTrackPos) == HIWORD(wParam))
        return info.nTrackPos;
    return thumb;
}

int ImageScrollBar::scroll(WPARAM wParam, int clientExtent) {
    const int request = LOWORD(wParam);
    const bool thumbMoved = request == SB_THUMBPOSITION || request == SB_THUMBTRACK;
    position = scrolledPosition(request, position, thumbMoved ? thumbPosition(wParam) : 0, clientExtent,
                                minscroll, maxscroll);
    if (hwnd) SetScrollPos(hwnd, SB_CTL, position, TRUE);
    return position;
}

void ImageScrollBar::updateRange(int hiddenPosition) {
    const ScrollRange range = horizontal ? scrollRange(contentWidth, windowWidth)
                                         : scrollRange(contentHeight, windowHeight);
    maxscroll = range.upper;
    if (range.hidden) {
        hide();
        position = hiddenPosition;
    } else if (!visible) {
        show();
    }
    applyRange();
}

void ImageScrollBar::applyRange() {
    if (hwnd) SetScrollRange(hwnd, SB_CTL, minscroll, maxscroll, TRUE);
}
