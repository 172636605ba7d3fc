// The window area of a pick region, and whether drawn pieces touch it or lie inside it.
// Positions are window pixels with y down from the top row, as mouse positions are.
#pragma once
#include "vexsdk/viewport.h"

class PickArea {
public:
    PickArea() = default;
    explicit PickArea(const HitRegion& region);

    // Whether a touch is enough (crossing) or a piece must lie wholly inside.
    bool crossing() const { return crossing_; }
    bool touchesSegment(const Point2& a, const Point2& b) const;
    bool containsPoint(const Point2& p) const;
    // An axis-aligned window box (markers, texts).
    bool touchesBox(const Point2& lo, const Point2& hi) const;
    bool containsBox(const Point2& lo, const Point2& hi) const;

private:
    enum class Shape { Rectangle, Circle } shape_ = Shape::Rectangle;
    bool crossing_ = false;
    Point2 lo_, hi_;  // rectangle
    Point2 centre_;   // circle
    float radius_ = 0;
};
