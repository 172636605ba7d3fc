// The geometric questions a host asks a helper: its boxes, whether it lies under the
// mouse, and its pivot as a snap candidate. All answers come from the drawn marker.
#include <cmath>
#include "entity/entity_helper.h"
#include "vexsdk/viewport.h"

namespace {

constexpr float BACK_EXTENT_DIVISOR = 5.0f;
constexpr float BOX_MARGIN = 10.0f;
constexpr int PICK_REGION_SIZE = 4;
constexpr double IN_PLANE_TOLERANCE = 0.0001;

Matrix3 translationOnly(const Matrix3& tm) {
    Matrix3 m(true);
    m.SetTrans(tm.GetTrans());
    return m;
}

}  // namespace

Box3 VexalEntityHelper::axisTripodBox(HostViewport* vpt, const Matrix3& tm, float length,
                                      int resetTransform) {
    Matrix3 m = tm;
    Box3 box;
    float zoom = vpt->screenScaleAt(tm.GetTrans()) * TRIPOD_ZOOM_CONSTANT;
    // The margin divides by the factor, so a zero one is replaced here (not in display).
    if (zoom == 0.0f) zoom = 1.0f;
    float l = length * zoom;
    if (resetTransform) m.IdentityMatrix();
    float back = -l / BACK_EXTENT_DIVISOR;
    const Point3 corners[7] = {Point3(0, 0, 0),   Point3(l, 0, 0),    Point3(0, l, 0),
                               Point3(0, 0, l),   Point3(back, 0, 0), Point3(0, back, 0),
                               Point3(0, 0, back)};
    for (const Point3& p : corners) box += p * m;
    box.EnlargeBy(BOX_MARGIN / zoom);
    return box;
}

void VexalEntityHelper::localBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box) {
    Matrix3 tm = translationOnly(node->objectTransformAt(t, nullptr));
    box = axisTripodBox(vpt, tm, showAxis ? axisLength : 0.0f, 1);
}

void VexalEntityHelper::worldBounds(TimeValue t, SceneNode* node, HostViewport* vpt, Box3& box) {
    Matrix3 tm = node->objectTransformAt(t, nullptr);
    if (extDispFlags & DISPLAY_WORLD_BOX_COLLAPSE)
        box = Box3(tm.GetTrans(), tm.GetTrans());
    else
        box = axisTripodBox(vpt, tm, showAxis ? axisLength : 0.0f, 0);
}

int VexalEntityHelper::pickTest(TimeValue t, SceneNode* node, int kind, int crossing, int,
                                IPoint2* p, HostViewport* vpt) {
    ViewGraphics* gw = vpt->graphics();
    Matrix3 identity(true);
    Point3 pivot(0, 0, 0);
    gw->setDrawTransform(identity);
    Matrix3 tm = node->objectTransformAt(t, nullptr);
    HitRegion region;
    MakeHitRegion(region, kind, crossing, PICK_REGION_SIZE, p);

    unsigned saved = gw->renderFlags();
    gw->setRenderFlags((saved | GW_PICK) & ~GW_WIREFRAME);
    gw->setPickRegion(&region);
    gw->clearPickHit();
    if (showAxis) drawAxisTripod(vpt, tm, axisLength, 0, 0);
    gw->setDrawTransform(tm);
    gw->drawPointMarker(&pivot, MARKER_CIRCLE);
    gw->setRenderFlags(saved);

    // Outside point regions a window (non-crossing) pick is the host's to decide.
    if (region.regionKind != HITREGION_POINT && region.crossingFlag == 0) return 1;
    return gw->pickHit();
}

void VexalEntityHelper::offerSnap(TimeValue t, SceneNode* node, SnapQuery* snap, IPoint2* p,
                                  HostViewport* vpt) {
    // A helper being placed must not snap to itself.
    if (creating) return;
    ViewGraphics* gw = vpt->graphics();
    Matrix3 tm = node->objectTransformAt(t, nullptr);
    gw->setDrawTransform(tm);
    Matrix3 toPlane = Inverse(snap->snapPlane);
    float top = static_cast<float>(gw->windowHeight()) - 1.0f;

    if (snap->vertexRank <= 0) return;
    if (snap->bestRank < snap->vertexRank) return;  // a more important snap is held

    Point2 mouse(static_cast<float>(p->x), static_cast<float>(p->y));
    Point3 pivot(0, 0, 0);
    if (snap->snapMode == SNAP_MODE_IN_PLANE || (snap->snapFlags & SNAP_FLAG_IN_PLANE)) {
        Point3 q = pivot * tm * toPlane;
        if (std::fabs(static_cast<double>(q.z)) > IN_PLANE_TOLERANCE) return;
    }
    Point3 projected;
    gw->projectToWindow(&pivot, &projected);
    // The window counts y up from the bottom row; the mouse counts it down from the top.
    Point2 screen(projected.x, top - projected.y);
    int distance = static_cast<int>(Length(screen - mouse));
    if (distance > snap->snapRadius) return;

    bool outranks = snap->bestRank > snap->vertexRank;
    if (!outranks && distance >= snap->bestDistance) return;  // a tie keeps the earlier best
    snap->bestRank = snap->vertexRank;
    snap->bestPointWorld = pivot * tm;
    snap->bestPointScreen = screen;
    snap->bestDistance = distance;
}
