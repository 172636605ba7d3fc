#include "interaction/arrow_nudge.h"

bool arrowNudge(WPARAM key, const Matrix3& plane, float step, Point3& offset) {
    // The plane's x axis runs right on screen, its y axis up, its z axis towards the eye.
    const struct {
        WPARAM key;
        int axis;
        float sign;
    } keys[] = {
        {VK_RIGHT, 0, 1}, {VK_LEFT, 0, -1}, {VK_UP, 1, 1},
        {VK_DOWN, 1, -1}, {VK_PRIOR, 2, 1}, {VK_NEXT, 2, -1},
    };
    for (const auto& k : keys)
        if (k.key == key) {
            offset = plane.GetRow(k.axis) * (k.sign * step);
            return true;
        }
    return false;
}
