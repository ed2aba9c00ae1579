#include "framework/arc_ball.h"

#include <cmath>

ArcBall::ArcBall() {
    D3DXQuaternionIdentity(&m_dragStartRotation);
    D3DXQuaternionIdentity(&m_rotation);
    D3DXMatrixIdentity(&m_rotationMatrix);
    D3DXMatrixIdentity(&m_rotationDeltaMatrix);
    D3DXMatrixIdentity(&m_translationMatrix);
    D3DXMatrixIdentity(&m_translationDeltaMatrix);
}

void ArcBall::SetWindowSize(int width, int height, float radius) {
    m_width = width;
    m_height = height;
    m_radius = radius;
}

void ArcBall::SetTranslationRadius(float radius) { m_translationRadius = radius; }

D3DXVECTOR3 ArcBall::PointOnBall(int x, int y) const {
    // The window centre is found in whole pixels, as the mouse positions are.
    float fx = float(m_width / 2 - x) / (m_radius * float(m_width) / 2.0f);
    float fy = float(y - m_height / 2) / (m_radius * float(m_height) / 2.0f);
    if (m_rightHanded) {
        fx = -fx;
        fy = -fy;
    }
    const float lengthSquared = fx * fx + fy * fy;
    if (lengthSquared > 1.0f) {
        const float scale = 1.0f / std::sqrt(lengthSquared);
        return {fx * scale, fy * scale, 0.0f};
    }
    return {fx, fy, std::sqrt(1.0f - lengthSquared)};
}

D3DXQUATERNION ArcBall::RotationBetweenBallPoints(const D3DXVECTOR3& from,
                                                   const D3DXVECTOR3& to) {
    D3DXVECTOR3 start, end, half, axis;
    D3DXVec3Normalize(&start, &from);
    D3DXVec3Normalize(&end, &to);
    // The half-way vector gives the quaternion of the whole angle between the two points
    // without any trigonometry: (start x half, start . half).
    const D3DXVECTOR3 sum = start + end;
    D3DXVec3Normalize(&half, &sum);
    D3DXVec3Cross(&axis, &start, &half);
    return {axis.x, axis.y, axis.z, D3DXVec3Dot(&start, &half)};
}

void ArcBall::dragRotation(int x, int y) {
    if (m_drag) {
        const D3DXQUATERNION step = RotationBetweenBallPoints(m_dragStartPoint, PointOnBall(x, y));
        D3DXQuaternionMultiply(&m_rotation, &m_dragStartRotation, &step);
        D3DXMatrixRotationQuaternion(&m_rotationDeltaMatrix, &step);
    } else {
        D3DXMatrixIdentity(&m_rotationDeltaMatrix);
    }
    D3DXMatrixRotationQuaternion(&m_rotationMatrix, &m_rotation);
    m_drag = true;
}

void ArcBall::dragTranslation(int x, int y, unsigned buttons) {
    const float dx = float(m_lastX - x) * m_translationRadius / float(m_width);
    const float dy = float(m_lastY - y) * m_translationRadius / float(m_height);
    if (buttons & ArcBallRight)
        D3DXMatrixTranslation(&m_translationDeltaMatrix, -2.0f * dx, 2.0f * dy, 0.0f);
    else
        D3DXMatrixTranslation(&m_translationDeltaMatrix, 0.0f, 0.0f, 5.0f * dy);
    D3DXMatrixMultiply(&m_translationMatrix, &m_translationMatrix, &m_translationDeltaMatrix);
    m_lastX = x;
    m_lastY = y;
}

bool ArcBall::HandleMouseEvent(ArcBallEvent event, int x, int y, unsigned buttons) {
    switch (event) {
    case ArcBallEvent::RightDown:
    case ArcBallEvent::MiddleDown:
        m_lastX = x;
        m_lastY = y;
        return true;
    case ArcBallEvent::LeftDown:
        m_drag = true;
        m_dragStartPoint = PointOnBall(x, y);
        m_dragStartRotation = m_rotation;
        return true;
    case ArcBallEvent::LeftUp:
        m_drag = false;
        return true;
    case ArcBallEvent::Move:
        if (buttons & ArcBallLeft)
            dragRotation(x, y);
        else if (buttons & (ArcBallRight | ArcBallMiddle))
            dragTranslation(x, y, buttons);
        return true;
    case ArcBallEvent::Other:
        break;
    }
    return false;
}
