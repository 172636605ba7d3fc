#include <cmath>
#include "vexsdk/geom.h"

float Length(const Point2& p) { return std::sqrt(p.x * p.x + p.y * p.y); }
float Length(const Point3& p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }
float DotProd(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3 CrossProd(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Point3 Normalize(const Point3& p) {
    float len = Length(p);
    return len == 0.0f ? p : p / len;
}

Matrix3::Matrix3() { Zero(); }
Matrix3::Matrix3(bool identity) {
    if (identity)
        IdentityMatrix();
    else
        Zero();
}
Matrix3::Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3)
    : rows{r0, r1, r2, r3}, flags(0) {}

void Matrix3::IdentityMatrix() {
    rows[0] = {1, 0, 0};
    rows[1] = {0, 1, 0};
    rows[2] = {0, 0, 1};
    rows[3] = {0, 0, 0};
    flags = MAT_IDENT;
}

void Matrix3::Zero() {
    for (Point3& r : rows) r = {0, 0, 0};
    flags = 0;
}

void Matrix3::SetRow(int i, const Point3& p) {
    rows[i] = p;
    flags &= i == 3 ? ~MAT_POS_IDENT : ~(MAT_ROT_IDENT | MAT_SCL_IDENT);
}

void Matrix3::SetTrans(const Point3& p) {
    rows[3] = p;
    flags &= ~MAT_POS_IDENT;
}

void Matrix3::Scale(const Point3& s, int transToo) {
    for (int i = 0; i < 3; ++i) rows[i] = rows[i] * s[i];
    flags &= ~MAT_SCL_IDENT;
    if (transToo) {
        rows[3] = {rows[3].x * s.x, rows[3].y * s.y, rows[3].z * s.z};
        flags &= ~MAT_POS_IDENT;
    }
}

void Matrix3::Translate(const Point3& p) { SetTrans(rows[3] + p); }

static Matrix3 rotation(int axis, float a) {
    Matrix3 r(true);
    float c = std::cos(a), s = std::sin(a);
    int i = (axis + 1) % 3, j = (axis + 2) % 3;
    r.rows[i][i] = c;
    r.rows[i][j] = s;
    r.rows[j][i] = -s;
    r.rows[j][j] = c;
    r.flags = MAT_POS_IDENT | MAT_SCL_IDENT;
    return r;
}

void Matrix3::RotateX(float a) { *this = *this * rotation(0, a); }
void Matrix3::RotateY(float a) { *this = *this * rotation(1, a); }
void Matrix3::RotateZ(float a) { *this = *this * rotation(2, a); }

bool Matrix3::IsIdentity() const {
    Matrix3 id(true);
    for (int i = 0; i < 4; ++i)
        if (rows[i] != id.rows[i]) return false;
    return true;
}

Matrix3 Matrix3::operator*(const Matrix3& b) const {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) r.rows[i] = VectorTransform(b, rows[i]);
    r.rows[3] = rows[3] * b;
    r.flags = flags & b.flags;
    return r;
}

bool Matrix3::operator==(const Matrix3& o) const {
    for (int i = 0; i < 4; ++i)
        if (rows[i] != o.rows[i]) return false;
    return true;
}

Point3 operator*(const Point3& p, const Matrix3& m) {
    return m.rows[0] * p.x + m.rows[1] * p.y + m.rows[2] * p.z + m.rows[3];
}

Point3 VectorTransform(const Matrix3& m, const Point3& v) {
    return m.rows[0] * v.x + m.rows[1] * v.y + m.rows[2] * v.z;
}

Matrix3 Inverse(const Matrix3& m) {
    const Point3 &a = m.rows[0], &b = m.rows[1], &c = m.rows[2];
    // Rows of the inverse 3x3 are the cofactor columns over the determinant.
    Point3 bc = CrossProd(b, c), ca = CrossProd(c, a), ab = CrossProd(a, b);
    double det = DotProd(a, bc);
    if (det == 0.0) return Matrix3(true);
    float inv = static_cast<float>(1.0 / det);
    Matrix3 r;
    r.rows[0] = {bc.x * inv, ca.x * inv, ab.x * inv};
    r.rows[1] = {bc.y * inv, ca.y * inv, ab.y * inv};
    r.rows[2] = {bc.z * inv, ca.z * inv, ab.z * inv};
    r.rows[3] = -VectorTransform(r, m.rows[3]);
    r.flags = m.flags;
    return r;
}

Matrix3 TransMatrix(const Point3& p) {
    Matrix3 m(true);
    m.SetTrans(p);
    return m;
}

Matrix3 ScaleMatrix(const Point3& s) {
    Matrix3 m(true);
    m.Scale(s, 0);
    return m;
}

Box3::Box3() { Init(); }
Box3::Box3(const Point3& a, const Point3& b) {
    Init();
    *this += a;
    *this += b;
}

void Box3::Init() {
    pmin = {1e30f, 1e30f, 1e30f};
    pmax = {-1e30f, -1e30f, -1e30f};
}

bool Box3::IsEmpty() const { return pmin.x > pmax.x || pmin.y > pmax.y || pmin.z > pmax.z; }

Box3& Box3::operator+=(const Point3& p) {
    for (int i = 0; i < 3; ++i) {
        if (p[i] < pmin[i]) pmin[i] = p[i];
        if (p[i] > pmax[i]) pmax[i] = p[i];
    }
    return *this;
}

Box3& Box3::operator+=(const Box3& b) {
    if (!b.IsEmpty()) {
        *this += b.pmin;
        *this += b.pmax;
    }
    return *this;
}

void Box3::EnlargeBy(float s) {
    if (IsEmpty()) return;
    pmin -= Point3(s, s, s);
    pmax += Point3(s, s, s);
}

bool Box3::Contains(const Point3& p) const {
    for (int i = 0; i < 3; ++i)
        if (p[i] < pmin[i] || p[i] > pmax[i]) return false;
    return true;
}

Point3 Box3::Center() const { return (pmin + pmax) * 0.5f; }
Point3 Box3::Width() const { return pmax - pmin; }
