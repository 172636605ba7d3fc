// A leak's path, as a compiler leaves it in a point file: drawn in a view bright and over
// everything, its first point (the leaking entity's side) marked, and the point being
// looked at (Next/Previous Point) ringed.
#pragma once
#include <vector>
#include "render/software_viewport.h"

constexpr Rgb POINT_PATH_COLOUR = {255, 40, 40};
constexpr Rgb POINT_PATH_START = {255, 230, 0};

// current: the index of the point looked at, or -1.
void drawPointPath(SoftwareViewport& view, const std::vector<Point3>& points, int current = -1);
