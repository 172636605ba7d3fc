// The entity list beside the command panel, driven as a user drives it: the filter, clicks
// on rows, renaming in place, and rows following the scene's edits.
#include "main_window_fixture.h"

namespace {

// Three helpers: a door named "vault", a trigger firing it, and a light.
const char* threeHelpers =
    "create Door at -200 0 0 as gold\nselect gold\nset \"Target Name\" vault\n"
    "create \"Trigger Once\" at 200 0 0 as hall\nselect hall\n"
    "set \"Key 1\" target\nset \"Value 1\" vault\n"
    "create VexalEntity at 0 200 0 as lamp\nselect\n";

std::string cell(HWND list, int row, int column) {
    char text[128] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

Lines rowNames(HWND list) {
    Lines names;
    const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) names.push_back(cell(list, row, 0));
    return names;
}

int selectedRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

class EntityListTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        run(threeHelpers);
        list = main.entityList().list();
    }
    void filter(const char* text) { SetWindowTextA(main.entityList().filterBox(), text); }
    POINT rowPoint(int row) {
        RECT r = {LVIR_LABEL, 0, 0, 0};
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
        return POINT{r.left + 4, (r.top + r.bottom) / 2};
    }
    HWND list = nullptr;
};

TEST_F(EntityListTest, TheFilterMatchesEveryColumnAndRowsFollowEdits) {
    EXPECT_EQ(cell(list, 1, 1), "trigger_once");
    EXPECT_EQ(cell(list, 0, 2), "vault");
    EXPECT_EQ(cell(list, 1, 3), "vault");
    const struct {
        const char* filter;
        Lines rows;
    } filters[] = {
        {"", {"gold", "hall", "lamp"}},  // sorted by name
        {"VAULT", {"gold", "hall"}},     // a target name and a target, in any case
        {"trigger", {"hall"}},           // a classname
        {"am", {"lamp"}},                // a name
        {"zzz", {}},
    };
    for (const auto& f : filters) {
        filter(f.filter);
        EXPECT_EQ(rowNames(list), f.rows) << f.filter;
    }
    // A page edit moves its node out of the filtered rows; a new node comes in sorted.
    filter("vault");
    run("select gold\nset \"Target Name\" crypt\n"
        "create Door at 0 -200 0 as annex\nselect annex\n"
        "set \"Target Name\" vault\nfreeze hall\nhide annex\n");
    EXPECT_EQ(rowNames(list), (Lines{"annex", "hall"}));
    EXPECT_EQ(cell(list, 0, 4), "hidden");
    EXPECT_EQ(cell(list, 1, 4), "frozen");
}

TEST_F(EntityListTest, ClicksSelectAndShowTheNodeAndF2RenamesIt) {
    Node* hall = session.node("hall");
    POINT p = rowPoint(1);
    click(list, p.x, p.y);
    EXPECT_TRUE(hall->selected());
    EXPECT_EQ(session.scene().selection().size(), 1u);
    EXPECT_FALSE(session.pages().commandPanel().pages().empty()) << "its pages open";

    session.select({session.node("lamp")});
    EXPECT_EQ(selectedRow(list), 2) << "a selection made elsewhere shows in the list";

    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(hall->selected());
    POINT shown = at(hall->position());
    RECT view;
    GetClientRect(top, &view);
    EXPECT_NEAR(shown.x, view.right / 2, 2) << "the active view is centred on it";
    EXPECT_NEAR(shown.y, view.bottom / 2, 2);

    SendMessageA(list, WM_KEYDOWN, VK_F2, 0);
    HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr) << "F2 edits the row's name";
    SetWindowTextA(edit, "hall_trigger");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(hall->name(), "hall_trigger");
    EXPECT_EQ(rowNames(list), (Lines{"gold", "hall_trigger", "lamp"}));
    session.undo(1);
    EXPECT_EQ(rowNames(list), (Lines{"gold", "hall", "lamp"})) << "the rename undone";
}

std::vector<int> selectedRows(HWND list) {
    std::vector<int> rows;
    for (int row = -1;
         (row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

TEST_F(EntityListTest, SeveralSelectedNodesAreSeveralSelectedRows) {
    session.select({session.node("gold"), session.node("lamp")});
    EXPECT_EQ(selectedRows(list), (std::vector<int>{0, 2}));
    POINT p = rowPoint(1);
    click(list, p.x, p.y, MK_CONTROL);
    pumpMessages();
    EXPECT_EQ(session.scene().selection().size(), 3u) << "Ctrl adds hall";
    click(list, p.x, p.y, MK_CONTROL);
    pumpMessages();
    EXPECT_FALSE(session.node("hall")->selected()) << "and takes it away again";
    EXPECT_EQ(session.scene().selection().size(), 2u);
    click(list, p.x, p.y);
    pumpMessages();
    EXPECT_EQ(session.scene().selection(), (std::vector<Node*>{session.node("hall")}));
    EXPECT_EQ(selectedRows(list), (std::vector<int>{1}));
    p = rowPoint(2);
    click(list, p.x, p.y, MK_SHIFT);
    pumpMessages();
    EXPECT_EQ(session.scene().selection().size(), 2u) << "Shift takes the rows between";

    // Nodes the filter hides keep their selection through typing and Ctrl clicks on the
    // rows shown; a plain click selects its row's node alone.
    session.select({session.node("gold"), session.node("lamp")});
    filter("gold");
    pumpMessages();
    EXPECT_EQ(session.scene().selection().size(), 2u) << "typing in Find selects nothing";
    p = rowPoint(0);
    click(list, p.x, p.y, MK_CONTROL);
    pumpMessages();
    EXPECT_EQ(session.scene().selection(), (std::vector<Node*>{session.node("lamp")}));
    click(list, p.x, p.y);
    pumpMessages();
    EXPECT_EQ(session.scene().selection(), (std::vector<Node*>{session.node("gold")}));
}

TEST_F(EntityListTest, CtrlAInFindSelectsItsTextAndAnUndoneDeleteSelectsWhatCameBack) {
    HWND find = main.entityList().filterBox();
    SetFocus(find);
    filter("vault");
    SendMessageA(find, EM_SETSEL, 2, 2);
    press('A', VK_CONTROL);
    DWORD from = 0, to = 0;
    SendMessageA(find, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(DWORD(0), DWORD(5)));
    EXPECT_TRUE(session.scene().selection().empty()) << "not the window's Select All";

    filter("");
    Node* hall = session.node("hall");
    session.select({hall});
    SetFocus(list);
    press(VK_DELETE);
    session.select({session.node("gold"), session.node("lamp")});
    press('Z', VK_CONTROL);
    EXPECT_EQ(session.scene().selection(), (std::vector<Node*>{hall}));
    EXPECT_EQ(selectedRows(list), (std::vector<int>{1}));
}

// While Link waits, a click on a row picks what the selection fires; the rows stay the
// selection's.
TEST_F(EntityListTest, ALinkTakesItsTargetFromAClickOnARow) {
    Node* lamp = session.node("lamp");
    session.select({lamp});
    main.command(MainWindow::CMD_LINK);
    const POINT p = rowPoint(0);
    click(list, p.x, p.y);
    pumpMessages();
    EXPECT_EQ(session.entities().mark(*lamp)->targets, Lines{"vault"});
    EXPECT_EQ(session.scene().selection(), std::vector<Node*>{lamp});
    EXPECT_EQ(selectedRows(list), (std::vector<int>{2}));
}

// A slow second click on a selected row opens no rename box (F2 does): Delete then
// deletes the node rather than its name's text.
TEST_F(EntityListTest, ASlowSecondClickOnASelectedRowDoesNotRenameIt) {
    const POINT p = rowPoint(1);
    SetFocus(list);
    for (int clicks = 0; clicks < 2; ++clicks) {
        click(list, p.x, p.y);
        Sleep(GetDoubleClickTime() + 100);
        pumpMessages();
    }
    EXPECT_EQ(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0), 0) << "no rename box";
    press(VK_DELETE, 0, GetFocus());
    EXPECT_EQ(session.node("hall"), nullptr);
}

// Without the focus, a selected row keeps the highlight's colour.
TEST_F(EntityListTest, ASelectedRowStaysHighlightedWithoutTheFocus) {
    ShowWindow(main.window(), SW_SHOW);
    session.select({session.node("hall")});
    SetFocus(top);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT row = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    RECT client;
    GetClientRect(list, &client);
    const int x = std::min(row.right, client.right) - 3, y = (row.top + row.bottom) / 2;
    EXPECT_EQ(shownPixels(list)[size_t(y) * client.right + x], GetSysColor(COLOR_HIGHLIGHT));
}

}  // namespace
