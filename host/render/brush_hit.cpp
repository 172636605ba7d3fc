#include "render/brush_hit.h"
#include <algorithm>
#include "render/kept_brushes.h"

namespace {

// The ray's distance into a convex brush, whose planes face out of it with side 1 (or into
// it with -1); false when it misses or the brush lies behind the origin.
bool entersBrush(const MapPlane* planes, uint32_t count, double side, const Point3& origin,
                 const Point3& direction, double& enter) {
    enter = 0;
    double leave = 1e30;
    for (uint32_t i = 0; i < count; ++i) {
        const MapVector& n = planes[i].normal;
        const double towards = side * (n.x * direction.x + n.y * direction.y + n.z * direction.z);
        const double outside =
            side * (n.x * origin.x + n.y * origin.y + n.z * origin.z - planes[i].distance);
        if (towards == 0) {
            if (outside > 0) return false;
        } else if (towards < 0) {
            enter = std::max(enter, -outside / towards);
        } else {
            leave = std::min(leave, -outside / towards);
        }
    }
    return enter > 0 && enter <= leave;
}

// The nearest entry into one node's brushes, where the node stands now.
bool nodeHit(const Node& node, const Point3& origin, const Point3& direction, double& nearest) {
    if (!node.kept()) return false;
    KeptEntity kept;
    MapText map;
    if (!readKeptBrushes(*node.kept(), kept, map)) return false;
    // The brushes are where the map put them; the node may have moved since.
    const Point3 start = origin - (node.position() - brushTextOrigin(kept));
    bool any = false;
    for (const MapBrush& brush : map.entities.front().brushes) {
        if (brush.isPatch) continue;
        const MapPlane* planes = map.planes.data() + brush.first;
        double enter;
        if ((entersBrush(planes, brush.count, 1, start, direction, enter) ||
             entersBrush(planes, brush.count, -1, start, direction, enter)) &&
            enter < nearest) {
            nearest = enter;
            any = true;
        }
    }
    return any;
}

}  // namespace

bool firstBrushHit(const Scene& scene, const Point3& origin, const Point3& direction, Point3& hit) {
    double nearest = 1e30;
    bool any = false;
    for (const auto& node : scene.nodes())
        if (!node->hidden() && nodeHit(*node, origin, direction, nearest)) any = true;
    if (any) hit = origin + direction * static_cast<float>(nearest);
    return any;
}
