#pragma once
// The arithmetic of an image window's scroll bars, apart from the controls: how far the view
// can move over the tiled bitmap, when a bar has nothing to scroll, and where a request moves
// the view. Positions are the view's offset in zoomed pixels along the bar. Portable.
#include <cstdint>

constexpr int kContentMargin = 30;     // added to the tiled image size
constexpr int kRangeExtra = 20;        // added to every scroll range's upper end
constexpr int kHiddenRangeEnd = 10;    // the range's upper end, before the extra, while hidden

// `size` zoomed pixels tiled `repeat` times plus the margin, kept far from int overflow.
int32_t tiledExtent(int size, int repeat);

struct ScrollRange {
    int32_t upper;   // the range's upper end, kRangeExtra included
    bool hidden;     // the content fits the view: the bar hides
};
// The range of a bar over `content` pixels (a tiledExtent) seen through `view` pixels. A bar
// whose content is smaller than the view hides; one that just fits stays shown.
ScrollRange scrollRange(int32_t content, int32_t view);

// A scroll bar's requests, numbered as the codes of the window's scroll messages.
enum ScrollRequest : int {
    ScrollLineBack = 0,
    ScrollLineForward = 1,
    ScrollPageBack = 2,
    ScrollPageForward = 3,
    ScrollThumbPosition = 4,
    ScrollThumbTrack = 5,
};
// The position `request` moves to from `position`: lines by clientExtent / 20, pages by
// clientExtent / 4, the thumb to `thumb`, any other code nowhere; clamped to [lower, upper].
int32_t scrolledPosition(int request, int32_t position, int32_t thumb, int clientExtent, int32_t lower,
                         int32_t upper);
