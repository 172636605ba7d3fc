// Box brushes: in every form, the six planes read back enclose exactly the box; bad
// corners are refused with a reason.
#include <gtest/gtest.h>
#include <cmath>
#include <sstream>
#include <tuple>
#include "box_brush.h"
#include "brush_text.h"
#include "map_export.h"
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

// A box given where the node stands is exported there, whether the node kept nothing
// before or moved since its brushes were read; a brush entity made so gets no origin.
TEST(BoxBrush, ABoxIsWrittenWhereItWasGivenAndTheFormFollowsTheScene) {
    const MapVector low{-16, -8, 0}, high{48, 8, 96};
    const std::string plain = boxBrushText(BoxForm::Plain, low, high, "door");
    HelperEntry fresh{"d", Point3(16, 0, 0), makeRecord("func_door"), nullptr};
    fresh.kept = withBox(nullptr, false, fresh.position, BoxForm::Plain, low, high, "door");
    EXPECT_EQ(exportedBrushes(fresh), std::vector<std::string>{plain});
    for (const MapLine& line : exportedLines(fresh)) EXPECT_NE(line.key, "origin");

    KeptEntity read;
    read.anchor = Point3(0, 0, 0);
    read.brushes = {boxBrushText(BoxForm::TextureAxes, {0, 0, 0}, {8, 8, 8}, "old")};
    HelperEntry moved{"m", Point3(32, 0, 0), makeRecord("func_wall"), nullptr};
    const BoxForm form = boxFormBeside(read.brushes[0]);
    moved.kept = withBox(&read, false, moved.position, form, low, high, "door");
    ASSERT_EQ(exportedBrushes(moved).size(), 2u);
    EXPECT_EQ(exportedBrushes(moved)[1], boxBrushText(BoxForm::TextureAxes, low, high, "door"));
    EXPECT_EQ(withoutBrushes(*moved.kept), nullptr) << "nothing else was kept";

    const struct {
        BoxForm form;
    } forms[] = {{BoxForm::Plain},
                 {BoxForm::TextureAxes},
                 {BoxForm::PointsMatrix},
                 {BoxForm::PlaneEquations}};
    for (const auto& f : forms)
        EXPECT_EQ(boxFormBeside(boxBrushText(f.form, low, high, "t")), f.form);
}

// A side dragged moves that face alone, in every form: the brush is still the box, with one
// corner coordinate changed, and only one face line of its text differs.
TEST(BoxBrush, DraggingASideMovesThatFaceAlone) {
    const MapVector low{-32, -16, 0}, high{32, 16, 64};
    const struct {
        int axis;
        bool high;
        double amount;
    } drags[] = {{0, true, 16}, {0, false, -8.5}, {1, true, -12}, {2, false, 32}};
    for (BoxForm form :
         {BoxForm::Plain, BoxForm::TextureAxes, BoxForm::PointsMatrix, BoxForm::PlaneEquations})
        for (const auto& drag : drags) {
            const std::string what = "form " + std::to_string(static_cast<int>(form)) + ", axis " +
                                     std::to_string(drag.axis);
            const std::string box = boxBrushText(form, low, high, "wall");
            const std::string moved = movedFaceText(box, drag.axis, drag.high, drag.amount);
            MapVector wantLow = low, wantHigh = high, gotLow, gotHigh;
            double& changed = drag.axis == 0   ? (drag.high ? wantHigh.x : wantLow.x)
                              : drag.axis == 1 ? (drag.high ? wantHigh.y : wantLow.y)
                                               : (drag.high ? wantHigh.z : wantLow.z);
            changed += drag.amount;
            ASSERT_TRUE(brushBox(moved, gotLow, gotHigh)) << what;
            EXPECT_EQ(
                std::make_tuple(gotLow.x, gotLow.y, gotLow.z, gotHigh.x, gotHigh.y, gotHigh.z),
                std::make_tuple(wantLow.x, wantLow.y, wantLow.z, wantHigh.x, wantHigh.y,
                                wantHigh.z))
                << what;
            std::istringstream before(box), after(moved);
            std::string a, b;
            int differing = 0;
            while (std::getline(before, a) && std::getline(after, b)) differing += a != b;
            EXPECT_EQ(differing, 1) << what << "\n" << moved;
        }
}

// A new box's texture is chosen by counting the scene's: each face's is read in every form,
// and a patch has no face.
TEST(BoxBrush, EveryFacesTextureIsReadInEachForm) {
    for (BoxForm form :
         {BoxForm::Plain, BoxForm::TextureAxes, BoxForm::PointsMatrix, BoxForm::PlaneEquations})
        EXPECT_EQ(faceTextures(boxBrushText(form, {0, 0, 0}, {8, 8, 8}, "base/wall")),
                  std::vector<std::string_view>(6, "base/wall"))
            << static_cast<int>(form);
    EXPECT_TRUE(faceTextures("{\npatchDef2\n{\nw\n( 3 3 0 0 0 )\n(\n)\n}\n}").empty());
}

TEST(BoxBrush, OnlySixFacedAxisAlignedBrushesAreBoxes) {
    const char* notBoxes[] = {
        // a wedge: one sloped face
        "{\n( 0 0 0 ) ( 0 1 0 ) ( 1 0 0 ) w 0 0 0 1 1\n( 0 0 64 ) ( 1 0 64 ) ( 0 1 64 ) w 0 0 0 1 "
        "1\n"
        "( 0 0 0 ) ( 0 0 1 ) ( 0 1 0 ) w 0 0 0 1 1\n( 0 0 0 ) ( 1 0 0 ) ( 0 0 1 ) w 0 0 0 1 1\n"
        "( 0 64 0 ) ( 0 64 1 ) ( 1 64 0 ) w 0 0 0 1 1\n( 64 0 0 ) ( 64 1 0 ) ( 0 0 64 ) w 0 0 0 1 "
        "1\n}",
        "{\npatchDef2\n{\nw\n( 3 3 0 0 0 )\n(\n)\n}\n}", "{\n}"};
    MapVector low, high;
    for (const char* text : notBoxes) EXPECT_FALSE(brushBox(text, low, high)) << text;
}

}  // namespace
