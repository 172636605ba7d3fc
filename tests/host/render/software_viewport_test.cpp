// A viewport on its own: its scale, window positions and the mouse ray onto the grid.
#include <gtest/gtest.h>
#include <cmath>
#include "window_point.h"

namespace {

TEST(ScreenScale, IsTheWorldSpanOfTwoHundredPixels) {
    SoftwareViewport top(ViewKind::Top, 101, 81);
    EXPECT_FLOAT_EQ(top.screenScaleAt(Point3(5, 5, 5)), 200.0f);
    top.camera().zoom(4.0f);
    EXPECT_FLOAT_EQ(top.screenScaleAt(Point3(-50, 0, 9)), 50.0f);

    // In perspective it grows with depth: a span of 200 pixels there measures the scale.
    SoftwareViewport persp(ViewKind::Perspective, 321, 241);
    const Camera& cam = persp.camera();
    Point3 toEye = Normalize(cam.frame().eye - cam.target());
    Point3 right = cam.frame().right;
    for (float depthFactor : {0.5f, 1.0f, 2.0f}) {
        Point3 p = cam.frame().eye - toEye * (cam.distance() * depthFactor);
        float scale = persp.screenScaleAt(p);
        float pixels = at(persp, p + right * scale).x - at(persp, p).x;
        EXPECT_NEAR(pixels, 200.0f, 0.05f) << depthFactor;
    }
    EXPECT_NEAR(persp.screenScaleAt(cam.frame().eye - toEye * (2 * cam.distance())),
                2 * persp.screenScaleAt(cam.target()), 1e-3f);
}

TEST(ProjectToWindow, CountsYUpFromTheBottomRow) {
    SoftwareViewport view(ViewKind::Top, 101, 81);
    ViewGraphics* gw = view.graphics();
    gw->setDrawTransform(TransMatrix(Point3(10, 30, 0)));
    Point3 pivot(0, 0, 0), out;
    gw->projectToWindow(&pivot, &out);
    // World (10, 30) is on row 40 - 30 = 10; counted from the bottom row 80 that is 70.
    EXPECT_FLOAT_EQ(out.x, 60);
    EXPECT_FLOAT_EQ(out.y, 70);
    EXPECT_EQ(gw->windowHeight(), 81);
}

TEST(SnapPointOnPlane, PutsTheMouseRayOnThePlaneAndOnTheGrid) {
    struct Case {
        ViewKind kind;
        IPoint2 mouse;
        uint32_t flags;
        Point3 expected;
    } cases[] = {
        {ViewKind::Top, {73, 2}, 0, {23, 38, 0}},    {ViewKind::Top, {73, 2}, 1, {20, 40, 0}},
        {ViewKind::Front, {73, 2}, 1, {20, 0, 40}},  {ViewKind::Left, {73, 2}, 1, {0, -20, 40}},
        {ViewKind::Top, {36, 55}, 1, {-10, -20, 0}},
    };
    for (const Case& c : cases) {
        SoftwareViewport view(c.kind, 101, 81);
        IPoint2 in = c.mouse, out;
        Point3 p = view.snapPointOnPlane(&in, &out, nullptr, c.flags);
        EXPECT_NEAR(Length(p - c.expected), 0, 1e-4) << viewKindName(c.kind) << c.flags;
        Point2 back = at(view, p);
        EXPECT_EQ(out, IPoint2(static_cast<int>(std::lround(back.x)),
                               static_cast<int>(std::lround(back.y))));
    }
}

TEST(SnapPointOnPlane, PerspectiveRayMeetsTheGroundOrFallsBack) {
    SoftwareViewport view(ViewKind::Perspective, 321, 241);
    view.camera().setOrbit(view.camera().yaw(), 0.1f);  // looking nearly level
    IPoint2 centre(160, 120), out;
    Point3 p = view.snapPointOnPlane(&centre, &out, nullptr, 0);
    EXPECT_NEAR(Length(p - view.camera().target()), 0, 1e-2);
    IPoint2 sky(160, 0);  // above the horizon the ray never meets the ground
    Point3 q = view.snapPointOnPlane(&sky, &out, nullptr, SNAP_APPLY);
    EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y) && std::isfinite(q.z));
}

}  // namespace
