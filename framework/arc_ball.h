#pragma once
// ArcBall: turns and moves the mesh with the mouse. A left drag rotates along a virtual ball
// that fills `m_radius` of the window; a right drag moves in the view plane; a middle drag
// moves in depth. The application reads the four matrices every frame. This is the ball's
// arithmetic, fed with events in its own terms; CArcBall (arc_ball_win.h) feeds it the
// window's mouse messages.
#include "graphics/d3dx_math.h"

// What the mouse did, in the arcball's own terms.
enum class ArcBallEvent { LeftDown, LeftUp, RightDown, MiddleDown, Move, Other };

// Buttons held during a move.
enum ArcBallButton : unsigned { ArcBallLeft = 1, ArcBallRight = 2, ArcBallMiddle = 4 };

class ArcBall {
public:
    ArcBall();

    // Window size in pixels and the ball radius as a fraction of the window.
    void SetWindowSize(int width, int height, float radius);
    // Scale of right and middle drags.
    void SetTranslationRadius(float radius);

    // The point of the ball under window pixel (x, y); points outside the ball land on its
    // rim (z = 0).
    D3DXVECTOR3 PointOnBall(int x, int y) const;
    // The rotation that carries ball point `from` onto ball point `to`.
    static D3DXQUATERNION RotationBetweenBallPoints(const D3DXVECTOR3& from,
                                                    const D3DXVECTOR3& to);

    // Applies one mouse event at (x, y) with `buttons` (ArcBallButton bits) held. Returns true
    // for the events the ball takes (button downs, left up, every move), false for Other.
    bool HandleMouseEvent(ArcBallEvent event, int x, int y, unsigned buttons);

    int m_width = 0;
    int m_height = 0;
    float m_radius = 0.0f;
    float m_translationRadius = 1.0f;
    D3DXQUATERNION m_dragStartRotation;
    D3DXQUATERNION m_rotation;
    D3DXMATRIX m_rotationMatrix;
    D3DXMATRIX m_rotationDeltaMatrix;
    D3DXMATRIX m_translationMatrix;
    D3DXMATRIX m_translationDeltaMatrix;
    bool m_drag = false;
    bool m_rightHanded = false;

private:
    void dragRotation(int x, int y);
    void dragTranslation(int x, int y, unsigned buttons);

    // Kept per ball (one ball exists): where the last translation step ended and where on the
    // ball the left drag began.
    int m_lastX = 0;
    int m_lastY = 0;
    D3DXVECTOR3 m_dragStartPoint;
};
