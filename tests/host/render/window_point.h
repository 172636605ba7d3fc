// Where a world point shows in a view: its window position, mouse-style (y down).
#pragma once
#include <gtest/gtest.h>
#include "render/software_viewport.h"

inline Point2 at(SoftwareViewport& view, const Point3& world) {
    Point2 w;
    EXPECT_TRUE(view.mousePosition(world, w));
    return w;
}
