#include "session/placement_depth.h"
#include "render/brush_hit.h"
#include "render/level_drawing.h"
#include "session/host_session.h"

namespace {

// The point that the placement follows when no surface is pointed at.
Point3 levelReference(HostSession& session) {
    const std::vector<Node*> selected = session.scene().selection();
    if (!selected.empty()) return pivotCentre(selected);
    if (session.lastPlaced()) return *session.lastPlaced();
    Box3 bounds;
    for (const auto& node : session.scene().nodes())
        if (!node->hidden()) {
            bounds += node->position();
            addOutlinesBox(*node, bounds);
        }
    return bounds.IsEmpty() ? Point3(0, 0, 0) : bounds.Center();
}

}  // namespace

float placementDepth(HostSession& session, SoftwareViewport& view, IPoint2 mouse) {
    const Point3 normal = view.constructionPlane().GetRow(2);
    Point3 reference = levelReference(session);
    if (view.camera().isPerspective()) {
        Point3 origin, direction;
        view.projection().rayThrough(static_cast<float>(mouse.x), static_cast<float>(mouse.y),
                                     origin, direction);
        firstBrushHit(session.scene(), origin, direction, reference);
    }
    return DotProd(reference, normal);
}
