#include "render/point_path.h"

namespace {

void drawSquare(Framebuffer& image, const Point2& at, float half, Rgb colour) {
    const float l = at.x - half, r = at.x + half, t = at.y - half, b = at.y + half;
    image.drawLine(l, t, 0, r, t, 0, colour, false);
    image.drawLine(r, t, 0, r, b, 0, colour, false);
    image.drawLine(r, b, 0, l, b, 0, colour, false);
    image.drawLine(l, b, 0, l, t, 0, colour, false);
}

}  // namespace

void drawPointPath(SoftwareViewport& view, const std::vector<Point3>& points, int current) {
    Framebuffer& image = view.image();
    Point2 previous;
    bool previousShown = false;
    for (const Point3& point : points) {
        Point2 at;
        const bool shown = view.mousePosition(point, at);
        // Two pixels wide, so that the path stands out of the brush outlines it crosses.
        if (shown && previousShown)
            for (float d : {0.0f, 1.0f})
                image.drawLine(previous.x + d, previous.y, 0, at.x + d, at.y, 0, POINT_PATH_COLOUR,
                               false);
        previous = at;
        previousShown = shown;
    }
    Point2 at;
    if (!points.empty() && view.mousePosition(points.front(), at))
        for (float half : {4.0f, 5.0f}) drawSquare(image, at, half, POINT_PATH_START);
    if (current >= 0 && current < static_cast<int>(points.size()) &&
        view.mousePosition(points[current], at))
        drawSquare(image, at, 8.0f, POINT_PATH_START);
}
