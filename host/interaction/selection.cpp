#include "interaction/selection.h"
#include "scene/scene.h"

namespace {

bool pickable(const Node& node) { return !node.hidden && !node.frozen && node.object(); }

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
