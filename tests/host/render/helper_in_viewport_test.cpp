// The built plug-in's helpers driven through the reference host's viewports: placed by
// clicks, snapped, picked, selected with a rubber band and rendered.
#include "host_fixture.h"
#include "entity/entity_helper.h"

namespace {

const Point3 ORIGIN(0, 0, 0);

TEST_F(HostFixture, ClickPlacesTheHelperOnTheSnappedGridPoint) {
    // The mouse over world (23, 38): the grid of 10 takes it to (20, 40).
    Node* door = place("Door", IPoint2(343, 202));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->position(), Point3(20, 40, 0));
    EXPECT_TRUE(door->selected());
    EXPECT_EQ(door->name(), "Door001");
    EXPECT_EQ(door->classId(), Class_ID(0x41D53AFE, 0x616C0F57));

    SoftwareViewport front(ViewKind::Front, 641, 481);
    Node* button = place("Button", IPoint2(343, 202), &front);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->position(), Point3(20, 0, 40));
    EXPECT_FALSE(door->selected());  // the newest helper is the selection
    EXPECT_EQ(button->name(), "Button001");
    EXPECT_EQ(place("Trigger Once", IPoint2(100, 100))->name(), "TriggerOnce001");
}

TEST_F(HostFixture, PerspectiveClickPlacesOnTheGroundAndPicksBack) {
    SoftwareViewport persp(ViewKind::Perspective, 641, 481);
    Node* door = place("Door", IPoint2(400, 300), &persp);
    ASSERT_NE(door, nullptr);
    Point3 at = door->position();
    EXPECT_EQ(at.z, 0.0f);
    EXPECT_EQ(std::fmod(at.x, 10.0f), 0.0f);
    EXPECT_EQ(std::fmod(at.y, 10.0f), 0.0f);
    IPoint2 pivot = mouseAt(at, &persp);
    EXPECT_LE(std::abs(pivot.x - 400) + std::abs(pivot.y - 300), 40);  // the grid is near
    EXPECT_EQ(pickNode(scene, persp, pivot), door);
    EXPECT_EQ(pickNode(scene, persp, IPoint2(pivot.x - 30, pivot.y + 30)), nullptr);
}

TEST_F(HostFixture, PressDragReleaseFollowsTheMouseAndEndsAtTheRelease) {
    CreationTool tool(scene);
    tool.setKind(&kind("Trigger Once"));
    EXPECT_EQ(tool.press(top, IPoint2(343, 202)), CreationState::Placing);
    Node* node = tool.node();
    EXPECT_EQ(node->position(), Point3(20, 40, 0));
    EXPECT_EQ(tool.move(top, IPoint2(361, 202)), CreationState::Placing);
    EXPECT_EQ(node->position(), Point3(40, 40, 0));
    EXPECT_EQ(tool.release(top, IPoint2(371, 231)), CreationState::Finished);
    EXPECT_EQ(node->position(), Point3(50, 10, 0));
    EXPECT_EQ(scene.size(), 1u);
    // Moves after the end place nothing.
    EXPECT_EQ(tool.move(top, IPoint2(400, 100)), CreationState::Finished);
    EXPECT_EQ(node->position(), Point3(50, 10, 0));
}

TEST_F(HostFixture, CancelDropsTheHelperBeingPlaced) {
    CreationTool tool(scene);
    tool.setKind(&kind("Platform"));
    tool.press(top, IPoint2(343, 202));
    tool.move(top, IPoint2(350, 210));
    EXPECT_EQ(tool.cancel(top), CreationState::Cancelled);
    EXPECT_EQ(scene.size(), 0u);
    EXPECT_EQ(tool.node(), nullptr);
    EXPECT_EQ(tool.press(top, IPoint2(343, 202)), CreationState::Placing);
    EXPECT_EQ(tool.release(top, IPoint2(343, 202)), CreationState::Finished);
    EXPECT_EQ(scene.size(), 1u);
}

TEST_F(HostFixture, SecondHelperSnapsOntoTheFirstPivot) {
    top.snap.toGrid = false;
    Node* first = place("Door", IPoint2(343, 199));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->position(), Point3(23, 41, 0));
    // Five and a half pixels from the first pivot: within the snap radius of 8.
    Node* second = place("Button", IPoint2(347, 203));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->position(), Point3(23, 41, 0));
    // Without pivot snapping the same click lands under the mouse.
    top.snap.toPivots = false;
    Node* third = place("Button", IPoint2(347, 203));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->position(), Point3(27, 37, 0));
}

TEST_F(HostFixture, HelperBeingPlacedDoesNotSnapToItself) {
    top.snap.toGrid = false;
    CreationTool tool(scene);
    tool.setKind(&kind("Door"));
    tool.press(top, IPoint2(343, 199));
    tool.move(top, IPoint2(346, 199));  // three pixels from its own pivot
    EXPECT_EQ(tool.node()->position(), Point3(26, 41, 0));
    tool.release(top, IPoint2(346, 199));
    // Placed, it offers its pivot again.
    Node* next = place("Door", IPoint2(348, 201));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->position(), Point3(26, 41, 0));
}

TEST_F(HostFixture, ClickOnTheMarkerPicksAndThirtyPixelsAwayDoesNot) {
    Node* door = place("Door", IPoint2(343, 202));  // pivot on pixel (340, 200)
    ASSERT_NE(door, nullptr);
    struct Case {
        IPoint2 mouse;
        bool hit;
    } cases[] = {
        {{340, 200}, true},  {{342, 203}, true},                        // on the marker
        {{358, 200}, true},                                             // on the tripod's X arm
        {{310, 200}, false}, {{340, 230}, false}, {{319, 221}, false},  // 30 pixels away
    };
    for (const Case& c : cases)
        EXPECT_EQ(pickNode(scene, top, c.mouse) == door, c.hit) << c.mouse.x << "," << c.mouse.y;

    // The nearer pivot wins where two helpers overlap.
    Node* other = place("Door", IPoint2(353, 202));  // pivot (350, 200)
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(pickNode(scene, top, IPoint2(341, 200)), door);
    EXPECT_EQ(pickNode(scene, top, IPoint2(349, 200)), other);

    scene.setFlag(*door, NodeFlag::Frozen, true);
    EXPECT_EQ(pickNode(scene, top, IPoint2(340, 200)), nullptr);
    scene.setFlag(*door, NodeFlag::Frozen, false);
    scene.setFlag(*door, NodeFlag::Hidden, true);
    EXPECT_EQ(pickNode(scene, top, IPoint2(340, 200)), nullptr);
}

TEST_F(HostFixture, ClickSelectionModes) {
    Node* a = place("Door", IPoint2(343, 202));
    Node* b = place("Door", IPoint2(283, 282));  // pivot (280, 280)
    ASSERT_TRUE(a && b);
    // Each click's selection taken, as the session takes it.
    auto click = [&](IPoint2 at, SelectMode mode) {
        const std::vector<Node*> selection = selectionAfterClick(scene, top, at, mode);
        scene.setSelection(selection);
        return selection;
    };
    EXPECT_EQ(click(IPoint2(340, 200), SelectMode::Replace), std::vector<Node*>{a});
    EXPECT_EQ(click(IPoint2(280, 280), SelectMode::Add), (std::vector<Node*>{a, b}));
    EXPECT_EQ(click(IPoint2(340, 200), SelectMode::Toggle), std::vector<Node*>{b});
    EXPECT_EQ(click(IPoint2(600, 20), SelectMode::Replace), std::vector<Node*>{});
}

TEST_F(HostFixture, RubberBandWindowNeedsAllInsideCrossingATouch) {
    Node* a = place("Door", IPoint2(343, 202));  // pivot (340, 200)
    Node* b = place("Door", IPoint2(283, 282));  // pivot (280, 280)
    ASSERT_TRUE(a && b);
    struct Case {
        const char* what;
        IPoint2 from, to;
        std::vector<Node*> window, crossing;
    } cases[] = {
        {"around a", {330, 160}, {380, 210}, {a}, {a}},
        {"around both", {250, 150}, {400, 300}, {a, b}, {a, b}},
        {"a's marker and half its X arm", {330, 190}, {350, 210}, {}, {a}},
        {"the middle of b's X arm only", {288, 278}, {292, 282}, {}, {b}},
        {"empty space", {500, 400}, {600, 450}, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nodesInRectangle(scene, top, c.from, c.to, false), c.window) << c.what;
        EXPECT_EQ(nodesInRectangle(scene, top, c.to, c.from, true), c.crossing) << c.what;
    }
    EXPECT_EQ(selectionAfterRectangle(scene, top, IPoint2(250, 150), IPoint2(400, 300), false,
                                      SelectMode::Replace),
              (std::vector<Node*>{a, b}));
}

// Positions, rotations and axis lengths at and past the float range: every view draws
// what it can at sizes where a stray write would crash, and a sound helper still shows.
TEST_F(HostFixture, HelpersWithNonFiniteOrHugeValuesRenderWithoutHarm) {
    const float inf = INFINITY, nan = NAN;
    SoftwareViewport empty(ViewKind::Top, 800, 600);
    renderViewport(empty, scene, 0);
    Node* sound = place("Door", IPoint2(320, 240));
    ASSERT_NE(sound, nullptr);
    scene.setPosition(*sound, Point3(37, 23, 0));  // off the grid lines
    const Point3 distant[] = {{3e38f, 0, 0}, {nan, 0, 0}, {0, -inf, 0}, {0, 0, 3e38f}};
    for (const Point3& p : distant) scene.setPosition(*place("Door", IPoint2(100, 100)), p);
    Matrix3 turned(true);
    turned.RotateZ(nan);
    scene.setTransform(*place("Door", IPoint2(100, 100)), turned);
    for (float length : {nan, inf, -inf, 3e38f})
        static_cast<VexalEntityHelper*>(place("Door", IPoint2(200, 100))->object())->axisLength =
            length;
    for (ViewKind kind : {ViewKind::Top, ViewKind::Front, ViewKind::Left, ViewKind::Perspective}) {
        for (IPoint2 size : {IPoint2(800, 600), IPoint2(96, 72)}) {
            SoftwareViewport view(kind, size.x, size.y);
            renderViewport(view, scene, 0);
        }
    }
    SoftwareViewport view(ViewKind::Top, 800, 600);
    renderViewport(view, scene, 0);
    const IPoint2 pivot = mouseAt(sound->position(), &view);
    EXPECT_NE(view.image().pixel(pivot.x, pivot.y), empty.image().pixel(pivot.x, pivot.y));
}

}  // namespace
