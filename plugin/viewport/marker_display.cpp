// How a helper draws itself: a point marker at the pivot and, when its axis flag is on,
// a labelled tripod whose size follows the viewport's screen scale, not the scene's units.
#include "entity/entity_helper.h"
#include "vexsdk/viewport.h"

namespace {

constexpr float ARROWHEAD_BASE = 0.9f;
constexpr float ARROWHEAD_SPREAD = 0.1f;

void setBothColors(ViewGraphics* gw, float r, float g, float b) {
    gw->setDrawColor(COLOR_TEXT, r, g, b);
    gw->setDrawColor(COLOR_LINE, r, g, b);
}

void drawSegment(ViewGraphics* gw, const Point3& from, const Point3& to) {
    Point3 pts[2] = {from, to};
    gw->drawPolyline(2, pts, nullptr, 0, nullptr, nullptr);
}

}  // namespace

int VexalEntityHelper::drawInViewport(TimeValue t, SceneNode* node, HostViewport* vpt, int) {
    ViewGraphics* gw = vpt->graphics();
    Matrix3 identity(true);
    Point3 pivot(0, 0, 0);
    gw->setDrawTransform(identity);
    Matrix3 tm = node->objectTransformAt(t, nullptr);
    if (showAxis) drawAxisTripod(vpt, tm, axisLength, node->isSelectedNode(), node->isFrozenNode());
    gw->setDrawTransform(tm);
    if (!node->isFrozenNode()) gw->setDrawColor(COLOR_LINE, 1.0f, 0.9f, 0.0f);
    gw->drawPointMarker(&pivot, MARKER_CIRCLE);
    return 0;
}

void VexalEntityHelper::drawAxisTripod(HostViewport* vpt, const Matrix3& tm, float length,
                                       int selected, int frozen) {
    ViewGraphics* gw = vpt->graphics();
    Matrix3 scaled = tm;
    // A zero factor is used as it comes: the tripod then collapses onto the pivot.
    float zoom = vpt->screenScaleAt(tm.GetTrans()) * TRIPOD_ZOOM_CONSTANT;
    scaled.Scale(Point3(zoom, zoom, zoom), 0);
    gw->setDrawTransform(scaled);

    unsigned saved = gw->renderFlags();
    gw->setRenderFlags(saved & ~GW_Z_BUFFER);
    if (selected)
        setBothColors(gw, 1.0f, 1.0f, 1.0f);
    else if (!frozen)
        setBothColors(gw, 0.4f, 0.4f, 0.4f);
    // Frozen and unselected: the host's current colours apply.

    const char* labels[3] = {"x", "y", "z"};
    const Point3 tips[3] = {Point3(length, 0, 0), Point3(0, length, 0), Point3(0, 0, length)};
    for (int arm = 0; arm < 3; ++arm) {
        drawAxisLabel(vpt, labels[arm], tips[arm]);
        drawAxisArrow(vpt, tips[arm]);
    }
    gw->setRenderFlags(saved);
}

void VexalEntityHelper::drawAxisLabel(HostViewport* vpt, const char* text, const Point3& position) {
    Point3 at = position;
    vpt->graphics()->drawText(&at, text);
}

void VexalEntityHelper::drawAxisArrow(HostViewport* vpt, Point3 axis) {
    ViewGraphics* gw = vpt->graphics();
    Point3 head = axis * ARROWHEAD_BASE;
    // The spread lies in the XY plane unless the arm is along Z; a zero arm spreads by zero.
    Point3 spread = (axis.x != 0.0f || axis.y != 0.0f) ? Point3(axis.y, -axis.x, axis.z)
                                                       : Point3(axis.x, axis.z, -axis.y);
    Point3 w = spread * ARROWHEAD_SPREAD;
    drawSegment(gw, Point3(0, 0, 0), axis);
    drawSegment(gw, axis, head + w);
    drawSegment(gw, axis, head - w);
}
