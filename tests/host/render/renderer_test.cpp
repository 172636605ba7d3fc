// The reference host's viewports on their own: cameras, projection, scale, pick areas
// and raster output, without any plug-in.
#include <gtest/gtest.h>
#include <cmath>
#include "render/framebuffer.h"
#include "render/pick_area.h"
#include "render/software_viewport.h"

namespace {

// Window position (mouse-style, y down) of a world point.
Point2 at(SoftwareViewport& view, const Point3& world) {
    Point2 w;
    EXPECT_TRUE(view.mousePosition(world, w));
    return w;
}

TEST(Camera, OrthographicViewsShowTheirTwoWorldAxes) {
    // Windows of odd size put the target on the centre pixel (50, 40).
    struct Case {
        ViewKind kind;
        Point3 world;
        Point2 window;
    } cases[] = {
        {ViewKind::Top, {10, 0, 0}, {60, 40}},   {ViewKind::Top, {0, 10, 0}, {50, 30}},
        {ViewKind::Top, {0, 0, 10}, {50, 40}},   {ViewKind::Front, {10, 0, 0}, {60, 40}},
        {ViewKind::Front, {0, 0, 10}, {50, 30}}, {ViewKind::Front, {0, 10, 0}, {50, 40}},
        {ViewKind::Left, {0, -10, 0}, {60, 40}}, {ViewKind::Left, {0, 0, 10}, {50, 30}},
        {ViewKind::Left, {10, 0, 0}, {50, 40}},
    };
    for (const Case& c : cases) {
        SoftwareViewport view(c.kind, 101, 81);
        Point2 w = at(view, c.world);
        EXPECT_NEAR(w.x, c.window.x, 1e-4) << viewKindName(c.kind);
        EXPECT_NEAR(w.y, c.window.y, 1e-4) << viewKindName(c.kind);
    }
}

TEST(Camera, PanAndZoomMoveTheView) {
    SoftwareViewport view(ViewKind::Top, 101, 81);
    view.camera().zoom(2.0f);  // two pixels per unit
    EXPECT_NEAR(at(view, Point3(10, 0, 0)).x, 70, 1e-4);
    view.camera().pan(10, 0, view.height());  // drag right by 10 pixels
    EXPECT_NEAR(at(view, Point3(10, 0, 0)).x, 80, 1e-4);
    view.camera().pan(0, 10, view.height());  // and down by 10
    EXPECT_NEAR(at(view, Point3(0, 0, 0)).y, 50, 1e-4);
}

TEST(Camera, ZoomToBoxCentresAndFitsIt) {
    for (ViewKind kind : {ViewKind::Top, ViewKind::Front, ViewKind::Perspective}) {
        SoftwareViewport view(kind, 201, 101);
        view.camera().zoomToBox(Box3(Point3(100, 100, 0), Point3(300, 140, 40)), 201, 101);
        for (const Point3& corner : {Point3(100, 100, 0), Point3(300, 140, 40)}) {
            Point2 w = at(view, corner);
            EXPECT_GE(w.x, 0) << viewKindName(kind);
            EXPECT_LE(w.x, 200) << viewKindName(kind);
            EXPECT_GE(w.y, 0) << viewKindName(kind);
            EXPECT_LE(w.y, 100) << viewKindName(kind);
        }
    }
}

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

TEST(PickArea, PointRectangleAndCircleRegions) {
    HitRegion point, rect, circle;
    IPoint2 p[2] = {IPoint2(50, 50), IPoint2(80, 70)};
    MakeHitRegion(point, HITREGION_POINT, 0, 4, p);
    MakeHitRegion(rect, HITREGION_RECT, 1, 4, p);
    MakeHitRegion(circle, HITREGION_CIRCLE, 1, 4, p);
    PickArea square(point), box(rect), round(circle);
    struct Case {
        const PickArea* area;
        Point2 a, b;
        bool touches, inside;
    } cases[] = {
        {&square, {46, 40}, {46, 60}, true, false},   // runs through the square's left edge
        {&square, {45, 40}, {45, 60}, false, false},  // one pixel beyond it
        {&square, {49, 49}, {51, 51}, true, true},   {&box, {60, 60}, {70, 65}, true, true},
        {&box, {60, 60}, {90, 65}, true, false},     {&box, {10, 10}, {40, 90}, false, false},
        {&box, {40, 60}, {90, 60}, true, false},   // crosses without an end inside
        {&round, {50, 50}, {50, 50}, true, true},  // radius |(30,20)| = 36
        {&round, {85, 50}, {84, 55}, true, true},    {&round, {87, 50}, {87, 40}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.area->touchesSegment(c.a, c.b), c.touches)
            << c.a.x << "," << c.a.y << "-" << c.b.x << "," << c.b.y;
        EXPECT_EQ(c.area->containsPoint(c.a) && c.area->containsPoint(c.b), c.inside);
    }
    EXPECT_TRUE(square.touchesBox(Point2(54, 54), Point2(60, 60)));
    EXPECT_FALSE(square.touchesBox(Point2(55, 54), Point2(60, 60)));
    EXPECT_TRUE(box.containsBox(Point2(50, 50), Point2(80, 70)));
    EXPECT_FALSE(box.containsBox(Point2(49, 50), Point2(80, 70)));
}

TEST(Framebuffer, LinesAreClippedAndDepthTested) {
    Framebuffer fb(20, 10);
    fb.clear({0, 0, 0});
    const Rgb red{255, 0, 0}, blue{0, 0, 255};
    fb.drawLine(-100, 5, 1, 100, 5, 1, red, true);  // far beyond both edges
    for (int x = 0; x < 20; ++x) EXPECT_EQ(fb.pixel(x, 5), red) << x;
    fb.drawLine(3, 0, 0.5f, 3, 9, 0.5f, blue, true);  // behind the red line
    EXPECT_EQ(fb.pixel(3, 5), red);
    EXPECT_EQ(fb.pixel(3, 4), blue);
    fb.drawLine(4, 0, 0.5f, 4, 9, 0.5f, blue, false);  // drawn over everything
    EXPECT_EQ(fb.pixel(4, 5), blue);
    EXPECT_EQ(fb.pixel(0, 0), Rgb({0, 0, 0}));
}

// Ends that no transform should give, yet a scene can: lines keep to the image, and a
// line with an end that is no number is not drawn at all.
TEST(Framebuffer, EndsThatAreNotNumbersOrFarOffAreClippedOrSkipped) {
    const float inf = INFINITY, nan = NAN, huge = 3e38f;
    struct Case {
        float x0, y0, x1, y1;
        int drawnInRow5;  // pixels of row 5 drawn
    } cases[] = {
        {5, 5, huge, 5, 15},  {-huge, 5, huge, 5, 20}, {huge, 5, -huge, 5, 20},
        {5, 5, inf, 5, 0},    {nan, 5, 5, 5, 0},       {5, 5, 5, nan, 0},
        {-inf, 5, inf, 5, 0}, {huge, 5, huge, 6, 0},
    };
    for (const Case& c : cases) {
        Framebuffer fb(20, 10);
        fb.clear({0, 0, 0});
        fb.drawLine(c.x0, c.y0, 1, c.x1, c.y1, 1, {255, 0, 0}, true);
        int drawn = 0;
        for (int x = 0; x < 20; ++x) drawn += fb.pixel(x, 5) != Rgb({0, 0, 0});
        EXPECT_EQ(drawn, c.drawnInRow5) << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
    }
}

}  // namespace
