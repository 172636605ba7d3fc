#include "render/view_framing.h"
#include <algorithm>
#include "render/level_drawing.h"

namespace {

// Framed helpers stay an eighth of the view (at most this many pixels) further from its
// sides than the camera's own fill leaves: room for their labels.
constexpr int FRAME_MARGIN_PIXELS = 80;

int frameMargin(int size) { return std::min(FRAME_MARGIN_PIXELS, size / 8); }

void zoomTo(SoftwareViewport& view, Box3 box, float margin) {
    box.EnlargeBy(margin);
    const int w = view.width(), h = view.height();
    view.camera().zoomToBox(box, w - 2 * frameMargin(w), h - 2 * frameMargin(h));
}

}  // namespace

void frameScene(SoftwareViewport& view, const Scene& scene, bool selectionOnly) {
    Box3 box;
    for (const auto& n : scene.nodes())
        if (!n->hidden() && (n->selected() || !selectionOnly)) {
            box += n->position();
            addOutlinesBox(*n, box);
        }
    if (selectionOnly && box.IsEmpty()) return frameScene(view, scene, false);
    if (box.IsEmpty()) box = Box3(Point3(-100, -100, 0), Point3(100, 100, 0));
    zoomTo(view, box, 40.0f);
}

void frameNode(SoftwareViewport& view, const Node& node) {
    Box3 box;
    box += node.position();
    zoomTo(view, box, 80.0f);
}

void zoomAt(SoftwareViewport& view, IPoint2 mouse, float factor) {
    Point3 origin, direction;
    view.projection().rayThrough(float(mouse.x), float(mouse.y), origin, direction);
    Camera& camera = view.camera();
    const Point3 forward = camera.frame().forward;
    const float along = DotProd(camera.target() - origin, forward) / DotProd(direction, forward);
    camera.zoomAbout(origin + direction * along, factor);
}
