// geom.dll: the arithmetic that drawing, picking and snapping rest on.
#include <gtest/gtest.h>
#include <cmath>
#include "vexsdk/geom.h"

namespace {

constexpr float kPi = 3.14159265f;

void expectNear(const Point3& a, const Point3& b, float eps = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

Matrix3 someTransform() {
    Matrix3 m(true);
    m.Scale(Point3(2, 3, 0.5f), 0);
    m.RotateZ(kPi / 6);
    m.RotateX(-kPi / 5);
    m.SetTrans(Point3(10, -4, 7));
    return m;
}

TEST(Matrix3, PointsAreRowVectorsWithTheTranslationLast) {
    Matrix3 m(Point3(0, 1, 0), Point3(-1, 0, 0), Point3(0, 0, 1), Point3(5, 6, 7));
    expectNear(Point3(1, 2, 3) * m, Point3(-2 + 5, 1 + 6, 3 + 7));
    expectNear(VectorTransform(m, Point3(1, 2, 3)), Point3(-2, 1, 3));
}

TEST(Matrix3, ProductAppliesTheLeftMatrixFirst) {
    Matrix3 a = someTransform(), b(true);
    b.RotateY(0.7f);
    b.SetTrans(Point3(-3, 1, 2));
    Point3 p(1.5f, -2, 4);
    expectNear(p * (a * b), (p * a) * b);
}

TEST(Matrix3, InverseUndoesRotationScaleAndTranslation) {
    Matrix3 m = someTransform();
    Matrix3 inv = Inverse(m);
    for (const Point3& p : {Point3(0, 0, 0), Point3(1, 2, 3), Point3(-40, 7, 0.25f)}) {
        expectNear((p * m) * inv, p);
        expectNear((p * inv) * m, p);
    }
}

TEST(Matrix3, ASingularMatrixInvertsToTheIdentity) {
    Matrix3 flat(true);
    flat.Scale(Point3(1, 1, 0), 0);
    EXPECT_TRUE(Inverse(flat).IsIdentity());
}

TEST(Matrix3, ScaleAboutItsOwnOriginKeepsTheTranslation) {
    Matrix3 m = TransMatrix(Point3(100, 0, 0));
    m.Scale(Point3(2, 2, 2), 0);
    expectNear(m.GetTrans(), Point3(100, 0, 0));
    expectNear(Point3(10, 0, 0) * m, Point3(120, 0, 0));
    m.Scale(Point3(2, 2, 2), 1);
    expectNear(m.GetTrans(), Point3(200, 0, 0));
}

TEST(Matrix3, FlagsFollowWhatChanged) {
    Matrix3 m(true);
    EXPECT_EQ(m.flags, MAT_IDENT);
    m.SetTrans(Point3(1, 0, 0));
    EXPECT_EQ(m.flags & MAT_POS_IDENT, 0u);
    EXPECT_NE(m.flags & MAT_ROT_IDENT, 0u);
    m.RotateZ(0.5f);
    EXPECT_EQ(m.flags & MAT_ROT_IDENT, 0u);
}

TEST(Matrix3, RotationsTurnTheAxesCounterClockwise) {
    Matrix3 z(true);
    z.RotateZ(kPi / 2);
    expectNear(Point3(1, 0, 0) * z, Point3(0, 1, 0));
    Matrix3 x(true);
    x.RotateX(kPi / 2);
    expectNear(Point3(0, 1, 0) * x, Point3(0, 0, 1));
    Matrix3 y(true);
    y.RotateY(kPi / 2);
    expectNear(Point3(0, 0, 1) * y, Point3(1, 0, 0));
}

TEST(Box3, StartsEmptyGrowsByPointsAndEnlarges) {
    Box3 box;
    EXPECT_TRUE(box.IsEmpty());
    box.EnlargeBy(5);
    EXPECT_TRUE(box.IsEmpty()) << "an empty box stays empty";
    box += Point3(1, -2, 3);
    box += Point3(-4, 5, 0);
    EXPECT_FALSE(box.IsEmpty());
    expectNear(box.pmin, Point3(-4, -2, 0));
    expectNear(box.pmax, Point3(1, 5, 3));
    box.EnlargeBy(10);
    expectNear(box.pmin, Point3(-14, -12, -10));
    expectNear(box.pmax, Point3(11, 15, 13));
    EXPECT_TRUE(box.Contains(Point3(0, 0, 0)));
    EXPECT_FALSE(box.Contains(Point3(12, 0, 0)));
    Box3 point(Point3(7, 8, 9), Point3(7, 8, 9));
    EXPECT_FALSE(point.IsEmpty());
    expectNear(point.Width(), Point3(0, 0, 0));
}

TEST(Vectors, LengthsProductsAndNormalising) {
    EXPECT_FLOAT_EQ(Length(Point2(3, 4)), 5.0f);
    EXPECT_FLOAT_EQ(Length(Point3(2, 3, 6)), 7.0f);
    expectNear(CrossProd(Point3(1, 0, 0), Point3(0, 1, 0)), Point3(0, 0, 1));
    EXPECT_FLOAT_EQ(DotProd(Point3(1, 2, 3), Point3(4, -5, 6)), 12.0f);
    expectNear(Normalize(Point3(0, 0, -9)), Point3(0, 0, -1));
    expectNear(Normalize(Point3(0, 0, 0)), Point3(0, 0, 0));
}

}  // namespace
