// The convex hull of points in space, as its triangles and who borders whom: what a brush's
// edges are found from, through the duals of its planes. Quickhull: about n log n for the
// points of a brush's planes.
#pragma once
#include <array>
#include <vector>

struct HullPoint {
    double x, y, z;
};

struct HullTriangle {
    std::array<int, 3> corners;     // indices of points, counter-clockwise seen from outside
    std::array<int, 3> neighbours;  // across the edge from corner k to corner k + 1
    HullPoint normal;               // outward; normal . p = offset on the triangle's plane
    double offset;
};

// False when the points span no volume, or rounding tore the hull apart.
bool convexHull(const std::vector<HullPoint>& points, std::vector<HullTriangle>& hull);
