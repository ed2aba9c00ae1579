#pragma once
// CArcBall: the arcball the application holds, fed with the device window's mouse messages.
#include <windows.h>

#include "framework/arc_ball.h"

class CArcBall : public ArcBall {
public:
    // Maps the mouse messages onto HandleMouseEvent; TRUE when the ball took one.
    BOOL HandleMouseMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
