// The grid a level is built on and where the window places and moves helpers: the grid's
// size chosen by keys and menu, used by clicks, clones and boxes; the depth of a new helper;
// the arrow keys.
#include "main_window_fixture.h"
#include "session/box_brushes.h"

namespace {

using GridAndPlacementTest = MainWindowTest;

TEST_F(GridAndPlacementTest, TheGridIsChosenByBracketsOrMenuAndEveryToolUsesIt) {
    EXPECT_EQ(session.grid().units(), 16) << "a new scene's grid";
    EXPECT_NE(statusText(1).find("Grid 16"), std::string::npos) << statusText(1);
    SetFocus(top);
    press(VK_OEM_6);
    EXPECT_EQ(session.grid().units(), 32);
    EXPECT_NE(statusText(1).find("Grid 32"), std::string::npos) << statusText(1);
    for (int i = 0; i < 8; ++i) press(VK_OEM_4);
    EXPECT_EQ(session.grid().units(), 1) << "no smaller than 1";
    main.command(MainWindow::CMD_GRID_FIRST + 3);  // View > Grid > 8
    EXPECT_EQ(session.grid().units(), 8);
    EXPECT_EQ(main.viewport(1).view().gridSpacing, 8.0f) << "every view snaps and draws to it";

    Node* door = createDoorAt(Point3(13, -3, 0));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->position(), Point3(16, 0, 0)) << "the click snapped to 8";
    main.command(MainWindow::CMD_CLONE);
    ASSERT_EQ(session.scene().size(), 2u);
    EXPECT_EQ(session.scene().selection()[0]->position(), Point3(24, 0, 0)) << "one step beside";

    session.reset();
    EXPECT_EQ(session.grid().units(), 16) << "a new scene starts again at 16";
}

// A level's floors lie above the ground plane: a click puts the helper in the level.
TEST_F(GridAndPlacementTest, AClickPlacesTheHelperAtTheLevelsDepth) {
    run("brush worldspawn box -64 -64 0 64 64 96\ncreate Button at 200 200 160 as high\n"
        "select\n");
    // Clicks stay clear of the pivots already there, which the snap would take.
    auto placeIn = [&](int view, const Point3& at) {
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);
        Point2 p;
        EXPECT_TRUE(main.viewport(view).view().mousePosition(at, p));
        click(main.viewport(view).window(), int(p.x + 0.5f), int(p.y + 0.5f));
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);
        return session.scene().nodes().back()->position();
    };
    EXPECT_EQ(placeIn(0, Point3(32, -32, 0)).z, 160) << "the last helper placed";
    session.select({session.node("high")});
    session.moveBy({session.node("high")}, Point3(0, 0, 32));
    EXPECT_EQ(placeIn(0, Point3(-96, 96, 0)).z, 192) << "the selection";
    const Point3 onTop = placeIn(3, Point3(16, 16, 96));
    EXPECT_NEAR(onTop.z, 96, 1e-3) << "perspective: on the box under the cursor";
    session.reset();
    run("brush worldspawn box -64 -64 0 64 64 96\n");
    EXPECT_EQ(placeIn(0, Point3(32, -32, 0)).z, 48) << "the centre of the level";
    EXPECT_EQ(placeIn(1, Point3(-160, 0, 160)).y, -32) << "the front view's depth: the last one's";
}

// Each press run (a key held repeats with bit 30 set) is one Move step.
TEST_F(GridAndPlacementTest, ArrowAndPageKeysMoveTheSelectionAGridStepInOrthographicViews) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    const struct {
        int view;
        WPARAM key;
        int presses;
        Point3 moved;
    } runs[] = {
        {0, VK_RIGHT, 3, Point3(48, 0, 0)}, {0, VK_UP, 1, Point3(0, 16, 0)},
        {0, VK_PRIOR, 2, Point3(0, 0, 32)}, {1, VK_LEFT, 1, Point3(-16, 0, 0)},
        {1, VK_DOWN, 1, Point3(0, 0, -16)}, {2, VK_RIGHT, 1, Point3(0, -16, 0)},
        {3, VK_RIGHT, 1, Point3(0, 0, 0)},  // the perspective view has no axes to follow
    };
    for (const auto& r : runs) {
        HWND view = main.viewport(r.view).window();
        SetFocus(view);
        const Point3 before = door->position();
        const std::string stepBefore = session.undoName();
        for (int i = 0; i < r.presses; ++i) {
            MSG msg = {view, WM_KEYDOWN, r.key, i ? (1 << 30) | 1 : 1, 0, {0, 0}};
            main.dispatch(msg);
        }
        SendMessageA(view, WM_KEYUP, r.key, 0);
        EXPECT_EQ(door->position() - before, r.moved) << r.view << " " << r.key;
        if (r.view == 3) continue;
        EXPECT_EQ(session.undoName(), "Move");
        session.undo();
        EXPECT_EQ(door->position(), before) << "one step per run";
        session.redo();
    }
}

}  // namespace
