// Geometry value types of the host (geom.dll). Points are row vectors: p * M.
#pragma once
#include "api.h"

struct GEOM_API Point3 {
    float x = 0, y = 0, z = 0;
    Point3() = default;
    Point3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    Point3 operator+(const Point3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Point3 operator-(const Point3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Point3 operator-() const { return {-x, -y, -z}; }
    Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
    Point3 operator/(float f) const { return {x / f, y / f, z / f}; }
    Point3& operator+=(const Point3& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    Point3& operator-=(const Point3& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    bool operator==(const Point3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Point3& o) const { return !(*this == o); }
};
inline Point3 operator*(float f, const Point3& p) { return p * f; }

struct GEOM_API Point2 {
    float x = 0, y = 0;
    Point2() = default;
    Point2(float x_, float y_) : x(x_), y(y_) {}
    Point2 operator+(const Point2& o) const { return {x + o.x, y + o.y}; }
    Point2 operator-(const Point2& o) const { return {x - o.x, y - o.y}; }
    bool operator==(const Point2& o) const { return x == o.x && y == o.y; }
};

// A window position in pixels.
struct IPoint2 {
    int x = 0, y = 0;
    IPoint2() = default;
    IPoint2(int x_, int y_) : x(x_), y(y_) {}
    bool operator==(const IPoint2& o) const { return x == o.x && y == o.y; }
};

GEOM_API float Length(const Point2& p);
GEOM_API float Length(const Point3& p);
GEOM_API Point3 CrossProd(const Point3& a, const Point3& b);
GEOM_API float DotProd(const Point3& a, const Point3& b);
GEOM_API Point3 Normalize(const Point3& p);  // a zero vector stays zero

// Flag bits of Matrix3: set while that component is known to be the identity.
constexpr unsigned MAT_POS_IDENT = 1;
constexpr unsigned MAT_ROT_IDENT = 2;
constexpr unsigned MAT_SCL_IDENT = 4;
constexpr unsigned MAT_IDENT = MAT_POS_IDENT | MAT_ROT_IDENT | MAT_SCL_IDENT;

// Four rows: the three axes and, in row 3, the translation.
class GEOM_API Matrix3 {
public:
    Point3 rows[4];
    unsigned flags = 0;

    Matrix3();  // zero matrix, no identity flags
    explicit Matrix3(bool identity);
    Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3);

    void IdentityMatrix();
    void Zero();
    Point3 GetRow(int i) const { return rows[i]; }
    void SetRow(int i, const Point3& p);
    Point3 GetTrans() const { return rows[3]; }
    void SetTrans(const Point3& p);  // clears MAT_POS_IDENT
    // Multiplies the three axis rows by s (about the matrix's own origin); with
    // transToo nonzero the translation row is scaled as well.
    void Scale(const Point3& s, int transToo);
    void Translate(const Point3& p);
    void RotateX(float radians);  // post-multiplied rotations about the world axes
    void RotateY(float radians);
    void RotateZ(float radians);
    bool IsIdentity() const;
    Matrix3 operator*(const Matrix3& b) const;  // this, then b
    Matrix3& operator*=(const Matrix3& b) { return *this = *this * b; }
    bool operator==(const Matrix3& o) const;
};

GEOM_API Point3 operator*(const Point3& p, const Matrix3& m);
GEOM_API Point3 VectorTransform(const Matrix3& m, const Point3& v);  // no translation
// Inverse of an affine matrix; a singular matrix yields the identity.
GEOM_API Matrix3 Inverse(const Matrix3& m);
GEOM_API Matrix3 TransMatrix(const Point3& p);
GEOM_API Matrix3 ScaleMatrix(const Point3& s);

// An axis-aligned box; the default box is empty.
class GEOM_API Box3 {
public:
    Point3 pmin, pmax;
    Box3();
    Box3(const Point3& a, const Point3& b);  // the box spanned by two corners
    void Init();                             // back to empty
    bool IsEmpty() const;
    Box3& operator+=(const Point3& p);
    Box3& operator+=(const Box3& b);
    void EnlargeBy(float s);  // pushes every face out by s; an empty box stays empty
    bool Contains(const Point3& p) const;
    Point3 Center() const;
    Point3 Width() const;
    bool operator==(const Box3& o) const { return pmin == o.pmin && pmax == o.pmax; }
};
