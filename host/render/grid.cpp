#include "render/grid.h"
#include <algorithm>
#include <cmath>
#include "render/grid_size.h"
#include "render/software_viewport.h"

namespace {

constexpr float MIN_LINE_GAP_PIXELS = 6.0f;
constexpr int MAX_LINES_PER_DIRECTION = 400;
// Perspective views show the grid this many camera distances around the target.
constexpr float PERSPECTIVE_REACH = 1.5f;

const Point3 MINOR(0.22f, 0.22f, 0.24f), MAJOR(0.30f, 0.30f, 0.33f), AXIS(0.45f, 0.45f, 0.50f);

struct PlaneRange {
    float x0, x1, y0, y1;
};

// The part of the plane (in its own coordinates) that the view shows.
PlaneRange visibleRange(SoftwareViewport& view, const Matrix3& plane) {
    Matrix3 toPlane = Inverse(plane);
    const Camera& camera = view.camera();
    if (camera.isPerspective()) {
        Point3 centre = camera.target() * toPlane;
        float reach = camera.distance() * PERSPECTIVE_REACH;
        return {centre.x - reach, centre.x + reach, centre.y - reach, centre.y + reach};
    }
    PlaneRange r{1e30f, -1e30f, 1e30f, -1e30f};
    const IPoint2 corners[4] = {IPoint2(0, 0), IPoint2(view.width() - 1, 0),
                                IPoint2(0, view.height() - 1),
                                IPoint2(view.width() - 1, view.height() - 1)};
    for (const IPoint2& c : corners) {
        Point3 world;
        if (!view.pointOnPlane(c, plane, world)) continue;
        Point3 q = world * toPlane;
        r.x0 = std::min(r.x0, q.x);
        r.x1 = std::max(r.x1, q.x);
        r.y0 = std::min(r.y0, q.y);
        r.y1 = std::max(r.y1, q.y);
    }
    return r;
}

float displaySpacing(SoftwareViewport& view, const PlaneRange& r, float spacing) {
    float pixels = spacing / view.projection().unitsPerPixelAt(view.camera().target());
    float widest = std::max(r.x1 - r.x0, r.y1 - r.y0);
    while (spacing > 0.0f &&
           (pixels < MIN_LINE_GAP_PIXELS || widest / spacing > MAX_LINES_PER_DIRECTION)) {
        spacing *= GridSize::MAJOR_EVERY;
        pixels *= GridSize::MAJOR_EVERY;
    }
    return spacing;
}

void setColour(ViewGraphics& gw, const Point3& c) { gw.setDrawColor(COLOR_LINE, c.x, c.y, c.z); }

// Lines along the plane's y (direction 0) or x (direction 1) at every multiple of spacing.
void drawLines(ViewGraphics& gw, const PlaneRange& r, float spacing, int direction) {
    float from = direction == 0 ? r.x0 : r.y0, to = direction == 0 ? r.x1 : r.y1;
    // Far from the origin the line numbers would not fit a long: no grid there.
    const float farthestLine = 1e9f;
    if (!(std::fabs(from / spacing) < farthestLine && std::fabs(to / spacing) < farthestLine))
        return;
    long first = static_cast<long>(std::floor(from / spacing));
    long last = static_cast<long>(std::ceil(to / spacing));
    for (long i = first; i <= last; ++i) {
        float v = static_cast<float>(i) * spacing;
        setColour(gw, i == 0 ? AXIS : (i % GridSize::MAJOR_EVERY == 0 ? MAJOR : MINOR));
        Point3 pts[2];
        if (direction == 0)
            pts[0] = Point3(v, r.y0, 0), pts[1] = Point3(v, r.y1, 0);
        else
            pts[0] = Point3(r.x0, v, 0), pts[1] = Point3(r.x1, v, 0);
        gw.drawPolyline(2, pts, nullptr, 0, nullptr, nullptr);
    }
}

}  // namespace

void drawGrid(SoftwareViewport& view) {
    if (view.gridSpacing <= 0.0f) return;
    Matrix3 plane = view.constructionPlane();
    PlaneRange range = visibleRange(view, plane);
    // A camera framed on a scene at the edge of the float range sees no usable grid.
    if (!(range.x0 <= range.x1 && range.y0 <= range.y1) || !std::isfinite(range.x1 - range.x0) ||
        !std::isfinite(range.y1 - range.y0))
        return;
    float spacing = displaySpacing(view, range, view.gridSpacing);
    SoftwareGraphics& gw = view.window();
    // The grid lies beneath the scene: it neither tests nor keeps depth.
    gw.setRenderFlags(GW_WIREFRAME);
    gw.setDrawTransform(plane);
    drawLines(gw, range, spacing, 0);
    drawLines(gw, range, spacing, 1);
    gw.resetState();
}
