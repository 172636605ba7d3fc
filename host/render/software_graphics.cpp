#include "render/software_graphics.h"
#include "render/bitmap_font.h"
#include "render/marker_patterns.h"
#include <cmath>

namespace {

const Rgb DEFAULT_LINE = {255, 255, 255};
const Rgb DEFAULT_TEXT = {255, 255, 255};
// Labels sit just above and to the right of their anchor.
constexpr int TEXT_GAP = 2;

// Nearest whole pixel; plain arithmetic, as this runs for every drawn piece.
int toPixel(float v) {
    float shifted = v + 0.5f;
    int i = static_cast<int>(shifted);
    return shifted < static_cast<float>(i) ? i - 1 : i;
}

// Texts and markers are anchored at one pixel. Past this distance from the image they
// could not reach into it, and their pixel would not fit an int.
constexpr float FARTHEST_ANCHOR = 1e6f;

bool anchorNearImage(const Point2& w) {
    return std::fabs(w.x) < FARTHEST_ANCHOR && std::fabs(w.y) < FARTHEST_ANCHOR;
}

}  // namespace

void SoftwareGraphics::setProjection(const ViewProjection* projection) {
    projection_ = projection;
    setDrawTransform(transform_);
}

void SoftwareGraphics::resetState() {
    static const Matrix3 identity(true);
    setDrawTransform(identity);
    flags_ = DEFAULT_RENDER_FLAGS;
    line_ = DEFAULT_LINE;
    text_ = DEFAULT_TEXT;
}

void SoftwareGraphics::setDrawColor(int kind, float r, float g, float b) {
    Rgb c = rgbFromFloats(r, g, b);
    // Nothing this window draws is filled, so the fill colour has no use here.
    if (kind == COLOR_LINE)
        line_ = c;
    else if (kind == COLOR_TEXT)
        text_ = c;
}

void SoftwareGraphics::setDrawTransform(const Matrix3& tm) {
    transform_ = tm;
    toView_ = projection_ ? composeTransforms(tm, projection_->worldToView()) : tm;
}

void SoftwareGraphics::projectToWindow(Point3* in, Point3* out) {
    Point3 v = applyTransform(*in, toView_);
    float x = 0, row = 0;
    if (projection_ && !projection_->viewToWindow(v, x, row)) {
        // Behind the eye: far outside the window, so that nothing snaps to it.
        x = row = -1e7f;
    }
    *out = Point3(x, static_cast<float>(image_.height() - 1) - row, v.z);
}

void SoftwareGraphics::setPickRegion(HitRegion* region) { area_ = PickArea(*region); }

void SoftwareGraphics::clearPickHit() { hit_ = drewInPick_ = leftRegion_ = false; }

int SoftwareGraphics::pickHit() { return hit_ ? 1 : 0; }

void SoftwareGraphics::pickPiece(bool touches, bool inside) {
    drewInPick_ = true;
    if (touches) hit_ = true;
    if (!inside) leftRegion_ = true;
}

void SoftwareGraphics::drawSegment(Point3 a, Point3 b, Rgb colour) {
    if (!projection_) return;
    a = applyTransform(a, toView_);
    b = applyTransform(b, toView_);
    if (projection_->isPerspective()) {
        // Keep only the part in front of the eye.
        float n = projection_->nearDepth();
        if (a.z < n && b.z < n) {
            if (picking()) pickPiece(false, false);
            return;
        }
        if (a.z < n) a = a + (b - a) * ((n - a.z) / (b.z - a.z));
        if (b.z < n) b = b + (a - b) * ((n - b.z) / (a.z - b.z));
    }
    Point2 wa, wb;
    projection_->viewToWindow(a, wa.x, wa.y);
    projection_->viewToWindow(b, wb.x, wb.y);
    if (picking()) {
        pickPiece(area_.touchesSegment(wa, wb), area_.containsPoint(wa) && area_.containsPoint(wb));
        return;
    }
    image_.drawLine(wa.x, wa.y, projection_->depthKey(a), wb.x, wb.y, projection_->depthKey(b),
                    colour, (flags_ & GW_Z_BUFFER) != 0);
}

// Every edge takes the line colour; per-vertex colours and normals are not used.
void SoftwareGraphics::drawPolyline(int count, Point3* pts, Point3*, int closed, int* edgeVis,
                                    Point3*) {
    if (!pts || count < 2) return;
    int edges = closed ? count : count - 1;
    for (int i = 0; i < edges; ++i) {
        if (edgeVis && !edgeVis[i]) continue;
        drawSegment(pts[i], pts[(i + 1) % count], line_);
    }
}

void SoftwareGraphics::drawText(Point3* pos, const char* text) {
    if (!projection_ || !text) return;
    Point3 v = applyTransform(*pos, toView_);
    Point2 w;
    if (!projection_->viewToWindow(v, w.x, w.y) || !anchorNearImage(w)) {
        if (picking()) pickPiece(false, false);
        return;
    }
    int left = toPixel(w.x) + TEXT_GAP, top = toPixel(w.y) - TEXT_GAP - FONT_HEIGHT;
    if (picking()) {
        Point2 lo(static_cast<float>(left), static_cast<float>(top));
        Point2 hi(lo.x + static_cast<float>(textWidth(text)), lo.y + FONT_HEIGHT);
        pickPiece(area_.touchesBox(lo, hi), area_.containsBox(lo, hi));
        return;
    }
    drawBitmapText(image_, left, top, text, text_);
}

void SoftwareGraphics::drawPointMarker(Point3* pos, int kind) {
    if (!projection_) return;
    Point3 v = applyTransform(*pos, toView_);
    Point2 w;
    if (!projection_->viewToWindow(v, w.x, w.y) || !anchorNearImage(w)) {
        if (picking()) pickPiece(false, false);
        return;
    }
    if (picking()) {
        const float r = MARKER_RADIUS;
        Point2 lo(w.x - r, w.y - r), hi(w.x + r, w.y + r);
        pickPiece(area_.touchesBox(lo, hi), area_.containsBox(lo, hi));
        return;
    }
    image_.plotPattern(toPixel(w.x), toPixel(w.y), markerPattern(kind), projection_->depthKey(v),
                       line_, (flags_ & GW_Z_BUFFER) != 0);
}
