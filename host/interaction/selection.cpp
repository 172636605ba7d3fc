#include "interaction/selection.h"
#include <algorithm>
#include "render/level_drawing.h"
#include "scene/scene.h"

namespace {

// Pieces an object draws at a fixed window size around its world box (point markers,
// labels), together with the pick region's own size, reach no further than this.
constexpr float CULL_SLACK_PIXELS = 24.0f;

bool pickable(const Node& node) { return !node.hidden && !node.frozen && node.object(); }

// A quick refusal before the object's own pick test: the window circle around the
// object's world box, or false when the view cannot tell.
struct WindowCircle {
    Point2 centre;
    float radius = 0;
};

bool windowCircle(Node& node, SoftwareViewport& view, TimeValue t, WindowCircle& circle) {
    Box3 box;
    node.object()->worldBounds(t, &node, &view, box);
    if (box.IsEmpty()) return false;
    float radius = Length(box.Width()) * 0.5f;
    if (!view.projection().sphereToWindow(box.Center(), radius, circle.centre, circle.radius))
        return false;
    circle.radius += CULL_SLACK_PIXELS;
    return true;
}

bool surelyMisses(Node& node, SoftwareViewport& view, TimeValue t, IPoint2 mouse) {
    WindowCircle c;
    if (!windowCircle(node, view, t, c)) return false;
    return Length(c.centre - Point2(static_cast<float>(mouse.x), static_cast<float>(mouse.y))) >
           c.radius;
}

bool surelyOutside(Node& node, SoftwareViewport& view, TimeValue t, IPoint2 a, IPoint2 b) {
    WindowCircle c;
    if (!windowCircle(node, view, t, c)) return false;
    float x0 = static_cast<float>(std::min(a.x, b.x)), x1 = static_cast<float>(std::max(a.x, b.x));
    float y0 = static_cast<float>(std::min(a.y, b.y)), y1 = static_cast<float>(std::max(a.y, b.y));
    return c.centre.x + c.radius < x0 || c.centre.x - c.radius > x1 || c.centre.y + c.radius < y0 ||
           c.centre.y - c.radius > y1;
}

void applySelection(Scene& scene, const std::vector<Node*>& picked, SelectMode mode) {
    if (mode == SelectMode::Replace)
        for (const auto& n : scene.nodes()) n->selected = false;
    for (Node* n : picked) n->selected = mode == SelectMode::Toggle ? !n->selected : true;
}

}  // namespace

Node* pickNode(Scene& scene, SoftwareViewport& view, IPoint2 mouse, TimeValue t) {
    view.setScene(&scene, t);
    Node* best = nullptr;
    float bestDistance = 0.0f;
    for (const auto& node : scene.nodes()) {
        if (!pickable(*node)) continue;
        // A brush's outline takes the click for its entity wherever the pivot is.
        if (outlinesPicked(view, *node, HITREGION_POINT, false, &mouse)) {
            best = node.get();
            bestDistance = 0.0f;
            continue;
        }
        if (surelyMisses(*node, view, t, mouse)) continue;
        if (!node->object()->pickTest(t, node.get(), HITREGION_POINT, 0, 0, &mouse, &view))
            continue;
        Point2 pivot;
        if (!view.mousePosition(node->transform.GetTrans(), pivot)) continue;
        float distance =
            Length(pivot - Point2(static_cast<float>(mouse.x), static_cast<float>(mouse.y)));
        if (!best || distance <= bestDistance) {
            best = node.get();
            bestDistance = distance;
        }
    }
    view.window().resetState();
    return best;
}

std::vector<Node*> nodesInRectangle(Scene& scene, SoftwareViewport& view, IPoint2 a, IPoint2 b,
                                    bool crossing, TimeValue t) {
    view.setScene(&scene, t);
    IPoint2 corners[2] = {a, b};
    std::vector<Node*> result;
    SoftwareGraphics& window = view.window();
    for (const auto& node : scene.nodes()) {
        if (!pickable(*node)) continue;
        if (outlinesPicked(view, *node, HITREGION_RECT, crossing, corners)) {
            result.push_back(node.get());
            continue;
        }
        if (surelyOutside(*node, view, t, a, b)) continue;
        int hit = node->object()->pickTest(t, node.get(), HITREGION_RECT, crossing ? 1 : 0, 0,
                                           corners, &view);
        // A window pick is the host's to judge: the object must have been drawn wholly
        // inside the rectangle.
        if (hit && (crossing || window.pickStayedInside())) result.push_back(node.get());
    }
    window.resetState();
    return result;
}

Node* selectByClick(Scene& scene, SoftwareViewport& view, IPoint2 mouse, SelectMode mode,
                    TimeValue t) {
    Node* picked = pickNode(scene, view, mouse, t);
    std::vector<Node*> picks;
    if (picked) picks.push_back(picked);
    applySelection(scene, picks, mode);
    return picked;
}

size_t selectByRectangle(Scene& scene, SoftwareViewport& view, IPoint2 a, IPoint2 b, bool crossing,
                         SelectMode mode, TimeValue t) {
    std::vector<Node*> picked = nodesInRectangle(scene, view, a, b, crossing, t);
    applySelection(scene, picked, mode);
    return picked.size();
}
