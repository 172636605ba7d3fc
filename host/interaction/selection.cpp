#include "interaction/selection.h"
#include <unordered_set>
#include <algorithm>
#include "render/level_drawing.h"
#include "scene/scene.h"

namespace {

// Pieces an object draws at a fixed window size around its world box (point markers,
// labels), together with the pick region's own size, reach no further than this.
constexpr float CULL_SLACK_PIXELS = 24.0f;

bool pickable(const Node& node) { return !node.hidden() && !node.frozen() && node.object(); }

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

// The nodes selected once the picked ones are taken as mode says, in scene order.
std::vector<Node*> changedSelection(Scene& scene, const std::vector<Node*>& picked,
                                    SelectMode mode) {
    const std::unordered_set<Node*> picks(picked.begin(), picked.end());
    std::vector<Node*> selection;
    for (const auto& n : scene.nodes()) {
        const bool was = mode != SelectMode::Replace && n->selected();
        const bool isPicked = picks.count(n.get()) > 0;
        if (mode == SelectMode::Toggle ? was != isPicked : was || isPicked)
            selection.push_back(n.get());
    }
    return selection;
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
        if (!view.mousePosition(node->transform().GetTrans(), pivot)) continue;
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

std::vector<Node*> selectionAfterClick(Scene& scene, SoftwareViewport& view, IPoint2 mouse,
                                       SelectMode mode, TimeValue t) {
    std::vector<Node*> picks;
    if (Node* picked = pickNode(scene, view, mouse, t)) picks.push_back(picked);
    return changedSelection(scene, picks, mode);
}

std::vector<Node*> selectionAfterRectangle(Scene& scene, SoftwareViewport& view, IPoint2 a,
                                           IPoint2 b, bool crossing, SelectMode mode, TimeValue t) {
    return changedSelection(scene, nodesInRectangle(scene, view, a, b, crossing, t), mode);
}
