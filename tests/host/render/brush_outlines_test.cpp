// A brush's outlines: every edge once, on the brush's faces, in either winding, and a brush
// of many faces drawn in about n log n of them.
#include <gtest/gtest.h>
#include <chrono>
#include <cmath>
#include <string>
#include "kept_entity.h"
#include "map_text.h"
#include "render/brush_outlines.h"

namespace {

// A plain brush of planes tangent to a sphere of radius 256, their normals spread evenly;
// reversed: wound the other way.
std::string sphereBrush(int faces, bool reversed) {
    std::string text = "{\n";
    const double golden = (1 + std::sqrt(5.0)) / 2, radius = 256;
    for (int i = 0; i < faces; ++i) {
        const double z = 1 - 2 * (i + 0.5) / faces, r = std::sqrt(1 - z * z);
        const double angle = 2 * M_PI * i / golden;
        const double n[3] = {r * std::cos(angle), r * std::sin(angle), z};
        const double a[3] = {std::fabs(n[2]) < 0.9 ? 0.0 : 1.0, 0, std::fabs(n[2]) < 0.9 ? 1.0 : 0};
        double u[3] = {n[1] * a[2] - n[2] * a[1], n[2] * a[0] - n[0] * a[2],
                       n[0] * a[1] - n[1] * a[0]};
        const double length = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]) / 64;
        for (double& c : u) c /= length;
        const double v[3] = {n[1] * u[2] - n[2] * u[1], n[2] * u[0] - n[0] * u[2],
                             n[0] * u[1] - n[1] * u[0]};
        const double p1[3] = {n[0] * radius, n[1] * radius, n[2] * radius};
        char face[300];
        const double* first = reversed ? v : u;
        const double* third = reversed ? u : v;
        std::snprintf(face, sizeof face,
                      "( %.9g %.9g %.9g ) ( %.9g %.9g %.9g ) ( %.9g %.9g %.9g ) WALL 0 0 0 1 1\n",
                      p1[0] + first[0], p1[1] + first[1], p1[2] + first[2], p1[0], p1[1], p1[2],
                      p1[0] + third[0], p1[1] + third[1], p1[2] + third[2]);
        text += face;
    }
    return text + "}";
}

BrushOutlines outlinesOf(const std::string& brush) {
    KeptEntity kept;
    kept.brushes = {brush};
    return computeBrushOutlines(encodeKeptEntity(kept));
}

const struct Outlined {
    const char* name;
    std::string brush;
    size_t edges;
    double seconds;  // at most: a bound far above n log n, far below n squared
} outlinedBrushes[] = {
    {"a box",
     "{\n( 0 0 1 ) ( 0 0 0 ) ( 0 1 0 ) W 0 0 0 1 1\n( 64 1 0 ) ( 64 0 0 ) ( 64 0 1 ) W 0 0 0 1 1\n"
     "( 1 0 0 ) ( 0 0 0 ) ( 0 0 1 ) W 0 0 0 1 1\n( 0 64 1 ) ( 0 64 0 ) ( 1 64 0 ) W 0 0 0 1 1\n"
     "( 0 1 0 ) ( 0 0 0 ) ( 1 0 0 ) W 0 0 0 1 1\n( 1 0 64 ) ( 0 0 64 ) ( 0 1 64 ) W 0 0 0 1 1\n}",
     12, 1},
    // Every corner of a sphere's brush joins three faces: 3 (F - 2) edges by Euler's formula.
    {"200 faces", sphereBrush(200, false), 3 * (200 - 2), 1},
    {"200 faces wound the other way", sphereBrush(200, true), 3 * (200 - 2), 1},
    {"20,000 faces", sphereBrush(20000, false), 3 * (20000 - 2), 10},
};

TEST(BrushOutlines, EveryEdgeOnceOnTheBrushAndManyFacesInTime) {
    for (const Outlined& outlined : outlinedBrushes) {
        const auto start = std::chrono::steady_clock::now();
        const BrushOutlines outlines = outlinesOf(outlined.brush);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        EXPECT_LT(spent.count(), outlined.seconds) << outlined.name;
        EXPECT_EQ(outlines.ends.size(), 2 * outlined.edges) << outlined.name;
        MapText map;
        MapTextError error;
        ASSERT_TRUE(readMapText("{\n" + outlined.brush + "\n}\n", map, error)) << error.message;
        // Each end on the brush: inside every plane, of either winding, within rounding.
        double outside[2] = {0, 0};
        for (const Point3& end : outlines.ends)
            for (const MapPlane& plane : map.planes) {
                const double along = plane.normal.x * end.x + plane.normal.y * end.y +
                                     plane.normal.z * end.z - plane.distance;
                outside[0] = std::max(outside[0], along);
                outside[1] = std::max(outside[1], -along);
            }
        EXPECT_LT(std::min(outside[0], outside[1]), 1e-3) << outlined.name;
    }
}

}  // namespace
