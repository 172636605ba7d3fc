// Timings of the helper's viewport operations and of the reference host's renderer.
// Not a test: run it by hand (build/bin/viewport_bench.exe) and read the numbers;
// `viewport_bench.exe redraw` times the full redraws alone, for comparing two builds;
// `viewport_bench.exe lights` the animated light styles beside the still redraw.
// Every figure is given three ways (see bench_timing.h).
#include <windows.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include "bench_timing.h"
#include "interaction/selection.h"
#include "plugins/plugin_registry.h"
#include "render/entity_overlay.h"
#include "render/light_glows.h"
#include "session/entity_marks.h"
#include "render/scene_render.h"
#include "scene/scene.h"

namespace {

// A window and viewport that do nothing, so that only the helper's own work is timed.
class NullGraphics : public ViewGraphics {
public:
    void setDrawColor(int, float, float, float) override {}
    void setDrawTransform(const Matrix3&) override {}
    void setRenderFlags(unsigned f) override { flags_ = f; }
    unsigned renderFlags() override { return flags_; }
    void drawText(Point3*, const char*) override {}
    void drawPointMarker(Point3*, int) override {}
    void drawPolyline(int, Point3*, Point3*, int, int*, Point3*) override {}
    int windowHeight() override { return 720; }
    void projectToWindow(Point3* in, Point3* out) override { *out = *in; }
    void setPickRegion(HitRegion*) override {}
    void clearPickHit() override {}
    int pickHit() override { return 0; }

private:
    unsigned flags_ = DEFAULT_RENDER_FLAGS;
};

class NullViewport : public HostViewport {
public:
    ViewGraphics* graphics() override { return &gw_; }
    float screenScaleAt(Point3) override { return 200.0f; }
    Point3 snapPointOnPlane(IPoint2*, IPoint2*, Matrix3*, uint32_t) override { return {}; }

private:
    NullGraphics gw_;
};

class FixedNode : public SceneNode {
public:
    Matrix3 objectTransformAt(TimeValue, Interval*) override { return tm; }
    int isSelectedNode() override { return 1; }
    int isFrozenNode() override { return 0; }
    Matrix3 tm = TransMatrix(Point3(1, 2, 3));
};

void timeSingleCalls(const PluginKind& door) {
    Object* helper = static_cast<Object*>(door.desc->create(0));
    NullViewport vpt;
    FixedNode node;
    IPoint2 mouse(10, 10);
    Box3 box;
    std::printf("one helper (tripod on) into a no-op window, per call:\n");
    report("drawInViewport",
           measure(20, 100000, [&] { helper->drawInViewport(0, &node, &vpt, 0); }), 1e-9, "ns");
    report("pickTest (point region)",
           measure(20, 100000,
                   [&] { helper->pickTest(0, &node, HITREGION_POINT, 0, 0, &mouse, &vpt); }),
           1e-9, "ns");
    report("worldBounds", measure(20, 100000, [&] { helper->worldBounds(0, &node, &vpt, box); }),
           1e-9, "ns");
    helper->DeleteThis();
}

// count helpers strewn over the part of the ground plane that a 1280x720 top view
// shows, turned at random, every tenth selected.
void fillScene(Scene& scene, const PluginKind& door, int count) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> x(-630, 630), y(-350, 350), turn(0, 6.28f);
    std::vector<Node*> selected;
    for (int i = 0; i < count; ++i) {
        Object* helper = static_cast<Object*>(door.desc->create(0));
        Node* node = scene.add(helper, helper->ClassID(), helper->SuperClassID(), "h");
        Matrix3 placed(true);
        placed.RotateZ(turn(random));
        placed.SetTrans(Point3(x(random), y(random), 0));
        scene.setTransform(*node, placed);
        if (i % 10 == 0) selected.push_back(node);
    }
    scene.setSelection(selected);
}

void timeRedraw(Scene& scene, ViewKind kind) {
    SoftwareViewport view(kind, 1280, 720);
    if (kind == ViewKind::Perspective)
        view.camera().zoomToBox(Box3(Point3(-640, -360, 0), Point3(640, 360, 20)), 1280, 720);
    renderViewport(view, scene);  // warm up
    report(viewKindName(kind), measure(10, 5, [&] { renderViewport(view, scene); }), 1e-3,
           "ms/frame");
}

// Every helper carries a target name and fires another's: in a level, a trigger fires
// what stands near it ("near"); across the whole view is the worst case ("across"). One in
// fifty fires a name that nothing carries (a red stub). The marks are what the host's
// entity index keeps, made here directly: the index hands them over without reading any
// helper per frame.
std::vector<EntityMark> chainedMarks(const Scene& scene, bool neighbours) {
    std::vector<size_t> order(scene.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    if (neighbours) {
        // In bands 40 units high, left to right: each helper's next is a neighbour.
        auto key = [&](size_t i) {
            const Point3 p = scene.nodes()[i]->position();
            return std::make_pair(static_cast<int>(std::floor(p.y / 40)), p.x);
        };
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key(a) < key(b); });
    }
    std::vector<EntityMark> marks;
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t next = order[(k + 1) % order.size()];
        const std::string target = k % 50 == 0 ? "nowhere" : "t" + std::to_string(next);
        marks.push_back({scene.nodes()[order[k]].get(),
                         "func_door",
                         "t" + std::to_string(order[k]),
                         {target},
                         {}});
    }
    return marks;
}

void timeOverlayRedraw(Scene& scene) {
    SoftwareViewport view(ViewKind::Top, 1280, 720);
    const std::vector<EntityMark> nearby = chainedMarks(scene, true),
                                  across = chainedMarks(scene, false);
    const struct {
        const char* what;
        const std::vector<EntityMark>& marks;
        OverlayOptions options;
    } cases[] = {
        {"top, no labels or links", nearby, {LabelMode::None, false}},
        {"top, labels (all)", nearby, {LabelMode::All, false}},
        {"top, links near", nearby, {LabelMode::None, true}},
        {"top, labels (all) and links near", nearby, {LabelMode::All, true}},
        {"top, labels (all) and links across", across, {LabelMode::All, true}},
    };
    // The host resolves links when entities change, not per frame; this is what that
    // costs once.
    report("resolving the links of 10000 marks",
           measure(10, 5, [&] { (void)resolveLinks(nearby); }), 1e-3, "ms");
    const EntityLinks nearbyLinks = resolveLinks(nearby), acrossLinks = resolveLinks(across);
    for (const auto& c : cases) {
        const EntityLinks& links = &c.marks == &nearby ? nearbyLinks : acrossLinks;
        auto frame = [&] {
            renderViewport(view, scene);
            drawEntityOverlay(view, overlayEntities(c.marks), links, c.options);
        };
        frame();  // warm up
        report(c.what, measure(10, 5, frame), 1e-3, "ms/frame");
        if (c.options.labels == LabelMode::None && !c.options.links) continue;
        report(
            "  of which the overlay",
            measure(10, 5,
                    [&] { drawEntityOverlay(view, overlayEntities(c.marks), links, c.options); }),
            1e-3, "ms/frame");
    }
}

// Every fifth helper a light of one of the eleven styles that change, as the window
// animates them: the still picture once over a kept ground, then at each step of the styles
// only the glows' squares drawn again from what was kept. The lights are made here directly, as the
// marks are.
void timeLightStyles(Scene& scene) {
    std::vector<LitEntity> lights;
    for (size_t i = 0; i < scene.size(); i += 5)
        lights.push_back({scene.nodes()[i].get(), 1 + static_cast<int>(i / 5 % 11)});
    SoftwareViewport view(ViewKind::Top, 1280, 720);
    renderViewport(view, scene);
    LightGlows glows;
    const auto picture = [&] { renderViewport(view, scene); };
    report("still redraw (for comparison)", measure(10, 5, [&] { renderViewport(view, scene); }),
           1e-3, "ms/frame");
    // With the view turned away from every light, a redraw finds none and no step follows.
    view.camera().pan(0, 5000, view.height());
    report("picture kept, no light in view",
           measure(10, 5, [&] { glows.capture(view, lights, picture); }), 1e-3, "ms/redraw");
    std::printf("  (%zu glows, animated: %s)\n", glows.size(), glows.animated() ? "yes" : "no");
    view.camera().pan(0, -5000, view.height());
    report("picture kept under 2000 glows",
           measure(10, 5, [&] { glows.capture(view, lights, picture); }), 1e-3, "ms/redraw");
    double seconds = 0;
    report("one step: every glow drawn again",
           measure(10, 20,
                   [&] {
                       seconds += 0.1;
                       glows.draw(view.image(), seconds);
                   }),
           1e-3, "ms/step");
    report("a tick within the same step",
           measure(10, 20, [&] { glows.draw(view.image(), seconds); }), 1e-3, "ms/tick");
    const GlowArea area = glows.draw(view.image(), seconds + 0.1);
    std::printf("  (%zu of %zu lights in view, their glows %d units round, all within %dx%d)\n",
                glows.size(), lights.size(), GLOW_RADIUS, area.right - area.left,
                area.bottom - area.top);
}

void timePicks(Scene& scene) {
    SoftwareViewport view(ViewKind::Top, 1280, 720);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> x(0, 1279), y(0, 719);
    int hits = 0, clicks = 0;
    report("click pick",
           measure(10, 10,
                   [&] {
                       ++clicks;
                       hits += pickNode(scene, view, IPoint2(x(random), y(random))) != nullptr;
                   }),
           1e-3, "ms/click");
    std::printf("  (%d of %d random clicks hit a helper)\n", hits, clicks);
    size_t inside = 0;
    report("rubber band 600x400, window",
           measure(10, 5,
                   [&] {
                       inside = nodesInRectangle(scene, view, IPoint2(100, 100), IPoint2(700, 500),
                                                 false)
                                    .size();
                   }),
           1e-3, "ms/rectangle");
    std::printf("  (%zu helpers inside)\n", inside);
    view.setScene(&scene);
    report("snap with pivots (mouse move)",
           measure(10, 10,
                   [&] {
                       IPoint2 mouse(x(random), y(random));
                       view.snapPointOnPlane(&mouse, &mouse, nullptr, SNAP_APPLY);
                   }),
           1e-3, "ms/move");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    const bool redrawsOnly = only == "redraw";
    PluginRegistry registry;
    std::string error;
    if (!registry.loadFolder(defaultPluginFolder(), error)) {
        std::fprintf(stderr, "viewport_bench: %s\n", error.c_str());
        return 1;
    }
    const PluginKind* door = registry.findByName("Door");
    if (!door) return 1;
    if (only.empty()) timeSingleCalls(*door);

    {
        Scene empty;
        std::printf("empty scene, 1280x720 (clear and grid):\n");
        timeRedraw(empty, ViewKind::Top);
    }
    const int helpers = 10000;
    Scene scene;
    fillScene(scene, *door, helpers);
    if (only == "lights" || only.empty()) {
        std::printf("%d helpers, 2000 of them lights with changing styles, 1280x720 top:\n",
                    helpers);
        timeLightStyles(scene);
        if (!only.empty()) return 0;
    }
    std::printf("full software redraw of %d helpers with tripods, 1280x720:\n", helpers);
    timeRedraw(scene, ViewKind::Top);
    timeRedraw(scene, ViewKind::Perspective);
    std::printf("the same redraw with the host's labels and links over the helpers:\n");
    timeOverlayRedraw(scene);
    if (redrawsOnly) return 0;
    std::printf("%d helpers in a 1280x720 top view:\n", helpers);
    timePicks(scene);
    return 0;
}
