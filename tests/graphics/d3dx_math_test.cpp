// Matrix, vector and quaternion results compared with values worked out by hand.
#include "graphics/d3dx_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const float kPi = 3.14159265358979f;

void expectMatrix(const D3DXMATRIX& expected, const D3DXMATRIX& actual) {
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_NEAR(expected.m[row][column], actual.m[row][column], 1e-5f)
                << "row " << row << " column " << column;
}

D3DXVECTOR3 transformPoint(const D3DXVECTOR3& v, const D3DXMATRIX& m) {
    const float w = v.x * m._14 + v.y * m._24 + v.z * m._34 + m._44;
    return {(v.x * m._11 + v.y * m._21 + v.z * m._31 + m._41) / w,
            (v.x * m._12 + v.y * m._22 + v.z * m._32 + m._42) / w,
            (v.x * m._13 + v.y * m._23 + v.z * m._33 + m._43) / w};
}

void expectVector(const D3DXVECTOR3& expected, const D3DXVECTOR3& actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-5f);
    EXPECT_NEAR(expected.y, actual.y, 1e-5f);
    EXPECT_NEAR(expected.z, actual.z, 1e-5f);
}

}  // namespace

TEST(D3dxMath, NamedElementsAndArrayShareStorage) {
    D3DXMATRIX m;
    m._23 = 5;
    m.m[3][0] = 7;
    EXPECT_EQ(5, m.m[1][2]);
    EXPECT_EQ(7, m._41);
    EXPECT_EQ(5, m(1, 2));
}

TEST(D3dxMath, IdentityTranslationAndScalingHaveTheirEntries) {
    D3DXMATRIX m;
    EXPECT_EQ(&m, D3DXMatrixIdentity(&m));
    expectMatrix(D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), m);
    EXPECT_EQ(&m, D3DXMatrixTranslation(&m, 2, -3, 4));
    expectMatrix(D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, -3, 4, 1), m);
    EXPECT_EQ(&m, D3DXMatrixScaling(&m, 2, 3, 0.5f));
    expectMatrix(D3DXMATRIX(2, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 1), m);
}

TEST(D3dxMath, MultiplyAppliesTheLeftMatrixFirst) {
    D3DXMATRIX scale, move, both;
    D3DXMatrixScaling(&scale, 2, 2, 2);
    D3DXMatrixTranslation(&move, 1, 0, 0);
    EXPECT_EQ(&both, D3DXMatrixMultiply(&both, &scale, &move));
    // (1,1,1) scaled to (2,2,2), then moved to (3,2,2).
    expectVector({3, 2, 2}, transformPoint({1, 1, 1}, both));
    D3DXMatrixMultiply(&both, &move, &scale);
    expectVector({4, 2, 2}, transformPoint({1, 1, 1}, both));
    expectMatrix(both, move * scale);
}

TEST(D3dxMath, MultiplyByHandWorkedProductAndInPlace) {
    D3DXMATRIX a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    D3DXMATRIX b(1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1, 1);  // swaps y, z and adds w
    // Row 1 of a*b: (1 + 4, 3 + 4, 2 + 4, 4) = (5, 7, 6, 4).
    D3DXMatrixMultiply(&a, &a, &b);
    expectMatrix(D3DXMATRIX(5, 7, 6, 4, 13, 15, 14, 8, 21, 23, 22, 12, 29, 31, 30, 16), a);
}

TEST(D3dxMath, VectorOperations) {
    const D3DXVECTOR3 x(1, 0, 0), y(0, 1, 0), v(3, 4, 12);
    D3DXVECTOR3 out;
    EXPECT_EQ(&out, D3DXVec3Cross(&out, &x, &y));
    expectVector({0, 0, 1}, out);
    const D3DXVECTOR3 a(1, 2, 3), b(4, 5, 6);
    D3DXVec3Cross(&out, &a, &b);
    expectVector({-3, 6, -3}, out);
    EXPECT_FLOAT_EQ(32, D3DXVec3Dot(&a, &b));
    EXPECT_FLOAT_EQ(13, D3DXVec3Length(&v));
    EXPECT_EQ(&out, D3DXVec3Normalize(&out, &v));
    expectVector({3 / 13.0f, 4 / 13.0f, 12 / 13.0f}, out);
    const D3DXVECTOR3 zero;
    D3DXVec3Normalize(&out, &zero);
    expectVector({0, 0, 0}, out);
}

TEST(D3dxMath, QuaternionAboutZTurnsXIntoY) {
    D3DXQUATERNION q;
    const D3DXVECTOR3 axis(0, 0, 2);  // not unit: normalised by the call
    EXPECT_EQ(&q, D3DXQuaternionRotationAxis(&q, &axis, kPi / 2));
    EXPECT_NEAR(0, q.x, 1e-6f);
    EXPECT_NEAR(std::sqrt(0.5f), q.z, 1e-6f);
    EXPECT_NEAR(std::sqrt(0.5f), q.w, 1e-6f);
    D3DXMATRIX m;
    EXPECT_EQ(&m, D3DXMatrixRotationQuaternion(&m, &q));
    expectMatrix(D3DXMATRIX(0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1), m);
    expectVector({0, 1, 0}, transformPoint({1, 0, 0}, m));
}

TEST(D3dxMath, QuaternionMultiplyRotatesByTheFirstThenTheSecond) {
    D3DXQUATERNION aboutZ, aboutX, both, identity;
    const D3DXVECTOR3 z(0, 0, 1), x(1, 0, 0);
    D3DXQuaternionRotationAxis(&aboutZ, &z, kPi / 2);
    D3DXQuaternionRotationAxis(&aboutX, &x, kPi / 2);
    EXPECT_EQ(&both, D3DXQuaternionMultiply(&both, &aboutZ, &aboutX));
    // x -> y (about z), then y -> z (about x).
    D3DXMATRIX m;
    D3DXMatrixRotationQuaternion(&m, &both);
    expectVector({0, 0, 1}, transformPoint({1, 0, 0}, m));
    // The other order: x stays x about x, then goes to y about z.
    D3DXQuaternionMultiply(&both, &aboutX, &aboutZ);
    D3DXMatrixRotationQuaternion(&m, &both);
    expectVector({0, 1, 0}, transformPoint({1, 0, 0}, m));
    EXPECT_EQ(&identity, D3DXQuaternionIdentity(&identity));
    D3DXQuaternionMultiply(&both, &identity, &aboutZ);
    EXPECT_FLOAT_EQ(aboutZ.z, both.z);
    EXPECT_FLOAT_EQ(aboutZ.w, both.w);
}

TEST(D3dxMath, QuaternionNormalizeAndZeroAxis) {
    D3DXQUATERNION q(0, 3, 0, 4), out;
    EXPECT_EQ(&out, D3DXQuaternionNormalize(&out, &q));
    EXPECT_FLOAT_EQ(0.6f, out.y);
    EXPECT_FLOAT_EQ(0.8f, out.w);
    const D3DXVECTOR3 none;
    D3DXQuaternionRotationAxis(&out, &none, 1.0f);
    EXPECT_EQ(0, out.x);
    EXPECT_EQ(1, out.w);
}

TEST(D3dxMath, LookAtMovesTheEyeToTheOriginLookingDownZ) {
    const D3DXVECTOR3 eye(0, 0, -5), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view;
    EXPECT_EQ(&view, D3DXMatrixLookAtLH(&view, &eye, &at, &up));
    expectMatrix(D3DXMATRIX(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1), view);

    // Eye on +x looking at the origin: the view's +z is world -x, +x is world +z.
    const D3DXVECTOR3 side(10, 0, 0);
    D3DXMatrixLookAtLH(&view, &side, &at, &up);
    expectVector({0, 0, 10}, transformPoint({0, 0, 0}, view));
    expectVector({1, 0, 10}, transformPoint({0, 0, 1}, view));
    expectVector({0, 2, 10}, transformPoint({0, 2, 0}, view));
}

TEST(D3dxMath, PerspectiveMapsNearAndFarToZeroAndOne) {
    D3DXMATRIX projection;
    EXPECT_EQ(&projection, D3DXMatrixPerspectiveFovLH(&projection, kPi / 2, 2.0f, 1.0f, 101.0f));
    // cot(45 degrees) = 1, x scale 1 / aspect, depth 101 / 100.
    expectMatrix(D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1.01f, 1, 0, 0, -1.01f, 0),
                 projection);
    EXPECT_NEAR(0, transformPoint({0, 0, 1}, projection).z, 1e-5f);
    EXPECT_NEAR(1, transformPoint({0, 0, 101}, projection).z, 1e-5f);
    // The top edge of the field of view at depth 3 lands on y = 1.
    EXPECT_NEAR(1, transformPoint({0, 3, 3}, projection).y, 1e-5f);
}
