// How far an image window's bars let the view move over the tiled bitmap, and where their
// requests take it.
#include "viewer/scroll_range.h"

#include <gtest/gtest.h>

TEST(ScrollRange, ReachesOverTheTiledImageBeyondTheViewAndHidesOnlyWhenItFits)
{
    const struct {
        int size, repeat, view, upper;
        bool hidden;
    } cases[] = {
        {256, 2, 300, 262, false},   // 2 * 256 + 30 - 300 + 20
        {50, 2, 130, 20, false},     // the content just fits: still shown
        {50, 2, 131, 30, true},      // 10 + 20 while hidden
        {100, 3, 200, 150, false},
    };
    for (const auto& c : cases) {
        const ScrollRange range = scrollRange(tiledExtent(c.size, c.repeat), c.view);
        EXPECT_EQ(c.upper, range.upper) << c.size << " in " << c.view;
        EXPECT_EQ(c.hidden, range.hidden) << c.size << " in " << c.view;
    }
}

// A vertical bar over -30 .. 462 with a client height of 199, and a horizontal one from 0.
TEST(ScrollRange, RequestsMoveByLinesPagesAndTheThumbWithinTheRange)
{
    const struct {
        int request, from, thumb, lower, expected;
    } steps[] = {
        {ScrollPageForward, 0, 0, -30, 49},   // a quarter of 199
        {ScrollLineForward, 49, 0, -30, 58},  // a twentieth
        {ScrollLineBack, 58, 0, -30, 49},     {ScrollPageBack, 49, 0, -30, 0},
        {ScrollPageBack, 0, 0, -30, -30},     {ScrollThumbTrack, 0, -12, -30, -12},
        {ScrollThumbPosition, 0, 5000, -30, 462}, {8, 462, 7, -30, 462},   // the end of a scroll stays
        {ScrollThumbTrack, 10, -12, 0, 0},
    };
    for (const auto& s : steps)
        EXPECT_EQ(s.expected, scrolledPosition(s.request, s.from, s.thumb, 199, s.lower, 462)) << s.request;
}
