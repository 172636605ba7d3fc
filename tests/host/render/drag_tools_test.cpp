// The drag tools driven with no window, as the viewport window drives them: what each
// gesture means in the scene, from its press to its release or its cancel.
#include "host_fixture.h"
#include "interaction/drag_tools.h"

namespace {

TEST_F(HostFixture, TheSelectToolTellsAClickFromABand) {
    Node* a = place("Door", IPoint2(343, 202));  // pivot (20, 40)
    Node* b = place("Door", IPoint2(283, 282));  // pivot (-40, -40)
    SelectTool select;
    const IPoint2 onA = mouseAt(a->position());
    select.press(onA);
    select.move(IPoint2(onA.x + 1, onA.y));
    EXPECT_FALSE(select.banding()) << "a pixel's slip is still a click";
    EXPECT_EQ(select.release(scene, top, onA, SelectMode::Replace), std::vector<Node*>{a});
    select.press(IPoint2(250, 150));
    select.move(IPoint2(400, 300));
    EXPECT_TRUE(select.banding());
    EXPECT_EQ(select.release(scene, top, IPoint2(400, 300), SelectMode::Replace),
              (std::vector<Node*>{a, b}));
    select.press(IPoint2(250, 150));
    select.move(IPoint2(400, 300));
    select.cancel();
    EXPECT_FALSE(select.banding());
}

TEST_F(HostFixture, TheMoveToolPutsTheGrabbedPivotOnTheGridUntilReleased) {
    Node* a = place("Door", IPoint2(343, 202));  // pivot (20, 40)
    std::vector<Point3> moves;
    MoveTool move;
    move.moveSelectionBy = [&](const Point3& delta) {
        moves.push_back(delta);
        scene.setPosition(*a, a->position() + delta);
    };
    ASSERT_TRUE(move.press(top, *a, mouseAt(a->position())));
    move.move(top, {a}, mouseAt(Point3(47, 41, 0)));  // lands on (50, 40)
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], Point3(30, 0, 0));
    EXPECT_EQ(a->position(), Point3(50, 40, 0));
    for (bool cancel : {false, true}) {
        cancel ? move.cancel() : move.release();
        move.move(top, {a}, mouseAt(Point3(100, 100, 0)));
        EXPECT_EQ(moves.size(), 1u) << "no move after the " << (cancel ? "cancel" : "release");
        ASSERT_TRUE(move.press(top, *a, mouseAt(a->position())));
    }
}

TEST_F(HostFixture, TheSideDragToolFollowsItsAxisToGridLinesUntilTheSideRefuses) {
    std::vector<float> coordinates;
    bool refuse = false;
    SideDragTool side;
    side.moveSideTo = [&](float coordinate) {
        coordinates.push_back(coordinate);
        return !refuse;
    };
    side.press(top, Point3(100, 0, 0), 0);
    side.move(top, mouseAt(Point3(113, 37, 0)));  // the other axis does not count
    side.move(top, mouseAt(Point3(86, 0, 0)));
    EXPECT_EQ(coordinates, (std::vector<float>{110, 90}));
    refuse = true;
    side.move(top, mouseAt(Point3(60, 0, 0)));
    EXPECT_FALSE(side.active()) << "a side that can go no further ends the drag";
    side.move(top, mouseAt(Point3(40, 0, 0)));
    top.snap.enabled = false;
    refuse = false;
    side.press(top, Point3(100, 0, 0), 0);
    side.move(top, mouseAt(Point3(113, 0, 0)));
    EXPECT_EQ(coordinates, (std::vector<float>{110, 90, 60, 113})) << "unsnapped, where it is";
}

}  // namespace
