#include "framework/arc_ball_win.h"

#include <windowsx.h>

namespace {

ArcBallEvent eventOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN: return ArcBallEvent::LeftDown;
    case WM_LBUTTONUP: return ArcBallEvent::LeftUp;
    case WM_RBUTTONDOWN: return ArcBallEvent::RightDown;
    case WM_MBUTTONDOWN: return ArcBallEvent::MiddleDown;
    case WM_MOUSEMOVE: return ArcBallEvent::Move;
    default: return ArcBallEvent::Other;
    }
}

unsigned buttonsOf(WPARAM wParam) {
    unsigned buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= ArcBallLeft;
    if (wParam & MK_RBUTTON) buttons |= ArcBallRight;
    if (wParam & MK_MBUTTON) buttons |= ArcBallMiddle;
    return buttons;
}

}  // namespace

BOOL CArcBall::HandleMouseMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    // Signed coordinates: a drag may leave the window to the left or above.
    return HandleMouseEvent(eventOf(message), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                            buttonsOf(wParam))
               ? TRUE
               : FALSE;
}
