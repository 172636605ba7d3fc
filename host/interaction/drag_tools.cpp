#include "interaction/drag_tools.h"
#include <cmath>
#include <cstdlib>
#include "scene/scene.h"

namespace {

// Presses that move less than this many pixels before their release are clicks.
constexpr int DRAG_THRESHOLD = 3;

float along(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

}  // namespace

void SelectTool::press(IPoint2 at) {
    start_ = last_ = at;
    banding_ = true;
}

bool SelectTool::isClick(IPoint2 at) const {
    return std::abs(at.x - start_.x) < DRAG_THRESHOLD && std::abs(at.y - start_.y) < DRAG_THRESHOLD;
}

bool SelectTool::banding() const { return banding_ && !isClick(last_); }

std::vector<Node*> SelectTool::release(Scene& scene, SoftwareViewport& view, IPoint2 at,
                                       SelectMode mode) {
    banding_ = false;
    if (isClick(at)) return selectionAfterClick(scene, view, at, mode);
    const bool crossing = at.x < start_.x;
    return selectionAfterRectangle(scene, view, start_, at, crossing, mode);
}

bool MoveTool::press(SoftwareViewport& view, Node& grabbed, IPoint2 at) {
    plane_ = view.constructionPlane();
    plane_.SetTrans(grabbed.position());
    Point3 under;
    if (!view.pointOnPlane(at, plane_, under)) return false;
    grabbed_ = &grabbed;
    offset_ = grabbed.position() - under;
    return true;
}

// The rest of the selection moves with the grabbed pivot.
void MoveTool::move(SoftwareViewport& view, const std::vector<Node*>& selection, IPoint2 at) {
    Point3 under;
    if (!grabbed_ || !view.pointOnPlane(at, plane_, under)) return;
    const Point3 landed = view.snapDragged(
        under + offset_, std::vector<const Node*>(selection.begin(), selection.end()));
    moveSelectionBy(landed - grabbed_->position());
}

void SideDragTool::press(SoftwareViewport& view, const Point3& sideCentre, int axis) {
    plane_ = view.constructionPlane();
    plane_.SetTrans(sideCentre);
    axis_ = axis;
    active_ = true;
}

void SideDragTool::move(SoftwareViewport& view, IPoint2 at) {
    Point3 under;
    if (!active_ || !view.pointOnPlane(at, plane_, under)) return;
    float coordinate = along(under, axis_);
    if (view.snap.enabled && view.snap.toGrid && view.gridSpacing > 0)
        coordinate = std::round(coordinate / view.gridSpacing) * view.gridSpacing;
    if (!moveSideTo(coordinate)) active_ = false;
}
