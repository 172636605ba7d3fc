// The pick areas a helper's hit regions test against.
#include <gtest/gtest.h>
#include "render/pick_area.h"

namespace {

TEST(PickArea, PointRectangleAndCircleRegions) {
    HitRegion point, rect, circle;
    IPoint2 p[2] = {IPoint2(50, 50), IPoint2(80, 70)};
    MakeHitRegion(point, HITREGION_POINT, 0, 4, p);
    MakeHitRegion(rect, HITREGION_RECT, 1, 4, p);
    MakeHitRegion(circle, HITREGION_CIRCLE, 1, 4, p);
    PickArea square(point), box(rect), round(circle);
    struct Case {
        const PickArea* area;
        Point2 a, b;
        bool touches, inside;
    } cases[] = {
        {&square, {46, 40}, {46, 60}, true, false},   // runs through the square's left edge
        {&square, {45, 40}, {45, 60}, false, false},  // one pixel beyond it
        {&square, {49, 49}, {51, 51}, true, true},   {&box, {60, 60}, {70, 65}, true, true},
        {&box, {60, 60}, {90, 65}, true, false},     {&box, {10, 10}, {40, 90}, false, false},
        {&box, {40, 60}, {90, 60}, true, false},   // crosses without an end inside
        {&round, {50, 50}, {50, 50}, true, true},  // radius |(30,20)| = 36
        {&round, {85, 50}, {84, 55}, true, true},    {&round, {87, 50}, {87, 40}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.area->touchesSegment(c.a, c.b), c.touches)
            << c.a.x << "," << c.a.y << "-" << c.b.x << "," << c.b.y;
        EXPECT_EQ(c.area->containsPoint(c.a) && c.area->containsPoint(c.b), c.inside);
    }
    EXPECT_TRUE(square.touchesBox(Point2(54, 54), Point2(60, 60)));
    EXPECT_FALSE(square.touchesBox(Point2(55, 54), Point2(60, 60)));
    EXPECT_TRUE(box.containsBox(Point2(50, 50), Point2(80, 70)));
    EXPECT_FALSE(box.containsBox(Point2(49, 50), Point2(80, 70)));
}

}  // namespace
