#include "brush_box.h"
#include <algorithm>
#include <cmath>

namespace {

struct Box {
    MapVector low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    bool empty = true;

    void add(const MapVector& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        empty = false;
    }
};

constexpr double ON_PLANE = 0.01;  // map units: corners are written to a few decimals
// Corners are sought among all triples of a brush's faces, each tried against every face:
// work grows with the fourth power of the faces, and a brush of thousands would stall the
// import. Brushes as drawn have far fewer.
constexpr uint32_t MAX_BRUSH_FACES = 64;

double dot(const MapVector& a, const MapVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
MapVector cross(const MapVector& a, const MapVector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Where three planes meet; false when two of them are parallel.
bool meet(const MapPlane& a, const MapPlane& b, const MapPlane& c, MapVector& p) {
    const MapVector bc = cross(b.normal, c.normal), ca = cross(c.normal, a.normal),
                    ab = cross(a.normal, b.normal);
    const double det = dot(a.normal, bc);
    if (std::fabs(det) < 1e-9) return false;
    p = {(a.distance * bc.x + b.distance * ca.x + c.distance * ab.x) / det,
         (a.distance * bc.y + b.distance * ca.y + c.distance * ab.y) / det,
         (a.distance * bc.z + b.distance * ca.z + c.distance * ab.z) / det};
    return true;
}

// Adds the corners of a brush whose planes face outward when side is 1, inward when -1.
bool addCorners(const MapPlane* planes, uint32_t count, double side, Box& box) {
    bool found = false;
    for (uint32_t i = 0; i < count; ++i)
        for (uint32_t j = i + 1; j < count; ++j)
            for (uint32_t k = j + 1; k < count; ++k) {
                MapVector p;
                if (!meet(planes[i], planes[j], planes[k], p)) continue;
                bool inside = true;
                for (uint32_t m = 0; m < count && inside; ++m)
                    inside = side * (dot(planes[m].normal, p) - planes[m].distance) <= ON_PLANE;
                if (!inside) continue;
                box.add(p);
                found = true;
            }
    return found;
}

}  // namespace

bool brushBoxCentre(const MapText& map, const MapEntity& entity, MapVector& centre) {
    Box box;
    for (const MapBrush& brush : entity.brushes) {
        if (brush.isPatch) {
            for (uint32_t i = 0; i < brush.count; ++i) box.add(map.points[brush.first + i]);
            continue;
        }
        if (brush.count > MAX_BRUSH_FACES) continue;
        // The dialects differ in winding: a closed brush has corners in one of the two.
        const MapPlane* planes = map.planes.data() + brush.first;
        if (!addCorners(planes, brush.count, 1, box)) addCorners(planes, brush.count, -1, box);
    }
    if (box.empty) return false;
    centre = {(box.low.x + box.high.x) / 2, (box.low.y + box.high.y) / 2,
              (box.low.z + box.high.z) / 2};
    return true;
}
