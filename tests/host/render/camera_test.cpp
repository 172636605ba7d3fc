// The viewports' cameras: what each view shows, pan, zoom and framing, and view names.
#include <gtest/gtest.h>
#include "render/camera.h"
#include "window_point.h"

namespace {

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

TEST(ViewNames, IgnoreCaseAndNameEachView) {
    const struct {
        const char* word;
        bool known;
        ViewKind kind;
    } cases[] = {
        {"top", true, ViewKind::Top},
        {"FRONT", true, ViewKind::Front},
        {"Left", true, ViewKind::Left},
        {"persp", true, ViewKind::Perspective},
        {"perspective", true, ViewKind::Perspective},
        {"side", false, ViewKind::Top},
        {"", false, ViewKind::Top},
    };
    for (const auto& c : cases) {
        ViewKind kind = ViewKind::Top;
        EXPECT_EQ(parseViewKind(c.word, kind), c.known) << c.word;
        EXPECT_EQ(kind, c.kind) << c.word;
    }
}

}  // namespace
