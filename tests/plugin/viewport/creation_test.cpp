// The two-point creation procedure, driven with message sequences as a host sends them.
#include <gtest/gtest.h>
#include <cstring>
#include "call_recorder.h"
#include "entity/entity_helper.h"
#include "viewport/entity_create_callback.h"

namespace {

struct Step {
    int msg, point;
    IPoint2 mouse;
    Point3 snapped;  // what the host's snap answers for this step
    int result;
    int creatingAfter;
    bool moves;  // whether the transform's translation becomes `snapped`
};

Matrix3 turnedNodeMatrix() {
    Matrix3 tm(true);
    tm.RotateY(0.25f);
    tm.SetTrans(Point3(-1, -1, -1));
    return tm;
}

void runSequence(const std::vector<Step>& steps, int flags, const char* what) {
    RecordingViewport vpt;
    VexalEntityHelper helper("trigger_once");
    MouseCreateCallback* cb = helper.creationCallback();
    Matrix3 tm = turnedNodeMatrix();
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        vpt.snapAnswer = s.snapped;
        vpt.log.clear();
        Matrix3 before = tm;
        int result = cb->onMouse(&vpt, s.msg, s.point, flags, s.mouse, tm);
        SCOPED_TRACE(std::string(what) + ", step " + std::to_string(i));
        EXPECT_EQ(result, s.result);
        EXPECT_EQ(helper.creating, s.creatingAfter);
        Matrix3 expected = before;
        if (s.moves) expected.SetTrans(s.snapped);
        EXPECT_EQ(tm, expected);  // only the translation row ever changes
        EXPECT_EQ(tm.flags, expected.flags);
        CallLog snaps = callsOf(vpt.log, "vp.snapPointOnPlane");
        if (s.moves) {
            std::string at =
                "(" + std::to_string(s.mouse.x) + "," + std::to_string(s.mouse.y) + ")";
            EXPECT_EQ(snaps, CallLog{"vp.snapPointOnPlane " + at + " plane=null flags=1"});
            EXPECT_EQ(vpt.lastIn, vpt.lastOut);  // the callback's copy serves as both
        } else {
            EXPECT_TRUE(vpt.log.empty());
        }
    }
}

const Point3 A(10, 20, 0), B(30, 40, 0), C(50, 60, 0);
const IPoint2 M1(100, 200), M2(110, 210), M3(120, 220);

TEST(Creation, EachMouseSequencePlacesTheHelperAndEndsAsTheProcedureSays) {
    struct Sequence {
        const char* what;
        std::vector<Step> steps;
    } sequences[] = {
        {"click, click", {{1, 0, M1, A, 1, 1, true}, {1, 1, M2, B, 0, 0, true}}},
        {"move for point 0 acts like a point",
         {{2, 0, M1, A, 1, 1, true}, {2, 0, M2, B, 1, 1, true}, {1, 1, M3, C, 0, 0, true}}},
        {"moves for point 1 follow the mouse and keep creating",
         {{1, 0, M1, A, 1, 1, true},
          {2, 1, M2, B, 1, 1, true},
          {2, 1, M3, C, 1, 1, true},
          {1, 1, M1, A, 0, 0, true}}},
        {"repeated point 0", {{1, 0, M1, A, 1, 1, true}, {1, 0, M2, B, 1, 1, true}}},
        {"other point indices do nothing",
         {{1, 0, M1, A, 1, 1, true},
          {1, 2, M2, B, 1, 1, false},
          {2, -1, M2, B, 1, 1, false},
          {1, 7, M3, C, 1, 1, false}}},
        {"cancel before anything", {{0, 0, M1, A, -1, 0, false}}},
        {"cancel while placing keeps creating",
         {{1, 0, M1, A, 1, 1, true}, {0, 1, M2, B, -1, 1, false}, {0, 0, M2, B, -1, 1, false}}},
        {"unknown messages do nothing",
         {{3, 0, M1, A, 1, 0, false},
          {1, 0, M1, A, 1, 1, true},
          {99, 1, M2, B, 1, 1, false},
          {-5, 1, M2, B, 1, 1, false}}},
    };
    for (const Sequence& s : sequences) {
        runSequence(s.steps, 0, s.what);
        runSequence(s.steps, 0x7FFF, s.what);  // the flags argument never matters
    }
}

TEST(Creation, CallbackIsSharedAndReAimedForEachHelper) {
    VexalEntityHelper first("func_door"), second("light");
    MouseCreateCallback* a = first.creationCallback();
    EXPECT_EQ(a, static_cast<MouseCreateCallback*>(&entityCreateCallback));
    EXPECT_EQ(entityCreateCallback.target, &first);
    MouseCreateCallback* b = second.creationCallback();
    EXPECT_EQ(a, b);
    EXPECT_EQ(entityCreateCallback.target, &second);

    RecordingViewport vpt;
    Matrix3 tm(true);
    b->onMouse(&vpt, 1, 0, 0, M1, tm);
    b->onMouse(&vpt, 1, 1, 0, M1, tm);
    EXPECT_EQ(first.creating, 0);
    EXPECT_EQ(entityCreateCallback.target, &second);  // kept after creation ends
    EXPECT_EQ(b->adjustMode(3), 3);
    EXPECT_EQ(b->adjustMode(-8), -8);
}

TEST(Creation, HelperDoesNotSnapToItselfWhilePlaced) {
    RecordingViewport vpt;
    RecordingNode node(vpt.log);
    VexalEntityHelper helper("light");
    MouseCreateCallback* cb = helper.creationCallback();
    vpt.gw.projected = Point3(100, 379, 0);  // right under the mouse
    IPoint2 mouse(100, 100);
    auto offered = [&] {
        SnapQuery q;
        q.snapRadius = 8;
        q.vertexRank = 1;
        helper.offerSnap(0, &node, &q, &mouse, &vpt);
        return q.bestRank == 1;
    };
    EXPECT_TRUE(offered());
    cb->onMouse(&vpt, CreateMsgPoint, 0, 0, mouse, node.transform);
    EXPECT_FALSE(offered());
    cb->onMouse(&vpt, CreateMsgMove, 1, 0, mouse, node.transform);
    EXPECT_FALSE(offered());
    cb->onMouse(&vpt, CreateMsgPoint, 1, 0, mouse, node.transform);
    EXPECT_TRUE(offered());
}

TEST(Creation, CallbackWithoutTargetStillPlacesTheNode) {
    EntityCreateCallback orphan;
    RecordingViewport vpt;
    vpt.snapAnswer = A;
    Matrix3 tm(true);
    EXPECT_EQ(orphan.onMouse(&vpt, 1, 0, 0, M1, tm), 1);
    EXPECT_EQ(orphan.onMouse(&vpt, 1, 1, 0, M1, tm), 0);
    EXPECT_EQ(tm.GetTrans(), A);
}

TEST(Creation, PlacingClearsThePositionIdentityBitEvenAtTheOrigin) {
    RecordingViewport vpt;
    VexalEntityHelper helper("trigger_once");
    Matrix3 tm(true);
    vpt.snapAnswer = Point3(0, 0, 0);
    helper.creationCallback()->onMouse(&vpt, CreateMsgPoint, 0, 0, M1, tm);
    EXPECT_EQ(tm.flags, MAT_ROT_IDENT | MAT_SCL_IDENT);
}

}  // namespace
