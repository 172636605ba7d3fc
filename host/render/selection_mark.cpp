#include "render/selection_mark.h"
#include <algorithm>
#include "scene/scene.h"

namespace {

constexpr float MARGIN = 4.0f;     // pixels between the box and its brackets
constexpr float SMALLEST = 12.0f;  // a point-like box still gets a visible mark
constexpr float ARM = 6.0f;        // the longest arm of a bracket

struct WindowRect {
    float left = 1e30f, top = 1e30f, right = -1e30f, bottom = -1e30f;
    bool empty() const { return left > right; }
    void add(const Point2& p) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    void grow(float margin, float smallest) {
        const float cx = (left + right) / 2, cy = (top + bottom) / 2;
        const float halfW = std::max((right - left) / 2 + margin, smallest / 2);
        const float halfH = std::max((bottom - top) / 2 + margin, smallest / 2);
        left = cx - halfW, right = cx + halfW, top = cy - halfH, bottom = cy + halfH;
    }
};

// The window rectangle that the box's corners in front of the eye span.
WindowRect projectedBox(SoftwareViewport& view, const Box3& box) {
    WindowRect rect;
    for (int i = 0; i < 8; ++i) {
        const Point3 corner((i & 1) ? box.pmax.x : box.pmin.x, (i & 2) ? box.pmax.y : box.pmin.y,
                            (i & 4) ? box.pmax.z : box.pmin.z);
        Point2 p;
        if (view.mousePosition(corner, p)) rect.add(p);
    }
    return rect;
}

}  // namespace

void drawSelectionMark(SoftwareViewport& view, Node& node, TimeValue t) {
    Box3 box;
    node.object()->worldBounds(t, &node, &view, box);
    if (box.IsEmpty()) box = Box3(node.position(), node.position());
    WindowRect r = projectedBox(view, box);
    if (r.empty()) return;
    r.grow(MARGIN, SMALLEST);
    const float arm = std::min(ARM, (r.right - r.left) / 3);
    Framebuffer& image = view.image();
    for (float x : {r.left, r.right})
        for (float y : {r.top, r.bottom}) {
            const float dx = x == r.left ? arm : -arm, dy = y == r.top ? arm : -arm;
            image.drawLine(x, y, 0, x + dx, y, 0, SELECTION_MARK, false);
            image.drawLine(x, y, 0, x, y + dy, 0, SELECTION_MARK, false);
        }
}
