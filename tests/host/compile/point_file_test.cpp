// Point files: points read, junk lines skipped and counted; the path drawn over a view.
#include <gtest/gtest.h>
#include "render/point_path.h"
#include "session/point_file.h"

namespace {

TEST(PointFiles, PointsAreReadAndJunkLinesCounted) {
    const struct {
        const char* text;
        size_t points, skipped;
        int firstSkipped;
    } cases[] = {
        {"0 0 0\n1.5 -2 3e2\r\n\n  4\t5 6  \n", 3, 0, 0},
        {"1 2 3\nleak\n1 2\n1 2 3 4\nnan 1 1\n7 8 9", 2, 4, 2},
        {"\x01\xff\n1 2 3\n", 1, 1, 1},
        {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        PointFile file;
        parsePointFile(c.text, file);
        EXPECT_EQ(file.points.size(), c.points) << c.text;
        EXPECT_EQ(file.skipped, c.skipped) << c.text;
        EXPECT_EQ(file.firstSkippedLine, c.firstSkipped) << c.text;
    }
    PointFile file;
    parsePointFile("1.5 -2 300\n", file);
    EXPECT_EQ(file.points[0].y, -2.0f);
    EXPECT_EQ(file.points[0].z, 300.0f);
    EXPECT_EQ(file.summary(), "Leak: 1 point");
}

int pixelsOf(const Framebuffer& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

TEST(PointFiles, ThePathIsDrawnWithItsStartMarked) {
    SoftwareViewport view(ViewKind::Top, 200, 200);
    view.camera().zoomToBox(Box3(Point3(-100, -100, 0), Point3(100, 100, 0)), 200, 200);
    view.image().clear({0, 0, 0});
    drawPointPath(view, {Point3(-50, 0, 0), Point3(50, 0, 0), Point3(50, 50, 0)});
    EXPECT_GT(pixelsOf(view.image(), POINT_PATH_COLOUR), 100);
    EXPECT_GT(pixelsOf(view.image(), POINT_PATH_START), 20);
    view.image().clear({0, 0, 0});
    drawPointPath(view, {});
    EXPECT_EQ(pixelsOf(view.image(), POINT_PATH_COLOUR), 0);
}

}  // namespace
