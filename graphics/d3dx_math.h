#pragma once
// Vectors, quaternions and 4 x 4 matrices for the 3D view and the arcball, with the
// D3DX names and conventions: row vectors (v' = v * M), the translation in the fourth row,
// left-handed view and projection. Every function writes its result through pOut and returns
// pOut; pOut may alias an input.
// Portable: no Windows headers. graphics/d3dx_math_win.h hands a matrix to Direct3D.

struct D3DXVECTOR3 {
    float x = 0, y = 0, z = 0;

    D3DXVECTOR3() = default;
    D3DXVECTOR3(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}

    D3DXVECTOR3 operator+(const D3DXVECTOR3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    D3DXVECTOR3 operator-(const D3DXVECTOR3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    D3DXVECTOR3 operator*(float s) const { return {x * s, y * s, z * s}; }
    D3DXVECTOR3 operator-() const { return {-x, -y, -z}; }
    bool operator==(const D3DXVECTOR3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const D3DXVECTOR3& v) const { return !(*this == v); }
};

struct D3DXQUATERNION {
    float x = 0, y = 0, z = 0, w = 0;

    D3DXQUATERNION() = default;
    D3DXQUATERNION(float qx, float qy, float qz, float qw) : x(qx), y(qy), z(qz), w(qw) {}
};

struct D3DXMATRIX {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };

    // Zero matrix; use D3DXMatrixIdentity for the identity.
    D3DXMATRIX() : m{} {}
    D3DXMATRIX(float m11, float m12, float m13, float m14,
               float m21, float m22, float m23, float m24,
               float m31, float m32, float m33, float m34,
               float m41, float m42, float m43, float m44);

    float& operator()(int row, int column) { return m[row][column]; }
    float operator()(int row, int column) const { return m[row][column]; }
    // this * right: first this transform, then right.
    D3DXMATRIX operator*(const D3DXMATRIX& right) const;
};

static_assert(sizeof(D3DXVECTOR3) == 12, "three packed floats");
static_assert(sizeof(D3DXQUATERNION) == 16, "four packed floats");
static_assert(sizeof(D3DXMATRIX) == 64, "sixteen packed floats, the layout Direct3D reads");

// Dot product.
float D3DXVec3Dot(const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
// Euclidean length.
float D3DXVec3Length(const D3DXVECTOR3* pV);
// pV1 x pV2 (left-handed cross: x cross y = z).
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
// Unit vector in the direction of pV; the zero vector stays zero.
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV);

// (0, 0, 0, 1).
D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut);
// The rotation pQ1 followed by the rotation pQ2 (the Hamilton product pQ2 * pQ1).
D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ1,
                                       const D3DXQUATERNION* pQ2);
// Rotation by angle radians about pV (normalised here; a zero axis gives the identity).
D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, const D3DXVECTOR3* pV,
                                           float angle);
// The quaternion scaled to length 1; the zero quaternion stays zero.
D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ);

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut);
// Identity with (x, y, z) in the fourth row.
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z);
// Diagonal (sx, sy, sz, 1).
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz);
// pM1 * pM2: the transform pM1 followed by pM2.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2);
// The rotation a unit quaternion stands for.
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, const D3DXQUATERNION* pQ);
// Left-handed view matrix of a camera at pEye looking at pAt with pUp roughly up.
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                               const D3DXVECTOR3* pUp);
// Left-handed perspective projection: vertical field of view fovy radians, aspect = width /
// height, depth zn..zf mapped to 0..1.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float aspect, float zn,
                                       float zf);
