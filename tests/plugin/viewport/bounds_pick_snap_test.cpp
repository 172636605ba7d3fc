// Boxes, pick verdicts and snap decisions of a helper, against recording viewports.
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include "call_recorder.h"
#include "entity/entity_helper.h"

namespace {

struct Fixture {
    RecordingViewport vpt;
    RecordingNode node{vpt.log};
    VexalEntityHelper helper{"light"};

    Box3 local() {
        Box3 box;
        helper.localBounds(0, &node, &vpt, box);
        return box;
    }
    Box3 world() {
        Box3 box;
        helper.worldBounds(0, &node, &vpt, box);
        return box;
    }
};

std::string text(const Box3& b) { return text(b.pmin) + "-" + text(b.pmax); }

TEST(Bounds, WorldBoxFollowsTheNodeWhileTheLocalBoxStaysAtTheOrigin) {
    Fixture f;
    EXPECT_EQ(text(f.world()), "(-14,-14,-14)-(30,30,30)");
    EXPECT_EQ(text(f.local()), "(-14,-14,-14)-(30,30,30)");
    f.node.transform.SetTrans(Point3(100, 0, 0));
    EXPECT_EQ(text(f.world()), "(86,-14,-14)-(130,30,30)");
    EXPECT_EQ(text(f.local()), "(-14,-14,-14)-(30,30,30)");
}

TEST(Bounds, BoxesFollowAxisFlagScaleAndTransform) {
    Matrix3 turned(true);
    turned.RotateZ(1.5707964f);  // X arm along +Y
    turned.SetTrans(Point3(100, 0, 0));
    Matrix3 doubled = ScaleMatrix(Point3(2, 2, 2));
    struct Case {
        const char* what;
        int showAxis;
        float scale;
        Matrix3 tm;
        const char* world;
        const char* local;
    } cases[] = {
        {"no axis", 0, 200, Matrix3(true), "(-10,-10,-10)-(10,10,10)", "(-10,-10,-10)-(10,10,10)"},
        {"no axis, zoom 2", 0, 400, TransMatrix(Point3(1, 2, 3)), "(-4,-3,-2)-(6,7,8)",
         "(-5,-5,-5)-(5,5,5)"},
        {"zero scale uses 1", 1, 0, Matrix3(true), "(-14,-14,-14)-(30,30,30)",
         "(-14,-14,-14)-(30,30,30)"},
        {"zoom 2: arms 40, margin 5", 1, 400, Matrix3(true), "(-13,-13,-13)-(45,45,45)",
         "(-13,-13,-13)-(45,45,45)"},
        {"rotated: world box turns, local does not", 1, 200, turned, "(70,-14,-14)-(114,30,30)",
         "(-14,-14,-14)-(30,30,30)"},
        {"node scale grows the world box only", 1, 200, doubled, "(-18,-18,-18)-(50,50,50)",
         "(-14,-14,-14)-(30,30,30)"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.helper.showAxis = c.showAxis;
        float scale = c.scale;
        f.vpt.scaleAt = [scale](const Point3&) { return scale; };
        f.node.transform = c.tm;
        Box3 world = f.world();
        // Rotations carry float noise: compare at the printed precision, rounded.
        for (int i = 0; i < 3; ++i) {
            world.pmin[i] = std::round(world.pmin[i] * 1000) / 1000;
            world.pmax[i] = std::round(world.pmax[i] * 1000) / 1000;
        }
        EXPECT_EQ(text(world), c.world) << c.what;
        EXPECT_EQ(text(f.local()), c.local) << c.what;
    }
}

TEST(Bounds, LocalBoxIsSizedWithTheScaleAtTheWorldPosition) {
    Fixture f;
    f.node.transform.SetTrans(Point3(100, 0, 0));
    f.vpt.scaleAt = [](const Point3& p) { return p.x == 100 ? 400.0f : 200.0f; };
    EXPECT_EQ(text(f.local()), "(-13,-13,-13)-(45,45,45)");
    EXPECT_EQ(callsOf(f.vpt.log, "vp."), CallLog{"vp.screenScaleAt (100,0,0)"});
}

TEST(Bounds, CollapseBitShrinksOnlyTheWorldBoxToThePivot) {
    struct Case {
        int flags;
        const char* world;
    } cases[] = {
        {0x20, "(100,0,0)-(100,0,0)"},
        {0x7F, "(100,0,0)-(100,0,0)"},
        {0x10, "(86,-14,-14)-(130,30,30)"},
        {0x40, "(86,-14,-14)-(130,30,30)"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.node.transform.SetTrans(Point3(100, 0, 0));
        f.helper.storeDisplayFlags(c.flags);
        EXPECT_EQ(f.helper.extDispFlags, c.flags);
        EXPECT_EQ(text(f.world()), c.world) << c.flags;
        EXPECT_EQ(text(f.local()), "(-14,-14,-14)-(30,30,30)") << c.flags;
    }
}

TEST(Pick, VerdictByRegionKindCrossingAndWindowHit) {
    struct Case {
        int kind, crossing, windowHit, result;
        bool consulted;
    } cases[] = {
        {1, 0, 0, 0, true},  {1, 0, 1, 1, true},  {1, 1, 0, 0, true},  {1, 1, 1, 1, true},
        {2, 0, 0, 1, false}, {3, 0, 0, 1, false}, {0, 0, 0, 1, false}, {2, 1, 0, 0, true},
        {2, 1, 1, 1, true},  {3, 1, 1, 1, true},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.vpt.gw.hitCode = c.windowHit;
        IPoint2 pts[2] = {IPoint2(10, 20), IPoint2(30, 40)};
        int result = f.helper.pickTest(0, &f.node, c.kind, c.crossing, 0, pts, &f.vpt);
        EXPECT_EQ(result, c.result) << c.kind << "/" << c.crossing << "/" << c.windowHit;
        EXPECT_EQ(callsOf(f.vpt.log, "gw.pickHit").size(), c.consulted ? 1u : 0u);
        EXPECT_EQ(f.vpt.gw.region.regionKind, c.kind);
        EXPECT_EQ(f.vpt.gw.region.crossingFlag, c.crossing);
        EXPECT_EQ(f.vpt.gw.region.size, 4);
        EXPECT_EQ(f.vpt.gw.region.a, IPoint2(10, 20));
    }
}

TEST(Pick, DrawsTripodAndMarkerInPickModeAndRestoresFlags) {
    Fixture f;
    f.node.transform = TransMatrix(Point3(1, 2, 3));
    f.node.selected = 1;  // picking draws as unselected whatever the node says
    IPoint2 mouse(5, 5);
    f.helper.pickTest(0, &f.node, 1, 0, 0, &mouse, &f.vpt);
    CallLog calls = callsOf(f.vpt.log, "gw.");
    CallLog head(calls.begin(), calls.begin() + 6);
    EXPECT_EQ(head, (CallLog{"gw.setDrawTransform " + text(Matrix3(true)), "gw.renderFlags",
                             "gw.setRenderFlags 0x1020", "gw.setPickRegion", "gw.clearPickHit",
                             "gw.setDrawTransform " + text(TransMatrix(Point3(1, 2, 3)))}));
    CallLog tail(calls.end() - 4, calls.end());
    EXPECT_EQ(tail,
              (CallLog{"gw.setDrawTransform " + text(TransMatrix(Point3(1, 2, 3))),
                       "gw.drawPointMarker (0,0,0) 4", "gw.setRenderFlags 0x22", "gw.pickHit"}));
    // Inside, the tripod clears 0x20 from the pick word and puts the pick word back.
    EXPECT_EQ(callsOf(calls, "gw.setRenderFlags"),
              (CallLog{"gw.setRenderFlags 0x1020", "gw.setRenderFlags 0x1000",
                       "gw.setRenderFlags 0x1020", "gw.setRenderFlags 0x22"}));
    EXPECT_EQ(callsOf(calls, "gw.setDrawColor"),
              (CallLog{"gw.setDrawColor 2 (0.4,0.4,0.4)", "gw.setDrawColor 0 (0.4,0.4,0.4)"}));
    EXPECT_EQ(callsOf(calls, "gw.drawPolyline").size(), 9u);
    EXPECT_EQ(f.vpt.gw.flags, GW_Z_BUFFER | GW_WIREFRAME);
}

TEST(Pick, WithoutAxisOnlyTheMarkerIsDrawnAndNoColourIsSet) {
    Fixture f;
    f.helper.showAxis = 0;
    IPoint2 mouse(5, 5);
    f.helper.pickTest(0, &f.node, 1, 0, 0, &mouse, &f.vpt);
    CallLog calls = callsOf(f.vpt.log, "gw.");
    EXPECT_TRUE(callsOf(calls, "gw.setDrawColor").empty());
    EXPECT_TRUE(callsOf(calls, "gw.drawPolyline").empty());
    EXPECT_EQ(callsOf(calls, "gw.drawPointMarker"), CallLog{"gw.drawPointMarker (0,0,0) 4"});
}

// --- snapping -------------------------------------------------------------------------

struct SnapFixture : Fixture {
    SnapQuery query;
    IPoint2 mouse{103, 433};

    SnapFixture() {
        vpt.gw.height = 480;
        vpt.gw.projected = Point3(100, 50, 0);
        node.transform = TransMatrix(Point3(7, 8, 0));
        query.snapRadius = 5;
        query.vertexRank = 2;
    }
    bool offer() {
        SnapQuery before = query;
        helper.offerSnap(0, &node, &query, &mouse, &vpt);
        return std::memcmp(&before, &query, sizeof query) != 0;
    }
};

TEST(Snap, PivotWithinTheRadiusBecomesTheBestSnapOutsideItNot) {
    SnapFixture f;
    ASSERT_TRUE(f.offer());
    EXPECT_EQ(f.query.bestDistance, 5);
    EXPECT_EQ(f.query.bestRank, 2);
    EXPECT_EQ(f.query.bestPointScreen, Point2(100, 429));
    EXPECT_EQ(f.query.bestPointWorld, Point3(7, 8, 0));
    EXPECT_EQ(callsOf(f.vpt.log, "gw.projectToWindow"), CallLog{"gw.projectToWindow (0,0,0)"});

    SnapFixture tight;
    tight.query.snapRadius = 4;
    EXPECT_FALSE(tight.offer());
}

TEST(Snap, DistanceIsTruncatedTowardZero) {
    SnapFixture f;
    f.vpt.gw.projected = Point3(104.9f, 50, 0);
    f.mouse = IPoint2(100, 429);
    f.query.snapRadius = 4;
    ASSERT_TRUE(f.offer());
    EXPECT_EQ(f.query.bestDistance, 4);
}

TEST(Snap, RankAndDistanceDecideAgainstTheBestSoFar) {
    struct Case {
        const char* what;
        int vertexRank, bestRank, bestDistance;
        bool accepted;
    } cases[] = {
        {"nothing held yet", 2, 0x7FFFFFFF, 0x7FFFFFFF, true},
        {"vertex outranks a farther-ranked best, even if nearer", 2, 3, 1, true},
        {"equal rank, nearer", 2, 2, 6, true},
        {"equal rank, tie keeps the earlier best", 2, 2, 5, false},
        {"equal rank, farther", 2, 2, 4, false},
        {"more important snap held", 2, 1, 99, false},
        {"vertex snapping off", 0, 0x7FFFFFFF, 0x7FFFFFFF, false},
        {"negative rank is off too", -1, 0x7FFFFFFF, 0x7FFFFFFF, false},
    };
    for (const Case& c : cases) {
        SnapFixture f;
        f.query.vertexRank = c.vertexRank;
        f.query.bestRank = c.bestRank;
        f.query.bestDistance = c.bestDistance;
        EXPECT_EQ(f.offer(), c.accepted) << c.what;
        if (c.accepted) {
            EXPECT_EQ(f.query.bestDistance, 5) << c.what;
        }
    }
}

TEST(Snap, InPlaneToleranceInSnapPlaneSpace) {
    Matrix3 frontPlane(true);  // the XZ plane: plane z is world -y
    frontPlane.RotateX(1.5707964f);
    struct Case {
        const char* what;
        int mode, flags;
        Matrix3 plane;
        Point3 pivot;
        bool accepted;
    } cases[] = {
        {"mode 1, 0.0002 off", 1, 0, Matrix3(true), {7, 8, 0.0002f}, false},
        {"mode 1, 0.00005 off", 1, 0, Matrix3(true), {7, 8, 0.00005f}, true},
        {"flag bit, 0.0002 off", 0, 1, Matrix3(true), {7, 8, 0.0002f}, false},
        {"flag bit, 0.00005 below", 0, 1, Matrix3(true), {7, 8, -0.00005f}, true},
        {"no plane limit, far off", 0, 2, Matrix3(true), {7, 8, 50}, true},
        {"front plane, 0.0002 off", 1, 0, frontPlane, {7, 0.0002f, 3}, false},
        {"front plane, 0.00005 off", 1, 0, frontPlane, {7, 0.00005f, 3}, true},
        {"raised plane, on it", 1, 0, TransMatrix(Point3(0, 0, 10)), {7, 8, 10}, true},
        {"raised plane, pivot at 0", 1, 0, TransMatrix(Point3(0, 0, 10)), {7, 8, 0}, false},
    };
    for (const Case& c : cases) {
        SnapFixture f;
        f.query.snapMode = c.mode;
        f.query.snapFlags = c.flags;
        f.query.snapPlane = c.plane;
        f.node.transform = TransMatrix(c.pivot);
        EXPECT_EQ(f.offer(), c.accepted) << c.what;
    }
}

TEST(Snap, HelperBeingPlacedOffersNothingAndTouchesNoWindow) {
    SnapFixture f;
    f.helper.creating = 1;
    EXPECT_FALSE(f.offer());
    EXPECT_TRUE(f.vpt.log.empty());
}

}  // namespace
