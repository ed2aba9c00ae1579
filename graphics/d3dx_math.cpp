#include "graphics/d3dx_math.h"

#include <cmath>

D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14,
                       float m21, float m22, float m23, float m24,
                       float m31, float m32, float m33, float m34,
                       float m41, float m42, float m43, float m44)
    : m{{m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}} {}

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& right) const {
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, this, &right);
    return product;
}

float D3DXVec3Dot(const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2) {
    return pV1->x * pV2->x + pV1->y * pV2->y + pV1->z * pV2->z;
}

float D3DXVec3Length(const D3DXVECTOR3* pV) {
    return std::sqrt(D3DXVec3Dot(pV, pV));
}

D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2) {
    const D3DXVECTOR3 a = *pV1, b = *pV2;
    *pOut = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    return pOut;
}

D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV) {
    const float length = D3DXVec3Length(pV);
    *pOut = length > 0 ? *pV * (1.0f / length) : D3DXVECTOR3();
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut) {
    *pOut = {0, 0, 0, 1};
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ1,
                                       const D3DXQUATERNION* pQ2) {
    const D3DXQUATERNION a = *pQ2, b = *pQ1;
    *pOut = {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
             a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
             a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
             a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, const D3DXVECTOR3* pV,
                                           float angle) {
    D3DXVECTOR3 axis;
    D3DXVec3Normalize(&axis, pV);
    if (axis == D3DXVECTOR3()) return D3DXQuaternionIdentity(pOut);
    const float s = std::sin(angle / 2);
    *pOut = {axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2)};
    return pOut;
}

D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ) {
    const D3DXQUATERNION q = *pQ;
    const float length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    const float inverse = length > 0 ? 1.0f / length : 0.0f;
    *pOut = {q.x * inverse, q.y * inverse, q.z * inverse, q.w * inverse};
    return pOut;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut) {
    return D3DXMatrixScaling(pOut, 1, 1, 1);
}

D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z) {
    D3DXMatrixIdentity(pOut);
    pOut->_41 = x;
    pOut->_42 = y;
    pOut->_43 = z;
    return pOut;
}

D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz) {
    *pOut = D3DXMATRIX();
    pOut->_11 = sx;
    pOut->_22 = sy;
    pOut->_33 = sz;
    pOut->_44 = 1;
    return pOut;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2) {
    D3DXMATRIX product;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            for (int k = 0; k < 4; ++k)
                product.m[row][column] += pM1->m[row][k] * pM2->m[k][column];
    *pOut = product;
    return pOut;
}

D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, const D3DXQUATERNION* pQ) {
    const float x = pQ->x, y = pQ->y, z = pQ->z, w = pQ->w;
    D3DXMatrixIdentity(pOut);
    pOut->_11 = 1 - 2 * (y * y + z * z);
    pOut->_12 = 2 * (x * y + z * w);
    pOut->_13 = 2 * (x * z - y * w);
    pOut->_21 = 2 * (x * y - z * w);
    pOut->_22 = 1 - 2 * (x * x + z * z);
    pOut->_23 = 2 * (y * z + x * w);
    pOut->_31 = 2 * (x * z + y * w);
    pOut->_32 = 2 * (y * z - x * w);
    pOut->_33 = 1 - 2 * (x * x + y * y);
    return pOut;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp) {
    const D3DXVECTOR3 eye = *pEye, forward = *pAt - *pEye;
    D3DXVECTOR3 zAxis, xAxis, yAxis;
    D3DXVec3Normalize(&zAxis, &forward);
    D3DXVec3Cross(&xAxis, pUp, &zAxis);
    D3DXVec3Normalize(&xAxis, &xAxis);
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    *pOut = D3DXMATRIX(xAxis.x, yAxis.x, zAxis.x, 0,
                       xAxis.y, yAxis.y, zAxis.y, 0,
                       xAxis.z, yAxis.z, zAxis.z, 0,
                       -D3DXVec3Dot(&xAxis, &eye), -D3DXVec3Dot(&yAxis, &eye),
                       -D3DXVec3Dot(&zAxis, &eye), 1);
    return pOut;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float aspect, float zn,
                                       float zf) {
    const float yScale = 1.0f / std::tan(fovy / 2);
    const float xScale = yScale / aspect;
    const float depth = zf / (zf - zn);
    *pOut = D3DXMATRIX(xScale, 0, 0, 0,
                       0, yScale, 0, 0,
                       0, 0, depth, 1,
                       0, 0, -zn * depth, 0);
    return pOut;
}
