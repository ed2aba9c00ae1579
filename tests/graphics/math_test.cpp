// Matrices, vectors and quaternions against results worked out by hand.
#include "graphics/d3dx_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const float kPi = 3.14159265358979f;

// A point times the matrix, divided by w: how Direct3D applies it to a row vector.
std::vector<float> apply(const D3DXMATRIX& m, float x, float y, float z) {
    const float w = x * m._14 + y * m._24 + z * m._34 + m._44;
    return {(x * m._11 + y * m._21 + z * m._31 + m._41) / w, (x * m._12 + y * m._22 + z * m._32 + m._42) / w,
            (x * m._13 + y * m._23 + z * m._33 + m._43) / w};
}

void expectNear(const std::vector<float>& expected, const std::vector<float>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(expected[i], actual[i], 1e-5f) << "element " << i;
}

std::vector<float> elements(const D3DXMATRIX& m) { return std::vector<float>(&m._11, &m._11 + 16); }
std::vector<float> elements(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }

}  // namespace

TEST(D3dxMath, ProductsApplyTheLeftMatrixFirst) {
    D3DXMATRIX scale, move, both;
    EXPECT_EQ(&scale, D3DXMatrixScaling(&scale, 2, 3, 0.5f));
    EXPECT_EQ(&move, D3DXMatrixTranslation(&move, 1, -2, 4));
    EXPECT_EQ(&both, D3DXMatrixMultiply(&both, &scale, &move));
    expectNear({3, 1, 4.5f}, apply(both, 1, 1, 1));
    expectNear(elements(move * scale), elements(*D3DXMatrixMultiply(&both, &move, &scale)));
    expectNear({4, -3, 2.5f}, apply(both, 1, 1, 1));
    expectNear({7, 8, 9}, apply(*D3DXMatrixIdentity(&both), 7, 8, 9));
    // In place, worked by hand: b swaps y and z and adds the fourth row to every row.
    D3DXMATRIX a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    const D3DXMATRIX b(1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1, 1);
    expectNear({5, 7, 6, 4, 13, 15, 14, 8, 21, 23, 22, 12, 29, 31, 30, 16}, elements(*D3DXMatrixMultiply(&a, &a, &b)));
}

TEST(D3dxMath, VectorProductsLengthsAndUnitVectors) {
    const D3DXVECTOR3 a(1, 2, 3), b(4, 5, 6), v(3, 4, 12), zero;
    D3DXVECTOR3 out;
    expectNear({-3, 6, -3}, elements(*D3DXVec3Cross(&out, &a, &b)));
    expectNear({32, 13}, {D3DXVec3Dot(&a, &b), D3DXVec3Length(&v)});
    expectNear({3 / 13.0f, 4 / 13.0f, 12 / 13.0f}, elements(*D3DXVec3Normalize(&out, &v)));
    expectNear({0, 0, 0}, elements(*D3DXVec3Normalize(&out, &zero)));
}

TEST(D3dxMath, QuaternionsTurnAboutTheirAxisAndComposeInOrder) {
    D3DXQUATERNION aboutZ, aboutX, both;
    const D3DXVECTOR3 z(0, 0, 2), x(1, 0, 0), none;  // z is not unit: normalised by the call
    EXPECT_EQ(&aboutZ, D3DXQuaternionRotationAxis(&aboutZ, &z, kPi / 2));
    expectNear({0, 0, std::sqrt(0.5f), std::sqrt(0.5f)}, {aboutZ.x, aboutZ.y, aboutZ.z, aboutZ.w});
    D3DXMATRIX m;
    expectNear({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, elements(*D3DXMatrixRotationQuaternion(&m, &aboutZ)));
    D3DXQuaternionRotationAxis(&aboutX, &x, kPi / 2);
    // x -> y about z, then y -> z about x; the other order leaves x to the turn about z.
    expectNear({0, 0, 1}, apply(*D3DXMatrixRotationQuaternion(&m, D3DXQuaternionMultiply(&both, &aboutZ, &aboutX)), 1, 0, 0));
    expectNear({0, 1, 0}, apply(*D3DXMatrixRotationQuaternion(&m, D3DXQuaternionMultiply(&both, &aboutX, &aboutZ)), 1, 0, 0));
    // No axis: no turn. Normalised: (0, 3, 0, 4) / 5.
    const D3DXQUATERNION q(0, 3, 0, 4), unit = *D3DXQuaternionNormalize(&both, &q);
    D3DXQuaternionRotationAxis(&both, &none, 1.0f);
    expectNear({0, 0, 0, 1, 0, 0.6f, 0, 0.8f}, {both.x, both.y, both.z, both.w, unit.x, unit.y, unit.z, unit.w});
}

TEST(D3dxMath, ViewAndProjectionPlaceTheEyeAndTheDepthRange) {
    const D3DXVECTOR3 eye(10, 0, 0), at(0, 0, 0), up(0, 1, 0);
    D3DXMATRIX view, projection;
    // Looking down -x: the view's +z is world -x, its +x world +z.
    EXPECT_EQ(&view, D3DXMatrixLookAtLH(&view, &eye, &at, &up));
    expectNear({0, 0, 10}, apply(view, 0, 0, 0));
    expectNear({1, 2, 9}, apply(view, 1, 2, 1));
    EXPECT_EQ(&projection, D3DXMatrixPerspectiveFovLH(&projection, kPi / 2, 2.0f, 1.0f, 101.0f));
    // Near and far planes at depth 0 and 1; the field of view's top edge at depth 3 on y = 1, x
    // scaled by 1 / aspect.
    expectNear({0, 1}, {apply(projection, 0, 0, 1)[2], apply(projection, 0, 0, 101)[2]});
    expectNear({0.5f, 1}, {apply(projection, 3, 3, 3)[0], apply(projection, 3, 3, 3)[1]});
}
