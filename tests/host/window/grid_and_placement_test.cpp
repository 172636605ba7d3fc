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

}  // namespace
