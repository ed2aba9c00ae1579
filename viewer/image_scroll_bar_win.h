#pragma once
// One scroll bar of an image window. The bar's range covers the bitmap tiled
// g_repeatHorizontal x g_repeatVertical times plus a 30-pixel margin, less the viewport;
// `position` is the view's offset in zoomed pixels along the bar's direction. The arithmetic
// is scroll_range.h's; this class keeps the control in step with it.
#include <windows.h>
#include <cstdint>

class ImageScrollBar {
public:
    // Values of create's orientation argument (note: the opposite of the `horizontal` field).
    static constexpr int OrientationHorizontal = 0;
    static constexpr int OrientationVertical = 1;
    static constexpr int BarThickness = 15;
    static constexpr int ControlId = 21;

    // `orientation` is OrientationHorizontal or OrientationVertical. It fixes which size the
    // range arithmetic uses before the bar's window exists (the bitmap loader sizes both bars
    // before the window creates them) and the lower end of the range: 0 across, -30 down.
    explicit ImageScrollBar(int orientation);

    // Makes the "SCROLLBAR" control on `parent` (or moves it when it exists already), adds 20
    // to `maxscroll`, sets the range, shows the bar, lays it out with move() and resets
    // `position` to 0. While `disabled` is set it only resets `position`.
    void create(int orientation, HWND parent, HINSTANCE instance);
    // Lays the bar along the bottom (horizontal) or right (vertical) edge of `parent`'s client
    // area, `thickness` pixels thick.
    void move(HWND parent);
    // The tiled image of `width` x `height` zoomed pixels: recomputes the range, hides the bar
    // when everything fits (position 0) or shows it again.
    void setImageSize(int width, int height);
    // The viewport size: same as setImageSize, except that a vertical bar hidden here gets
    // position -30 (its lower end).
    void setWindowSize(int width, int height);
    void show();
    void hide();
    // Puts the thumb and `position` back to 0.
    void resetPosition();
    // Handles a WM_HSCROLL / WM_VSCROLL request for this bar: the request code is
    // LOWORD(wParam), a thumb position the signed HIWORD(wParam), or the bar's whole track
    // position when that is what HIWORD carries the low bits of. Lines move by
    // clientExtent/20, pages by clientExtent/4 (clientExtent: the client width for the
    // horizontal bar, the height for the vertical one). Clamps to [minscroll, maxscroll],
    // moves the thumb and returns the new `position`. Unknown requests keep the position.
    int scroll(WPARAM wParam, int clientExtent);

    int32_t horizontal;       // 1 horizontal, 0 vertical
    uint8_t created = 0;
    uint8_t visible = 0;
    uint8_t disabled = 0;
    HWND hwnd = nullptr;
    int32_t thickness = BarThickness;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t contentWidth = 0;
    int32_t contentHeight = 0;
    int32_t maxscroll = 0;
    int32_t minscroll;
    int32_t position = 0;

private:
    int thumbPosition(WPARAM wParam) const;
    void updateRange(int hiddenPosition);
    void applyRange();
};
