// The interactive host driven through window messages, as the mouse and keyboard would:
// arming a kind, clicking it into a viewport, selecting, and editing on its pages.
#include <windows.h>
#include <gtest/gtest.h>
#include "app/host_session.h"
#include "app/main_window.h"
#include "app/map_menu.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"

namespace {

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void click(HWND window, int x, int y, WPARAM keys = 0) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

void drag(HWND window, POINT from, POINT to) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(main.create(error)) << error;
        pumpMessages();
        top = main.viewport(0).window();
    }
    // Window position of a world point in the top viewport.
    POINT at(const Point3& world) {
        Point2 p;
        EXPECT_TRUE(main.viewport(0).view().mousePosition(world, p));
        return POINT{static_cast<LONG>(p.x + 0.5f), static_cast<LONG>(p.y + 0.5f)};
    }
    Node* createDoorAt(const Point3& world) {
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);
        POINT p = at(world);
        click(top, p.x, p.y);
        SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);  // disarm
        return session.scene().nodes().empty() ? nullptr : session.scene().nodes().back().get();
    }

    HostSession session;
    MainWindow main{session};
    HWND top = nullptr;
};

TEST_F(MainWindowTest, EveryHostWindowRunsItsClassProcedureFromItsFirstMessage) {
    // A window subclassed after creation would have missed its WM_NCCREATE and WM_CREATE.
    std::vector<HWND> windows = {main.window(), session.commandPanel().window()};
    for (int i = 0; i < 4; ++i) windows.push_back(main.viewport(i).window());
    for (HWND w : windows) {
        char name[64] = {};
        GetClassNameA(w, name, sizeof name);
        EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), GetClassLongPtrA(w, GCLP_WNDPROC)) << name;
        EXPECT_NE(GetClassLongPtrA(w, GCLP_WNDPROC), reinterpret_cast<LONG_PTR>(DefWindowProcA))
            << name;
    }
}

TEST_F(MainWindowTest, ClickingAKindIntoAViewportCreatesSelectsAndEditsIt) {
    ASSERT_NE(main.kindButton("Door"), nullptr);
    ASSERT_NE(main.kindButton("Teleport Dest"), nullptr);
    Node* door = createDoorAt(Point3(30, 20, 0));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(session.scene().size(), 1u);
    // The default grid of 10 keeps the point where it was clicked.
    EXPECT_NEAR(door->position().x, 30, 1e-3);
    EXPECT_NEAR(door->position().y, 20, 1e-3);
    EXPECT_TRUE(door->selected);
    EXPECT_EQ(session.commandPanel().pageTitles(),
              (std::vector<std::string>{"Parameters", "Door Params", "Map Parameters"}));

    // An edit on the page reaches the helper and redraws through its notification.
    int before = door->changeCount;
    HWND gold = session.commandPanel().findControl("Gold Key");
    ASSERT_NE(gold, nullptr);
    setControlValue(gold, "1");
    EXPECT_EQ(controlValue(gold), "1");
    EXPECT_GT(door->changeCount, before);
}

TEST_F(MainWindowTest, ClicksAndRubberBandsSelect) {
    Node* a = createDoorAt(Point3(-40, 0, 0));
    Node* b = createDoorAt(Point3(40, 0, 0));
    ASSERT_TRUE(a && b);
    POINT pa = at(Point3(-40, 0, 0)), pb = at(Point3(40, 0, 0));
    click(top, pa.x, pa.y);
    EXPECT_TRUE(a->selected);
    EXPECT_FALSE(b->selected);
    click(top, pa.x, pa.y + 60);  // empty space clears the selection
    EXPECT_FALSE(a->selected);
    EXPECT_TRUE(session.commandPanel().pages().empty());
    drag(top, POINT{pa.x - 30, pa.y - 30}, POINT{pb.x + 30, pb.y + 30});
    EXPECT_TRUE(a->selected);
    EXPECT_TRUE(b->selected);
    EXPECT_TRUE(session.commandPanel().pages().empty()) << "two helpers: nothing to edit";
}

TEST_F(MainWindowTest, DraggingTheSelectionMovesItAndDeleteRemovesIt) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    POINT p = at(Point3(0, 0, 0)), q = at(Point3(50, 30, 0));
    drag(top, p, q);
    EXPECT_NEAR(door->position().x, 50, 1.0);
    EXPECT_NEAR(door->position().y, 30, 1.0);
    main.command(MainWindow::CMD_CLONE);
    EXPECT_EQ(session.scene().size(), 2u);
    main.command(MainWindow::CMD_DELETE);
    EXPECT_EQ(session.scene().size(), 1u);
    EXPECT_TRUE(session.commandPanel().pages().empty());
}

}  // namespace

TEST_F(MainWindowTest, EditCheckListsTheReportAndADoubleClickSelectsTheHelper) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    setControlValue(session.commandPanel().findControl("Target Name"), "vault");
    session.select({});
    main.command(MainWindow::CMD_CHECK);
    HWND list = main.mapMenu().reportList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    char line[256] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line), door->name +
                                     " (func_door): warning: nothing targets the "
                                     "door's target name \"vault\"");
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(main.mapMenu().reportWindow(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(door->selected);
    EXPECT_EQ(session.commandPanel().pageTitles().size(), 3u);
}
