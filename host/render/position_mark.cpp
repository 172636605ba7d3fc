#include "render/position_mark.h"

void drawPositionMark(SoftwareViewport& view, const Point3& position) {
    Point2 at;
    if (!view.mousePosition(position, at)) return;
    Framebuffer& image = view.image();
    constexpr float arm = 10, ring = 6;
    // Two pixels wide, as the leak's path: it has to stand out of the outlines around it.
    for (float d : {0.0f, 1.0f}) {
        image.drawLine(at.x - arm, at.y + d, 0, at.x + arm, at.y + d, 0, POSITION_MARK_COLOUR,
                       false);
        image.drawLine(at.x + d, at.y - arm, 0, at.x + d, at.y + arm, 0, POSITION_MARK_COLOUR,
                       false);
    }
    const Point2 corners[] = {
        {at.x, at.y - ring}, {at.x + ring, at.y}, {at.x, at.y + ring}, {at.x - ring, at.y}};
    for (int i = 0; i < 4; ++i) {
        const Point2 &a = corners[i], &b = corners[(i + 1) % 4];
        image.drawLine(a.x, a.y, 0, b.x, b.y, 0, POSITION_MARK_COLOUR, false);
    }
}
