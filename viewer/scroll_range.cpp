#include "viewer/scroll_range.h"

#include <algorithm>
#include <climits>

namespace {

int32_t clampToHalfRange(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT_MIN / 2, INT_MAX / 2));
}

}  // namespace

int32_t tiledExtent(int size, int repeat)
{
    return clampToHalfRange(int64_t(size) * repeat + kContentMargin);
}

ScrollRange scrollRange(int32_t content, int32_t view)
{
    const int32_t room = clampToHalfRange(int64_t(content) - view);
    if (room < 0)
        return {kHiddenRangeEnd + kRangeExtra, true};
    return {room + kRangeExtra, false};
}

int32_t scrolledPosition(int request, int32_t position, int32_t thumb, int clientExtent, int32_t lower,
                         int32_t upper)
{
    int32_t next = position;
    switch (request) {
    case ScrollLineBack: next -= clientExtent / 20; break;
    case ScrollLineForward: next += clientExtent / 20; break;
    case ScrollPageBack: next -= clientExtent / 4; break;
    case ScrollPageForward: next += clientExtent / 4; break;
    case ScrollThumbPosition:
    case ScrollThumbTrack: next = thumb; break;
    default: break;
    }
    return std::max(lower, std::min(next, upper));
}
