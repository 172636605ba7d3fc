// The window's ways to link, place and find: Link by a click, the typed position, the
// class search, and typing on the pages (names completed, list lines found by their start).
#include "main_window_fixture.h"
#include "window/class_search_box.h"
#include "window/position_fields.h"

namespace {

std::string windowText(HWND window) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

class PickAndPlaceTest : public MainWindowTest {
protected:
    // A character as the keyboard sends it through the host's loop, at a time in ms.
    void typeAt(const std::string& text, DWORD time) {
        for (char c : text) {
            MSG msg = {GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1, time, {0, 0}};
            main.dispatch(msg);
            pumpMessages();
        }
    }
    const EntityMark& mark(Node* node) { return *session.entities().mark(*node); }
};

TEST_F(PickAndPlaceTest, LinkWaitsForAClickOnAnotherHelperAndEscapeGivesUp) {
    Node* button = createDoorAt(Point3(-50, 0, 0));
    Node* door = createDoorAt(Point3(50, 0, 0));
    const POINT onDoor = at(door->position());
    session.select({button});
    main.command(MainWindow::CMD_LINK);
    press(VK_ESCAPE, 0, top);
    click(top, onDoor.x, onDoor.y);
    EXPECT_EQ(session.scene().selection(), std::vector<Node*>{door}) << "a plain click again";

    session.select({button});
    main.command(MainWindow::CMD_LINK);
    click(top, onDoor.x, onDoor.y);
    EXPECT_EQ(session.scene().selection(), std::vector<Node*>{button});
    EXPECT_EQ(mark(door).targetName, door->name());
    EXPECT_EQ(mark(button).targets, Lines{door->name()});
}

TEST_F(PickAndPlaceTest, TypedPositionsMoveTheSelectionExactlyOrToTheGrid) {
    Node* a = createDoorAt(Point3(0, 0, 0));
    Node* b = createDoorAt(Point3(32, 0, 0));
    session.select({a, b});
    PositionFields& fields = main.positionFields();
    EXPECT_EQ(windowText(fields.field(0)), "16") << "the centre of the pivots";
    const struct {
        const char* x;
        int held;
        Point3 centre;
    } cases[] = {
        {"100.25", 0, Point3(100.25f, -20.5f, 8)},
        {"103", VK_SHIFT, Point3(96, -16, 16)},  // the grid of 16
        {"abc", 0, Point3(96, -16, 16)},         // refused: nothing moves
    };
    for (const auto& c : cases) {
        SetWindowTextA(fields.field(0), c.x);
        SetWindowTextA(fields.field(1), "-20.5");
        SetWindowTextA(fields.field(2), "8");
        press(VK_RETURN, c.held, fields.field(0));
        EXPECT_EQ(pivotCentre({a, b}), c.centre) << c.x;
    }
    EXPECT_EQ(b->position() - a->position(), Point3(32, 0, 0));
    EXPECT_EQ(session.undoName(), "Move");
}

TEST_F(PickAndPlaceTest, TheClassSearchCreatesAHelperOfThePickedClassInOneStep) {
    ClassSearchBox& search = main.classSearch();
    SetWindowTextA(search.searchField(), "HURT");
    ASSERT_EQ(SendMessageA(search.list(), LB_GETCOUNT, 0, 0), 1);
    ASSERT_TRUE(clickListItem(search.list(), "trigger_hurt"));
    const POINT p = at(Point3(30, 30, 0));
    click(top, p.x, p.y);
    ASSERT_EQ(session.scene().size(), 1u);
    EXPECT_EQ(mark(session.scene().nodes()[0].get()).classname, "trigger_hurt");
    EXPECT_TRUE(clickListItem(search.list(), "trigger_hurt (1)")) << "the scene's count";
    EXPECT_EQ(session.undo(), 1);
    EXPECT_EQ(session.scene().size(), 0u) << "the class pick is part of the creation's step";
}

TEST_F(PickAndPlaceTest, TypingCompletesTargetNamesAndFindsClassListLinesByTheirStart) {
    run("create Door at 0 0 0 as vault_gate\ncreate VexalEntity at 40 0 0 as lamp\nselect lamp\n"
        "set \"Key 1\" target\n");
    focusControl(control("Value 1"));
    typeAt("va", 0);
    EXPECT_EQ(windowText(GetFocus()), "vault_gate");

    focusControl(control("Class"));
    const struct {
        const char* typed;
        DWORD time;
        const char* classname;
    } cases[] = {
        {"light_g", 5000, "light_globe"},
        {"m", 9000, "misc_explobox"},  // after a pause: a new word
    };
    for (const auto& c : cases) {
        typeAt(c.typed, c.time);
        EXPECT_EQ(mark(session.node("lamp")).classname, c.classname) << c.typed;
    }
}

}  // namespace
