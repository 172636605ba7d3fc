// What the reference host's software renderer makes of the plug-in's helpers, checked
// on PNG files read back from disk.
#include <memory>
#include "host_fixture.h"
#include "png_image.h"
#include "test_pictures.h"
#include "entity/entity_helper.h"
#include "kept_entity.h"
#include "render/light_glows.h"

namespace {

const Rgb MARKER = {255, 230, 0};
const Rgb SELECTED = {255, 255, 255};
const Rgb UNSELECTED = {102, 102, 102};

std::string describe(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

IPoint2 offset(IPoint2 p, int dx, int dy) { return IPoint2(p.x + dx, p.y + dy); }

int brightness(Rgb c) { return c.r + c.g + c.b; }

// The node keeps one box brush from (x0, y0, z0) to (x1, y1, z1), as a level's entity would.
void keepBox(Scene& scene, Node& node, int x0, int y0, int z0, int x1, int y1, int z1) {
    auto point = [](int x, int y, int z) {
        return "( " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + " ) ";
    };
    const std::string planes[] = {
        point(x0, y0, z0 + 1) + point(x0, y0, z0) + point(x0, y0 + 1, z0),
        point(x1, y0 + 1, z0) + point(x1, y0, z0) + point(x1, y0, z0 + 1),
        point(x0 + 1, y0, z0) + point(x0, y0, z0) + point(x0, y0, z0 + 1),
        point(x0, y1, z0 + 1) + point(x0, y1, z0) + point(x0 + 1, y1, z0),
        point(x0, y0 + 1, z0) + point(x0, y0, z0) + point(x0 + 1, y0, z0),
        point(x0 + 1, y0, z1) + point(x0, y0, z1) + point(x0, y0 + 1, z1),
    };
    std::string brush = "{\n";
    for (const std::string& plane : planes) brush += plane + "W 0 0 0 1 1\n";
    KeptEntity kept;
    kept.brushes = {brush + "}"};
    kept.anchor = node.position();
    scene.setKept(node, std::make_shared<std::vector<unsigned char>>(encodeKeptEntity(kept)));
}

class RenderedViewport : public HostFixture {
protected:
    PngImage renderToPng(SoftwareViewport& view, const char* file) {
        std::string error;
        EXPECT_TRUE(renderViewportToPng(view, scene, file, error)) << error;
        PngImage png(file);
        EXPECT_TRUE(png.loaded()) << file;
        EXPECT_EQ(png.width(), view.width());
        EXPECT_EQ(png.height(), view.height());
        return png;
    }
};

TEST_F(RenderedViewport, MarkerAndTripodColoursFollowSelection) {
    Node* a = place("Door", IPoint2(343, 202));
    Node* b = place("VexalEntity", IPoint2(283, 282));
    ASSERT_TRUE(a && b);
    scene.setSelection({a});
    PngImage png = renderToPng(top, "viewport_colours.png");
    ASSERT_TRUE(png.loaded());
    IPoint2 pa = mouseAt(a->position()), pb = mouseAt(b->position());
    EXPECT_EQ(pa, IPoint2(340, 200));
    struct Case {
        const char* what;
        IPoint2 pixel;
        Rgb colour;
    } cases[] = {
        {"a's pivot", pa, MARKER},
        {"b's pivot", pb, MARKER},
        {"a's X arm", offset(pa, 12, 0), SELECTED},
        {"a's Y arm", offset(pa, 0, -12), SELECTED},
        {"b's X arm", offset(pb, 12, 0), UNSELECTED},
        {"b's Y arm", offset(pb, 0, -12), UNSELECTED},
    };
    for (const Case& c : cases)
        EXPECT_EQ(png.at(c.pixel), c.colour) << c.what << ": " << describe(png.at(c.pixel));
}

TEST_F(RenderedViewport, TheHostMarksSelectedHelpersEvenWithoutTheirTripod) {
    Node* a = place("Door", IPoint2(343, 202));
    Node* b = place("Door", IPoint2(283, 282));
    ASSERT_TRUE(a && b);
    for (Node* n : {a, b}) static_cast<VexalEntityHelper*>(n->object())->showAxis = 0;
    scene.setSelection({a});
    PngImage png = renderToPng(top, "viewport_selection_mark.png");
    ASSERT_TRUE(png.loaded());
    // Without its tripod a helper draws nothing white: what is white round it is the mark.
    auto markPixels = [&](Node* n) {
        const IPoint2 centre = mouseAt(n->position());
        int count = 0;
        for (int dy = -20; dy <= 20; ++dy)
            for (int dx = -20; dx <= 20; ++dx) count += png.at(offset(centre, dx, dy)) == SELECTED;
        return count;
    };
    EXPECT_GE(markPixels(a), 4 * 2 * 4) << "four brackets of two arms";
    EXPECT_EQ(markPixels(b), 0);
}

// Brushes of two entities on one edge: the other is above (nearer the top view's eye) and
// later in the scene, yet the selection's edge shows; the other's own edge is quieter than
// both the selection and the colour its helper draws in.
TEST_F(RenderedViewport, TheSelectionsBrushesAreDrawnOverQuieterOnes) {
    Node* chosen = place("Door", mouseAt(Point3(0, 0, 0)));
    Node* other = place("Door", mouseAt(Point3(0, 0, 0)));
    ASSERT_TRUE(chosen && other);
    keepBox(scene, *chosen, 0, 0, 0, 64, 64, 64);
    keepBox(scene, *other, 16, 0, 64, 80, 64, 128);
    scene.setSelection({chosen});
    const IPoint2 shared = mouseAt(Point3(48, 64, 0)), othersOwn = mouseAt(Point3(80, 32, 0));
    scene.setFlag(*other, NodeFlag::Hidden, true);
    renderViewport(top, scene);
    const Rgb selection = top.image().pixel(shared.x, shared.y);
    scene.setFlag(*other, NodeFlag::Hidden, false);
    renderToPng(top, "viewport_selection_on_top.png");
    EXPECT_EQ(top.image().pixel(shared.x, shared.y), selection) << describe(selection);
    const Rgb quiet = top.image().pixel(othersOwn.x, othersOwn.y);
    EXPECT_LT(brightness(quiet), brightness(selection)) << describe(quiet);
    EXPECT_LT(brightness(quiet), brightness(MARKER)) << describe(quiet);
    EXPECT_GT(brightness(quiet), 0) << "still drawn";
}

// Forty lights in one place, close and far: the glow reaches as far in the world at either
// zoom, the crowd's glow is no brighter than one light's, and what the picture draws there
// (a tripod's arm) stays on top of it.
TEST_F(RenderedViewport, LightsGlowUnderThePictureAtAWorldSize) {
    std::vector<LitEntity> lights;
    for (int i = 0; i < 40; ++i) {
        Node* light = place("VexalEntity", mouseAt(Point3(0, 0, 0)));
        ASSERT_NE(light, nullptr);
        lights.push_back({light, 0});
    }
    scene.setSelection({});
    for (const float unitsPerPixel : {0.5f, 4.0f}) {
        SCOPED_TRACE(unitsPerPixel);
        top.camera().setUnitsPerPixel(unitsPerPixel);
        renderViewport(top, scene);
        const Framebuffer still = top.image();
        auto glowing = [&](size_t count) {
            LightGlows glows;
            glows.capture(top, {lights.begin(), lights.begin() + count},
                          [&] { renderViewport(top, scene); });
            glows.draw(top.image(), 0);
            return top.image();
        };
        const Framebuffer one = glowing(1);
        glowing(lights.size());
        const IPoint2 pivot = mouseAt(Point3(0, 0, 0));
        auto lit = [&](int dx, int dy) {
            return top.image().pixel(pivot.x + dx, pivot.y + dy) !=
                   still.pixel(pivot.x + dx, pivot.y + dy);
        };
        // Straight down from the pivot the ground is clear of the helpers' drawing.
        int reach = 0;
        for (int d = 1; d < 200; ++d)
            if (lit(0, d)) reach = d;
        const float radius = GLOW_RADIUS / unitsPerPixel;
        EXPECT_NEAR(reach, radius, radius / 8 + 1);
        const Rgb crowd = top.image().pixel(pivot.x, pivot.y + reach / 2);
        EXPECT_EQ(crowd, one.pixel(pivot.x, pivot.y + reach / 2)) << describe(crowd);
        EXPECT_FALSE(lit(6, 0)) << "the X arm";
        EXPECT_EQ(top.image().pixel(pivot.x + 6, pivot.y), UNSELECTED);
    }
}

TEST_F(RenderedViewport, TripodKeepsItsOnScreenSizeWhileZooming) {
    Node* a = place("Door", IPoint2(343, 202));
    ASSERT_NE(a, nullptr);
    scene.setSelection({a});
    for (float unitsPerPixel : {0.25f, 1.0f, 3.0f}) {
        top.camera().setUnitsPerPixel(unitsPerPixel);
        renderViewport(top, scene);
        IPoint2 p = mouseAt(a->position());
        SCOPED_TRACE(unitsPerPixel);
        EXPECT_EQ(top.image().pixel(p.x + 19, p.y), SELECTED);  // the arm reaches 20 pixels
        EXPECT_NE(top.image().pixel(p.x + 24, p.y), SELECTED);  // and ends there
        EXPECT_EQ(top.image().pixel(p.x, p.y - 19), SELECTED);
    }
}

TEST_F(RenderedViewport, TripodKeepsItsOnScreenSizeAtAnyDepthInPerspective) {
    SoftwareViewport persp(ViewKind::Perspective, 641, 481);
    // Along the line of sight: one between the target and the eye, one far behind the target.
    Node* nearOne = place("Door", mouseAt(Point3(40, -70, 0), &persp), &persp);
    Node* farOne = place("Door", mouseAt(Point3(-250, 430, 0), &persp), &persp);
    ASSERT_TRUE(nearOne && farOne);
    scene.setSelection({nearOne, farOne});
    renderViewport(persp, scene);
    // The tripod's pixels in a square around each pivot: the same count near and far.
    auto tripodPixels = [&](Node* node) {
        IPoint2 c = mouseAt(node->position(), &persp);
        int count = 0;
        for (int y = c.y - 30; y <= c.y + 30; ++y)
            for (int x = c.x - 30; x <= c.x + 30; ++x)
                if (persp.image().pixel(x, y) == SELECTED) ++count;
        return count;
    };
    const Point3 eye = persp.camera().frame().eye;
    ASSERT_GT(Length(farOne->position() - eye), 1.5f * Length(nearOne->position() - eye));
    const int nearCount = tripodPixels(nearOne), farCount = tripodPixels(farOne);
    EXPECT_GT(nearCount, 40);
    EXPECT_NEAR(farCount, nearCount, nearCount / 4);
}

TEST_F(RenderedViewport, FrozenHelpersTakeTheHostColourAndHiddenOnesVanish) {
    Node* a = place("Door", IPoint2(343, 202));
    Node* b = place("Door", IPoint2(283, 282));
    ASSERT_TRUE(a && b);
    scene.setSelection({});
    scene.setFlag(*a, NodeFlag::Frozen, true);
    scene.setFlag(*b, NodeFlag::Hidden, true);
    renderViewport(top, scene);
    Rgb frozen = rgbFromFloats(FROZEN_GREY[0], FROZEN_GREY[1], FROZEN_GREY[2]);
    EXPECT_EQ(top.image().pixel(340, 200), frozen);
    EXPECT_EQ(top.image().pixel(352, 200), frozen);
    for (int dx = -4; dx <= 4; ++dx) EXPECT_NE(top.image().pixel(280 + dx, 280), MARKER);
}

TEST_F(RenderedViewport, FourViewsShowEveryHelper) {
    struct Placement {
        const char* kind;
        Point3 at;
        float turn;
    } placements[] = {
        {"Door", {0, 0, 0}, 0},
        {"VexalEntity", {60, 30, 20}, 0.6f},
        {"Button", {-50, 40, 0}, 0},
        {"Teleport Dest", {30, -45, 40}, -0.4f},
    };
    for (const Placement& p : placements) {
        Node* node = place(p.kind, IPoint2(320, 240));
        ASSERT_NE(node, nullptr);
        Matrix3 placed(true);
        placed.RotateZ(p.turn);
        placed.SetTrans(p.at);
        scene.setTransform(*node, placed);
    }
    scene.setSelection({scene.nodes()[1].get()});
    scene.setFlag(*scene.nodes()[2], NodeFlag::Frozen, true);
    Box3 all(Point3(-70, -70, -10), Point3(90, 60, 60));
    std::vector<std::unique_ptr<SoftwareViewport>> views;
    std::vector<const Framebuffer*> images;
    for (ViewKind kind : {ViewKind::Top, ViewKind::Front, ViewKind::Left, ViewKind::Perspective}) {
        views.push_back(std::make_unique<SoftwareViewport>(kind, 400, 300));
        SoftwareViewport& view = *views.back();
        view.camera().zoomToBox(all, view.width(), view.height());
        if (kind == ViewKind::Perspective) view.camera().zoom(1.8f);
        renderViewport(view, scene);
        images.push_back(&view.image());
        int markerPixels = 0;
        for (int row = 0; row < view.height(); ++row)
            for (int x = 0; x < view.width(); ++x)
                markerPixels += view.image().pixel(x, row) == MARKER;
        // Three unfrozen helpers, each a ring and a dot.
        EXPECT_GE(markerPixels, 3 * 20) << viewKindName(kind);
    }
    Framebuffer four = composeImages(images, 2);
    std::string error;
    ASSERT_TRUE(writePng(four, "four_views.png", error)) << error;
    PngImage png("four_views.png");
    ASSERT_TRUE(png.loaded());
    EXPECT_EQ(png.width(), 2 * 401 + 1);
    EXPECT_EQ(png.height(), 2 * 301 + 1);
}

TEST_F(RenderedViewport, WritingToAMissingFolderFailsWithAMessage) {
    std::string error;
    EXPECT_FALSE(writePng(top.image(), "no_such_folder\\x.png", error));
    EXPECT_NE(error.find("no_such_folder"), std::string::npos);
}

}  // namespace
