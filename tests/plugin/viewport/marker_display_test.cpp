// The marker a helper draws, checked call by call on a recording window.
#include <gtest/gtest.h>
#include <cstring>
#include "call_recorder.h"
#include "entity/entity_helper.h"

namespace {

Matrix3 rotatedAndMoved() {
    Matrix3 tm(true);
    tm.RotateZ(0.5f);
    tm.SetTrans(Point3(5, 6, 7));
    return tm;
}

struct Scene1 {
    RecordingViewport vpt;
    RecordingNode node{vpt.log};
    VexalEntityHelper helper{"func_door"};

    CallLog draw() {
        vpt.log.clear();
        EXPECT_EQ(helper.drawInViewport(0, &node, &vpt, 0), 0);
        return callsOf(vpt.log, "gw.");
    }
};

TEST(MarkerDisplay, SelectedRotatedHelperDrawsLabelledArrowArmsThenItsPivotRing) {
    Scene1 s;
    s.node.transform = rotatedAndMoved();
    s.node.selected = 1;
    CallLog expected = {
        "gw.setDrawTransform " + text(Matrix3(true)),
        "gw.setDrawTransform " + text(rotatedAndMoved()),
        "gw.renderFlags",
        "gw.setRenderFlags 0x2",
        "gw.setDrawColor 2 (1,1,1)",
        "gw.setDrawColor 0 (1,1,1)",
        "gw.drawText (20,0,0) x",
        "gw.drawPolyline 2 (0,0,0) (20,0,0)",
        "gw.drawPolyline 2 (20,0,0) (18,-2,0)",
        "gw.drawPolyline 2 (20,0,0) (18,2,0)",
        "gw.drawText (0,20,0) y",
        "gw.drawPolyline 2 (0,0,0) (0,20,0)",
        "gw.drawPolyline 2 (0,20,0) (2,18,0)",
        "gw.drawPolyline 2 (0,20,0) (-2,18,0)",
        "gw.drawText (0,0,20) z",
        "gw.drawPolyline 2 (0,0,0) (0,0,20)",
        "gw.drawPolyline 2 (0,0,20) (0,2,18)",
        "gw.drawPolyline 2 (0,0,20) (0,-2,18)",
        "gw.setRenderFlags 0x22",
        "gw.setDrawTransform " + text(rotatedAndMoved()),
        "gw.setDrawColor 0 (1,0.9,0)",
        "gw.drawPointMarker (0,0,0) 4",
    };
    EXPECT_EQ(s.draw(), expected);
    // The scale factor is asked at the pivot, and the transform is fetched without interval.
    EXPECT_EQ(callsOf(s.vpt.log, "vp."), CallLog{"vp.screenScaleAt (5,6,7)"});
    EXPECT_EQ(callsOf(s.vpt.log, "node.objectTransformAt"),
              CallLog{"node.objectTransformAt 0 null"});
    // The window is left with the unscaled object transform and its own flags.
    EXPECT_EQ(s.vpt.gw.transform, rotatedAndMoved());
    EXPECT_EQ(s.vpt.gw.flags, GW_Z_BUFFER | GW_WIREFRAME);
}

TEST(MarkerDisplay, TripodScalesAboutThePivotByTheViewportFactor) {
    Scene1 s;
    s.node.transform = rotatedAndMoved();
    s.vpt.scaleAt = [](const Point3&) { return 400.0f; };  // tripodZoom 2
    Matrix3 scaled = rotatedAndMoved();
    for (int i = 0; i < 3; ++i) scaled.rows[i] = scaled.rows[i] * 2.0f;
    CallLog calls = s.draw();
    EXPECT_EQ(calls[1], "gw.setDrawTransform " + text(scaled));
}

TEST(MarkerDisplay, WithoutAxisOnlyTransformsColourAndMarker) {
    struct Case {
        int selected, frozen;
        bool colour;
    } cases[] = {{0, 0, true}, {1, 0, true}, {0, 1, false}, {1, 1, false}};
    for (const Case& c : cases) {
        Scene1 s;
        s.helper.showAxis = 0;
        s.node.transform = rotatedAndMoved();
        s.node.selected = c.selected;
        s.node.frozen = c.frozen;
        CallLog expected = {"gw.setDrawTransform " + text(Matrix3(true)),
                            "gw.setDrawTransform " + text(rotatedAndMoved())};
        if (c.colour) expected.push_back("gw.setDrawColor 0 (1,0.9,0)");
        expected.push_back("gw.drawPointMarker (0,0,0) 4");
        EXPECT_EQ(s.draw(), expected) << "selected " << c.selected << " frozen " << c.frozen;
        EXPECT_TRUE(callsOf(s.vpt.log, "vp.").empty());
    }
}

TEST(MarkerDisplay, ColourOutcomeFollowsSelectionAndFreezing) {
    struct Case {
        int selected, frozen;
        CallLog colours;
    } cases[] = {
        {1,
         0,
         {"gw.setDrawColor 2 (1,1,1)", "gw.setDrawColor 0 (1,1,1)", "gw.setDrawColor 0 (1,0.9,0)"}},
        {1, 1, {"gw.setDrawColor 2 (1,1,1)", "gw.setDrawColor 0 (1,1,1)"}},
        {0,
         0,
         {"gw.setDrawColor 2 (0.4,0.4,0.4)", "gw.setDrawColor 0 (0.4,0.4,0.4)",
          "gw.setDrawColor 0 (1,0.9,0)"}},
        {0, 1, {}},
    };
    for (const Case& c : cases) {
        Scene1 s;
        s.node.selected = c.selected;
        s.node.frozen = c.frozen;
        EXPECT_EQ(callsOf(s.draw(), "gw.setDrawColor"), c.colours)
            << "selected " << c.selected << " frozen " << c.frozen;
    }
}

CallLog tripodGeometry(float length, float scale = 200.0f) {
    Scene1 s;
    s.helper.axisLength = length;
    s.vpt.scaleAt = [scale](const Point3&) { return scale; };
    CallLog geometry;
    for (const std::string& call : s.draw())
        if (call.rfind("gw.drawText", 0) == 0 || call.rfind("gw.drawPolyline", 0) == 0)
            geometry.push_back(call);
    return geometry;
}

TEST(MarkerDisplay, ZeroLengthPutsEveryTripodPointOnThePivot) {
    CallLog expected;
    for (const char* label : {"x", "y", "z"}) {
        expected.push_back(std::string("gw.drawText (0,0,0) ") + label);
        for (int stroke = 0; stroke < 3; ++stroke)
            expected.push_back("gw.drawPolyline 2 (0,0,0) (0,0,0)");
    }
    EXPECT_EQ(tripodGeometry(0.0f), expected);
}

TEST(MarkerDisplay, NegativeLengthPointsTheArmsBackwardsWithSymmetricHeads) {
    CallLog expected = {
        "gw.drawText (-20,0,0) x",
        "gw.drawPolyline 2 (0,0,0) (-20,0,0)",
        "gw.drawPolyline 2 (-20,0,0) (-18,2,0)",
        "gw.drawPolyline 2 (-20,0,0) (-18,-2,0)",
        "gw.drawText (0,-20,0) y",
        "gw.drawPolyline 2 (0,0,0) (0,-20,0)",
        "gw.drawPolyline 2 (0,-20,0) (-2,-18,0)",
        "gw.drawPolyline 2 (0,-20,0) (2,-18,0)",
        "gw.drawText (0,0,-20) z",
        "gw.drawPolyline 2 (0,0,0) (0,0,-20)",
        "gw.drawPolyline 2 (0,0,-20) (0,-2,-18)",
        "gw.drawPolyline 2 (0,0,-20) (0,2,-18)",
    };
    EXPECT_EQ(tripodGeometry(-20.0f), expected);
}

TEST(MarkerDisplay, ZeroScaleCollapsesTheTripodTransformOntoThePivot) {
    Scene1 s;
    s.node.transform = rotatedAndMoved();
    s.vpt.scaleAt = [](const Point3&) { return 0.0f; };
    Matrix3 collapsed(Point3(0, 0, 0), Point3(0, 0, 0), Point3(0, 0, 0), Point3(5, 6, 7));
    CallLog calls = s.draw();
    EXPECT_EQ(calls[1], "gw.setDrawTransform " + text(collapsed));
    // Lengths in the tripod's own space are unchanged; the transform does the collapsing.
    EXPECT_EQ(tripodGeometry(20.0f, 0.0f), tripodGeometry(20.0f, 200.0f));
}

TEST(MarkerDisplay, ArrowRuleIsComputedForAnyArm) {
    struct Case {
        Point3 arm;
        const char* head1;
        const char* head2;
    } cases[] = {
        {{3, 4, 5}, "(3.1,3.3,5)", "(2.3,3.9,4)"},   // spread (4,-3,5)
        {{0, 0, 10}, "(0,1,9)", "(0,-1,9)"},         // along Z: spread (0,10,0)
        {{0, 5, 0}, "(0.5,4.5,0)", "(-0.5,4.5,0)"},  // Y counts as "x or y nonzero"
        {{0, 0, 0}, "(0,0,0)", "(0,0,0)"},           // zero arm: zero spread
    };
    for (const Case& c : cases) {
        RecordingViewport vpt;
        VexalEntityHelper helper("light");
        helper.drawAxisArrow(&vpt, c.arm);
        std::string tip = text(c.arm);
        EXPECT_EQ(vpt.log, (CallLog{"gw.drawPolyline 2 (0,0,0) " + tip,
                                    "gw.drawPolyline 2 " + tip + " " + c.head1,
                                    "gw.drawPolyline 2 " + tip + " " + c.head2}))
            << tip;
    }
}

TEST(MarkerDisplay, ClassnameAndRecordDoNotChangeTheDrawing) {
    Scene1 door, light;
    std::strcpy(light.helper.classname, "light");
    light.helper.lookupClassIndex();
    std::memset(&light.helper.props, 0x5A, sizeof light.helper.props);
    EXPECT_EQ(door.draw(), light.draw());
}

TEST(MarkerDisplay, FrozenSelectedMarkerInheritsTheTripodWhite) {
    Scene1 s;
    s.node.selected = 1;
    s.node.frozen = 1;
    CallLog calls = s.draw();
    CallLog colours = callsOf(calls, "gw.setDrawColor 0");
    ASSERT_FALSE(colours.empty());
    EXPECT_EQ(colours.back(), "gw.setDrawColor 0 (1,1,1)");
    EXPECT_EQ(calls.back(), "gw.drawPointMarker (0,0,0) 4");
}

}  // namespace
