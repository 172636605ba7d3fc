// Box brushes: in every form, the six planes read back enclose exactly the box; bad
// corners are refused with a reason.
#include <gtest/gtest.h>
#include <cmath>
#include "box_brush.h"
#include "mapfile_test_support.h"

namespace {

double side(const MapPlane& plane, const MapVector& p) {
    return plane.normal.x * p.x + plane.normal.y * p.y + plane.normal.z * p.z - plane.distance;
}

TEST(BoxBrush, EachFormsPlanesEncloseExactlyTheBox) {
    const MapVector boxes[][2] = {{{0, 0, 0}, {64, 64, 64}},
                                  {{-128, -16, -8}, {128, 16, 0}},
                                  {{0.5, 1.25, -3}, {1.5, 3, 200}},
                                  {{-4096, -4096, -16}, {4096, 4096, 0}}};
    const BoxForm forms[] = {BoxForm::Plain, BoxForm::TextureAxes, BoxForm::PointsMatrix,
                             BoxForm::PlaneEquations};
    for (BoxForm form : forms)
        for (const auto& box : boxes) {
            const std::string what = "form " + std::to_string(static_cast<int>(form)) + " box at " +
                                     std::to_string(box[0].x);
            ASSERT_EQ(boxProblem(box[0], box[1]), "") << what;
            const MapText map =
                readMap("{\n" + boxBrushText(form, box[0], box[1], "wall") + "\n}\n");
            ASSERT_EQ(map.planes.size(), 6u) << what;
            const MapVector centre{(box[0].x + box[1].x) / 2, (box[0].y + box[1].y) / 2,
                                   (box[0].z + box[1].z) / 2};
            for (const MapPlane& plane : map.planes) {
                const MapVector& n = plane.normal;
                EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0, 1e-9)
                    << what << ": a degenerate face";
                EXPECT_LT(side(plane, centre), 0) << what << ": the centre is outside a face";
            }
            for (int corner = 0; corner < 8; ++corner) {
                const MapVector p{box[corner & 1].x, box[(corner >> 1) & 1].y,
                                  box[(corner >> 2) & 1].z};
                int on = 0;
                for (const MapPlane& plane : map.planes) {
                    EXPECT_LE(side(plane, p), 1e-6) << what << ": corner " << corner;
                    on += std::fabs(side(plane, p)) < 1e-6;
                }
                EXPECT_EQ(on, 3) << what << ": corner " << corner;
            }
        }
}

TEST(BoxBrush, CornersThatMakeNoBoxAreRefused) {
    const struct {
        MapVector low, high;
        const char* problem;
    } bad[] = {{{0, 0, 0}, {64, 0.5, 64}, "thinner than one unit"},
               {{0, 0, 64}, {64, 64, 0}, "inverted"},
               {{0, 0, 0}, {NAN, 64, 64}, "not a finite number"},
               {{0, 0, -INFINITY}, {64, 64, 64}, "not a finite number"}};
    for (const auto& box : bad)
        EXPECT_NE(boxProblem(box.low, box.high).find(box.problem), std::string::npos)
            << box.problem;
}

}  // namespace
