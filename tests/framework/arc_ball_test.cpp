// The arcball's ball points, rotations and drags, computed without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/arc_ball.h"

namespace {

ArcBall Ball(int width = 200, int height = 100, float radius = 1.0f) {
    ArcBall ball;
    ball.SetWindowSize(width, height, radius);
    return ball;
}

float Length(const D3DXVECTOR3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Where the matrix takes the point (row vector times matrix).
D3DXVECTOR3 Transform(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
    return {p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41,
            p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
            p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43};
}

void ExpectIdentity(const D3DXMATRIX& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_FLOAT_EQ(m(r, c), r == c ? 1.0f : 0.0f) << r << "," << c;
}

TEST(ArcBall, StartsWithIdentityRotationAndTranslation) {
    ArcBall ball;
    EXPECT_EQ(ball.m_translationRadius, 1.0f);
    EXPECT_FALSE(ball.m_drag);
    EXPECT_FALSE(ball.m_rightHanded);
    EXPECT_EQ(ball.m_rotation.w, 1.0f);
    ExpectIdentity(ball.m_rotationMatrix);
    ExpectIdentity(ball.m_rotationDeltaMatrix);
    ExpectIdentity(ball.m_translationMatrix);
    ExpectIdentity(ball.m_translationDeltaMatrix);
}

TEST(ArcBall, WindowCentreIsTheTopOfTheBall) {
    const ArcBall ball = Ball();
    const D3DXVECTOR3 p = ball.PointOnBall(100, 50);
    EXPECT_FLOAT_EQ(p.x, 0.0f);
    EXPECT_FLOAT_EQ(p.y, 0.0f);
    EXPECT_FLOAT_EQ(p.z, 1.0f);
}

TEST(ArcBall, PointsInsideTheBallLieOnItsSurface) {
    const ArcBall ball = Ball(200, 100, 0.8f);
    // x: (100 - 60) / (0.8 * 100) = 0.5; y: (60 - 50) / (0.8 * 50) = 0.25.
    const D3DXVECTOR3 p = ball.PointOnBall(60, 60);
    EXPECT_FLOAT_EQ(p.x, 0.5f);
    EXPECT_FLOAT_EQ(p.y, 0.25f);
    EXPECT_NEAR(Length(p), 1.0f, 1e-6f);
}

TEST(ArcBall, PointsOutsideTheBallLandOnItsRim) {
    const ArcBall ball = Ball();
    const D3DXVECTOR3 p = ball.PointOnBall(0, 0);   // fx = 1, fy = -1
    EXPECT_FLOAT_EQ(p.z, 0.0f);
    EXPECT_NEAR(Length(p), 1.0f, 1e-6f);
    EXPECT_NEAR(p.x, std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(p.y, -std::sqrt(0.5f), 1e-6f);
}

TEST(ArcBall, RightHandedBallMirrorsBothAxes) {
    ArcBall ball = Ball();
    const D3DXVECTOR3 left = ball.PointOnBall(60, 70);
    ball.m_rightHanded = true;
    const D3DXVECTOR3 right = ball.PointOnBall(60, 70);
    EXPECT_FLOAT_EQ(right.x, -left.x);
    EXPECT_FLOAT_EQ(right.y, -left.y);
    EXPECT_FLOAT_EQ(right.z, left.z);
}

TEST(ArcBall, WindowCentreIsFoundInWholePixels) {
    const ArcBall ball = Ball(201, 101);   // centre (100, 50), not (100.5, 50.5)
    const D3DXVECTOR3 p = ball.PointOnBall(100, 50);
    EXPECT_FLOAT_EQ(p.x, 0.0f);
    EXPECT_FLOAT_EQ(p.y, 0.0f);
}

TEST(ArcBall, RotationBetweenBallPointsCarriesOneOntoTheOther) {
    const D3DXVECTOR3 from(1, 0, 0), to(0, 1, 0);
    const D3DXQUATERNION q = ArcBall::RotationBetweenBallPoints(from, to);
    EXPECT_NEAR(q.w, std::sqrt(0.5f), 1e-6f);   // a quarter turn: cos(45 degrees)
    D3DXMATRIX m;
    D3DXMatrixRotationQuaternion(&m, &q);
    const D3DXVECTOR3 moved = Transform(from, m);
    EXPECT_NEAR(moved.x, to.x, 1e-5f);
    EXPECT_NEAR(moved.y, to.y, 1e-5f);
    EXPECT_NEAR(moved.z, to.z, 1e-5f);
}

TEST(ArcBall, RotationBetweenEqualPointsIsTheIdentity) {
    const D3DXVECTOR3 p(0.3f, 0.4f, 0.866f);
    const D3DXQUATERNION q = ArcBall::RotationBetweenBallPoints(p, p * 2.0f);
    EXPECT_NEAR(q.x, 0.0f, 1e-6f);
    EXPECT_NEAR(q.y, 0.0f, 1e-6f);
    EXPECT_NEAR(q.z, 0.0f, 1e-6f);
    EXPECT_NEAR(q.w, 1.0f, 1e-6f);
}

TEST(ArcBall, LeftDragRotatesFromWhereTheDragBegan) {
    ArcBall ball = Ball(200, 200);
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::LeftDown, 100, 100, ArcBallLeft));
    EXPECT_TRUE(ball.m_drag);
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::Move, 50, 100, ArcBallLeft));
    const D3DXQUATERNION expected =
        ArcBall::RotationBetweenBallPoints(ball.PointOnBall(100, 100), ball.PointOnBall(50, 100));
    EXPECT_NEAR(ball.m_rotation.x, expected.x, 1e-6f);
    EXPECT_NEAR(ball.m_rotation.y, expected.y, 1e-6f);
    EXPECT_NEAR(ball.m_rotation.w, expected.w, 1e-6f);
    EXPECT_LT(ball.m_rotation.w, 1.0f);
    // The delta of a single drag equals the whole rotation.
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(ball.m_rotationDeltaMatrix(r, c), ball.m_rotationMatrix(r, c), 1e-6f);

    // A second drag starts from the rotation the first one left.
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::LeftUp, 50, 100, 0));
    EXPECT_FALSE(ball.m_drag);
    const D3DXQUATERNION afterFirst = ball.m_rotation;
    ball.HandleMouseEvent(ArcBallEvent::LeftDown, 100, 100, ArcBallLeft);
    ball.HandleMouseEvent(ArcBallEvent::Move, 100, 100, ArcBallLeft);   // no movement yet
    EXPECT_NEAR(ball.m_rotation.x, afterFirst.x, 1e-6f);
    EXPECT_NEAR(ball.m_rotation.w, afterFirst.w, 1e-6f);
}

TEST(ArcBall, LeftMoveWithoutDragStartsOneAndKeepsTheRotation) {
    ArcBall ball = Ball();
    ball.m_rotationDeltaMatrix._41 = 7.0f;   // something the move must overwrite
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::Move, 20, 20, ArcBallLeft));
    EXPECT_TRUE(ball.m_drag);
    ExpectIdentity(ball.m_rotationDeltaMatrix);
    ExpectIdentity(ball.m_rotationMatrix);
}

TEST(ArcBall, RightDragMovesInTheViewPlane) {
    ArcBall ball = Ball(200, 100);
    ball.SetTranslationRadius(3.0f);
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::RightDown, 100, 50, ArcBallRight));
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::Move, 120, 40, ArcBallRight));
    // dx = (100 - 120) * 3 / 200 = -0.3, dy = (50 - 40) * 3 / 100 = 0.3.
    EXPECT_FLOAT_EQ(ball.m_translationDeltaMatrix._41, 0.6f);
    EXPECT_FLOAT_EQ(ball.m_translationDeltaMatrix._42, 0.6f);
    EXPECT_FLOAT_EQ(ball.m_translationDeltaMatrix._43, 0.0f);
    ball.HandleMouseEvent(ArcBallEvent::Move, 140, 40, ArcBallRight);
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._41, 1.2f);
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._42, 0.6f);
}

TEST(ArcBall, MiddleDragMovesInDepth) {
    ArcBall ball = Ball(200, 100);
    ball.HandleMouseEvent(ArcBallEvent::MiddleDown, 10, 80, ArcBallMiddle);
    ball.HandleMouseEvent(ArcBallEvent::Move, 50, 70, ArcBallMiddle);
    // dy = (80 - 70) / 100 = 0.1 -> z 0.5; x is not used.
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._41, 0.0f);
    EXPECT_FLOAT_EQ(ball.m_translationMatrix._43, 0.5f);
}

TEST(ArcBall, MoveWithoutButtonsIsTakenButChangesNothing) {
    ArcBall ball = Ball();
    EXPECT_TRUE(ball.HandleMouseEvent(ArcBallEvent::Move, 10, 10, 0));
    EXPECT_FALSE(ball.m_drag);
    ExpectIdentity(ball.m_translationMatrix);
    EXPECT_FALSE(ball.HandleMouseEvent(ArcBallEvent::Other, 10, 10, 0));
}

}  // namespace
