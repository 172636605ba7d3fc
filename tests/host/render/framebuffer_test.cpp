// Raster output: lines clipped to the image and depth tested.
#include <gtest/gtest.h>
#include <cmath>
#include "render/framebuffer.h"

namespace {

TEST(Framebuffer, LinesAreClippedAndDepthTested) {
    Framebuffer fb(20, 10);
    fb.clear({0, 0, 0});
    const Rgb red{255, 0, 0}, blue{0, 0, 255};
    fb.drawLine(-100, 5, 1, 100, 5, 1, red, true);  // far beyond both edges
    for (int x = 0; x < 20; ++x) EXPECT_EQ(fb.pixel(x, 5), red) << x;
    fb.drawLine(3, 0, 0.5f, 3, 9, 0.5f, blue, true);  // behind the red line
    EXPECT_EQ(fb.pixel(3, 5), red);
    EXPECT_EQ(fb.pixel(3, 4), blue);
    fb.drawLine(4, 0, 0.5f, 4, 9, 0.5f, blue, false);  // drawn over everything
    EXPECT_EQ(fb.pixel(4, 5), blue);
    EXPECT_EQ(fb.pixel(0, 0), Rgb({0, 0, 0}));
}

// Ends that no transform should give, yet a scene can: lines keep to the image, and a
// line with an end that is no number is not drawn at all.
TEST(Framebuffer, EndsThatAreNotNumbersOrFarOffAreClippedOrSkipped) {
    const float inf = INFINITY, nan = NAN, huge = 3e38f;
    struct Case {
        float x0, y0, x1, y1;
        int drawnInRow5;  // pixels of row 5 drawn
    } cases[] = {
        {5, 5, huge, 5, 15},  {-huge, 5, huge, 5, 20}, {huge, 5, -huge, 5, 20},
        {5, 5, inf, 5, 0},    {nan, 5, 5, 5, 0},       {5, 5, 5, nan, 0},
        {-inf, 5, inf, 5, 0}, {huge, 5, huge, 6, 0},
    };
    for (const Case& c : cases) {
        Framebuffer fb(20, 10);
        fb.clear({0, 0, 0});
        fb.drawLine(c.x0, c.y0, 1, c.x1, c.y1, 1, {255, 0, 0}, true);
        int drawn = 0;
        for (int x = 0; x < 20; ++x) drawn += fb.pixel(x, 5) != Rgb({0, 0, 0});
        EXPECT_EQ(drawn, c.drawnInRow5) << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1;
    }
}

}  // namespace
