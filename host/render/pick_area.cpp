#include "render/pick_area.h"
#include <algorithm>
#include <cmath>
#include "render/framebuffer.h"

namespace {

Point2 toPoint2(const IPoint2& p) {
    return Point2(static_cast<float>(p.x), static_cast<float>(p.y));
}

float distanceToSegment(const Point2& p, const Point2& a, const Point2& b) {
    Point2 ab = b - a, ap = p - a;
    float len2 = ab.x * ab.x + ab.y * ab.y;
    float t = len2 > 0.0f ? std::clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0.0f, 1.0f) : 0.0f;
    return Length(p - Point2(a.x + ab.x * t, a.y + ab.y * t));
}

}  // namespace

PickArea::PickArea(const HitRegion& region) : crossing_(region.crossingFlag != 0) {
    Point2 a = toPoint2(region.a), b = toPoint2(region.b);
    switch (region.regionKind) {
        case HITREGION_RECT:
            lo_ = Point2(std::min(a.x, b.x), std::min(a.y, b.y));
            hi_ = Point2(std::max(a.x, b.x), std::max(a.y, b.y));
            break;
        case HITREGION_CIRCLE:
            shape_ = Shape::Circle;
            centre_ = a;
            radius_ = Length(b - a);
            break;
        default: {  // a point region: the square of +-size pixels around it
            float s = static_cast<float>(std::max(region.size, 0));
            lo_ = Point2(a.x - s, a.y - s);
            hi_ = Point2(a.x + s, a.y + s);
        }
    }
}

bool PickArea::containsPoint(const Point2& p) const {
    if (shape_ == Shape::Circle) return Length(p - centre_) <= radius_;
    return p.x >= lo_.x && p.x <= hi_.x && p.y >= lo_.y && p.y <= hi_.y;
}

bool PickArea::touchesSegment(const Point2& a, const Point2& b) const {
    if (shape_ == Shape::Circle) return distanceToSegment(centre_, a, b) <= radius_;
    double t0, t1;
    return clipSegment(a.x, a.y, b.x, b.y, lo_.x, lo_.y, hi_.x, hi_.y, t0, t1);
}

bool PickArea::touchesBox(const Point2& lo, const Point2& hi) const {
    if (shape_ == Shape::Circle) {
        Point2 nearest(std::clamp(centre_.x, lo.x, hi.x), std::clamp(centre_.y, lo.y, hi.y));
        return Length(nearest - centre_) <= radius_;
    }
    return lo.x <= hi_.x && hi.x >= lo_.x && lo.y <= hi_.y && hi.y >= lo_.y;
}

bool PickArea::containsBox(const Point2& lo, const Point2& hi) const {
    return containsPoint(lo) && containsPoint(hi) && containsPoint(Point2(lo.x, hi.y)) &&
           containsPoint(Point2(hi.x, lo.y));
}
