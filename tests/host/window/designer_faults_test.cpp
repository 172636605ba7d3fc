// Faults a designer met on a real level, each as he met it.
#include "main_window_fixture.h"
#include <cctype>
#include "brush_text.h"
#include "kept_entity.h"
#include "scene/scene_history.h"
#include "test_files.h"
#include "window/class_search_box.h"
#include "window/findings_window.h"
#include "window/position_fields.h"

namespace {

using DesignerFaultsTest = MainWindowTest;

std::string textOf(HWND field) {
    char text[64] = {};
    GetWindowTextA(field, text, sizeof text);
    return text;
}

// A mouse message as the loop gets it, at a time in milliseconds.
MSG mouseMessage(HWND to, UINT message, POINT at, DWORD time) {
    return MSG{
        to,   message, message == WM_LBUTTONUP ? 0u : WPARAM(MK_LBUTTON), MAKELPARAM(at.x, at.y),
        time, {0, 0}};
}

// Fault 1: a class picked in the class search arms create mode with the focus left in the
// search; Escape there must end it as it does in a viewport.
TEST_F(DesignerFaultsTest, EscapeLeavesCreateModeWhereverTheFocusIs) {
    ClassSearchBox& search = main.classSearch();
    SetWindowTextA(search.searchField(), "light");
    for (HWND focus : {search.list(), search.searchField()}) {
        SendMessageA(search.list(), LB_SETCURSEL, 0, 0);
        SendMessageA(search.window(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(search.list()), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(search.list()));
        const POINT p = at(Point3(64, 64, 0));
        click(top, p.x, p.y);
        const size_t made = session.scene().size();
        ASSERT_GT(made, 0u) << "armed by the pick";
        SetFocus(focus);
        press(VK_ESCAPE, 0, focus);
        click(top, p.x, p.y);
        EXPECT_EQ(session.scene().size(), made) << "no helper after Escape";
    }
}

// Ctrl+A selects the whole text of any of the host's fields: typing then replaces it.
TEST_F(DesignerFaultsTest, CtrlASelectsTheWholeTextOfEveryField) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    HWND speed = control("Speed");
    ASSERT_NE(speed, nullptr);
    HWND z = main.positionFields().field(2);
    const HWND fields[] = {main.entityList().filterBox(), main.classSearch().searchField(),
                           GetWindow(speed, GW_CHILD), z};
    for (HWND field : fields) {
        SetFocus(field);
        SetWindowTextA(field, "132");
        SendMessageA(field, EM_SETSEL, 3, 3);
        press('A', VK_CONTROL, field);
        type("140");
        EXPECT_EQ(textOf(field), "140");
    }
    press(VK_RETURN, 0, z);
    EXPECT_EQ(door->position().z, 140.0f) << "the Z field moved the door";
}

// A third click after a double click selects the field's line.
TEST_F(DesignerFaultsTest, ATripleClickSelectsTheFieldsLine) {
    ASSERT_NE(createDoorAt(Point3(0, 0, 0)), nullptr);
    HWND speed = GetWindow(control("Speed"), GW_CHILD);
    SetWindowTextA(speed, "130");
    SetFocus(speed);
    RECT box;
    GetClientRect(speed, &box);
    const POINT end = {box.right - 2, box.bottom / 2};  // past the text
    const DWORD start = GetTickCount();
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                         WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        MSG msg = mouseMessage(speed, message, end, start);
        main.dispatch(msg);
    }
    type("200");
    EXPECT_EQ(textOf(speed), "200");
}

// The wheel zooms about the point under the mouse, in every view.
TEST_F(DesignerFaultsTest, TheWheelKeepsThePointUnderTheMouseWhereItIs) {
    for (int i = 0; i < 4; ++i) {
        ViewportWindow& viewport = main.viewport(i);
        SoftwareViewport& view = viewport.view();
        const IPoint2 mouse(view.width() / 4, view.height() * 2 / 3);
        Point3 world;
        ASSERT_TRUE(view.pointOnPlane(mouse, view.constructionPlane(), world))
            << viewKindName(view.kind());
        for (int delta : {WHEEL_DELTA, -WHEEL_DELTA}) {
            POINT screen = {mouse.x, mouse.y};
            ClientToScreen(viewport.window(), &screen);
            SendMessageA(viewport.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta),
                         MAKELPARAM(screen.x, screen.y));
            Point2 shown;
            ASSERT_TRUE(view.mousePosition(world, shown));
            EXPECT_NEAR(shown.x, mouse.x, 1.0f) << viewKindName(view.kind()) << " " << delta;
            EXPECT_NEAR(shown.y, mouse.y, 1.0f) << viewKindName(view.kind()) << " " << delta;
        }
    }
}

// Each menu's underlined keys are its items' own: none shared within the menu, and none
// left dangling on a word's last letter.
TEST_F(DesignerFaultsTest, EveryMenuItemHasAnAccessKeyOfItsOwn) {
    HMENU bar = GetMenu(main.window());
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        HMENU menu = GetSubMenu(bar, m);
        std::string keys;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            const std::string label = std::string(text).substr(0, std::string(text).find('\t'));
            const size_t amp = label.find('&');
            if (amp == std::string::npos || amp + 1 >= label.size()) continue;
            const char key =
                static_cast<char>(std::toupper(static_cast<unsigned char>(label[amp + 1])));
            EXPECT_EQ(keys.find(key), std::string::npos) << label << ": " << key << " taken";
            keys += key;
            const bool wordEnds = amp + 2 >= label.size() || label[amp + 2] == ' ';
            EXPECT_FALSE(std::isalpha(static_cast<unsigned char>(key)) && wordEnds) << label;
        }
    }
}

// A map is opened to be read: its file dialog offers no read-only box.
TEST_F(DesignerFaultsTest, TheImportDialogOffersNoReadOnlyBox) {
    ModalAnswer answer("Cancel");
    answerNextDialog(answer);
    main.command(MainWindow::CMD_IMPORT_MAP);
    ASSERT_TRUE(answer.answered);
    EXPECT_EQ(answer.buttons.find("read-only"), std::string::npos) << answer.buttons;
}

// After the window is made small and big again, the entity list shows what it draws afresh:
// no rows left from before, however far it was scrolled.
TEST_F(DesignerFaultsTest, TheEntityListIsWholeAfterTheWindowIsResized) {
    ScratchFile map("level", ".map");
    std::string text = "{\n\"classname\" \"worldspawn\"\n}\n";
    for (int i = 0; i < 841; ++i)
        text +=
            "{\n\"classname\" \"info_null\"\n\"targetname\" \"t" + std::to_string(i) + "\"\n}\n";
    ASSERT_TRUE(writeFile(map.path(), text));
    main.mapMenu().importMap(map.path());
    ShowWindow(main.window(), SW_SHOW);
    HWND list = main.entityList().list();
    RECT big;
    GetWindowRect(main.window(), &big);
    SetWindowPos(main.window(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(main.window());
    SendMessageA(list, LVM_ENSUREVISIBLE, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) - 1, FALSE);
    UpdateWindow(list);
    SetWindowPos(main.window(), nullptr, 0, 0, big.right - big.left, big.bottom - big.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(main.window());
    const std::vector<COLORREF> shown = shownPixels(list);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    EXPECT_TRUE(shown == shownPixels(list));
}

// A light's page on a helper whose class export writes no light keys of (the world, a
// "func_detail") is greyed with the reason on it, and no edit reaches it: not a script's,
// nor one made on a light's page for several helpers.
TEST_F(DesignerFaultsTest, ALightPageTheLevelIgnoresIsGreyedAndTakesNoEdit) {
    ScratchFile map("ignored-page", ".map");
    ASSERT_TRUE(writeFile(map.path(),
                          "{\n\"classname\" \"worldspawn\"\n}\n"
                          "{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n"
                          "{\n\"classname\" \"func_detail\"\n\"origin\" \"64 0 0\"\n}\n"));
    main.mapMenu().importMap(map.path());
    ASSERT_EQ(session.scene().size(), 3u);
    Node* world = session.scene().nodes()[0].get();
    Node* lamp = session.scene().nodes()[1].get();
    Node* detail = session.scene().nodes()[2].get();
    CommandPanel& panel = session.pages().commandPanel();
    ScriptRunner script(session, stdout);
    for (auto [node, classname] : {std::pair{world, "worldspawn"}, {detail, "func_detail"}}) {
        session.select({node});
        const std::string note =
            std::string("Light values do not apply to ") + classname + ": the game ignores them.";
        EXPECT_EQ(panel.pageNote(panel.page("Light Params")), note);
        EXPECT_NE(describePages(panel).find("Light Params\n  [greyed] " + note + "\n"),
                  std::string::npos);
        EXPECT_FALSE(IsWindowEnabled(control("Fast Strobe"))) << classname;
        const std::string step = session.undoName();
        EXPECT_FALSE(script.runText("ignored", "set \"Fast Strobe\"\n")) << classname;
        EXPECT_EQ(session.undoName(), step) << classname;
    }
    const std::vector<unsigned char> detailBefore = saveObjectChunks(*detail->object()),
                                     lampBefore = saveObjectChunks(*lamp->object());
    session.select({lamp, detail});
    EXPECT_EQ(panel.pageNote(panel.page("Light Params")), "") << "the light's own page";
    SendMessageA(control("Off"), BM_CLICK, 0, 0);
    panel.runPostedTasks();
    EXPECT_NE(saveObjectChunks(*lamp->object()), lampBefore);
    EXPECT_EQ(saveObjectChunks(*detail->object()), detailBefore);
}

// A box made with Ctrl+B or the script's box command takes a texture the game has: a
// trigger's the game's trigger texture, any other the texture the scene's brushes use most
// (the host's own name only in a scene with no brushes); a texture the script names wins.
TEST_F(DesignerFaultsTest, ABoxTakesATextureTheGameHas) {
    ScriptRunner script(session, stdout);
    ASSERT_TRUE(script.runText("helpers",
                               "create Door at 0 0 0 as first\n"
                               "create \"Trigger Once\" at 64 0 0 as hall\n"
                               "create Door at 128 0 0 as second\n"))
        << script.error();
    auto newestBoxTextures = [&](const char* name) {
        const Node* node = session.node(name);
        KeptEntity kept;
        std::string error;
        EXPECT_TRUE(node->kept() &&
                    decodeKeptEntity(node->kept()->data(), node->kept()->size(), kept, error))
            << name << error;
        Lines textures;
        if (!kept.brushes.empty())
            for (std::string_view texture : faceTextures(kept.brushes.back()))
                textures.emplace_back(texture);
        return textures;
    };
    session.select({session.node("first")});
    main.command(MainWindow::CMD_ADD_BOX);
    EXPECT_EQ(newestBoxTextures("first"), Lines(6, "vexal_box")) << "the scene had no brush";
    ASSERT_TRUE(script.runText("room",
                               "brush worldspawn box -256 -256 -16 256 256 0 texture stone\n"
                               "brush worldspawn box -256 -256 128 256 256 144 texture stone\n"
                               "brush worldspawn box -256 -256 0 -240 256 128 texture wall\n"))
        << script.error();
    const struct {
        const char* node;
        const char* scriptLine;  // null: Ctrl+B on the node
        const char* texture;
    } boxes[] = {
        {"hall", nullptr, "trigger"},
        {"second", nullptr, "stone"},
        {"second", "brush second box 0 0 0 8 8 8\n", "stone"},
        {"second", "brush second box 0 0 0 8 8 8 texture door\n", "door"},
    };
    for (const auto& box : boxes) {
        if (box.scriptLine) {
            ASSERT_TRUE(script.runText("box", box.scriptLine)) << script.error();
        } else {
            session.select({session.node(box.node)});
            press('B', VK_CONTROL, top);
        }
        EXPECT_EQ(newestBoxTextures(box.node), Lines(6, box.texture))
            << box.node << " " << (box.scriptLine ? box.scriptLine : "Ctrl+B");
    }
}

// Check on a real level: a report of three doors without brushes that nothing triggers, one
// with a message map text cannot hold. Its findings are grouped by rule, each with its count,
// and filtered by severity.
class CheckReportTest : public DesignerFaultsTest {
protected:
    void SetUp() override {
        DesignerFaultsTest::SetUp();
        ScratchFile map("check-report", ".map");
        std::string text = "{\n\"classname\" \"worldspawn\"\n}\n";
        for (int i = 0; i < 3; ++i)
            text += "{\n\"classname\" \"func_door\"\n\"targetname\" \"door" + std::to_string(i) +
                    "\"\n\"origin\" \"" + std::to_string(512 * i + 512) + " 0 0\"\n}\n";
        ASSERT_TRUE(writeFile(map.path(), text));
        main.mapMenu().importMap(map.path());
        ASSERT_EQ(session.scene().size(), 4u);
        session.select({session.scene().nodes()[1].get()});
        ASSERT_TRUE(setControlValue(control("Message"), "say \"open\""));
        main.command(MainWindow::CMD_CHECK);
    }
    FindingsWindow& report() { return main.mapMenu().checkReport(); }
    static Lines rows(HWND list) {
        Lines texts;
        for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[512] = {};
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    // A user's pick in a list or the severity box, with the notice it sends its window.
    void pick(HWND control, int row) {
        const bool box = control == report().severityBox();
        SendMessageA(control, box ? CB_SETCURSEL : LB_SETCURSEL, row, 0);
        SendMessageA(report().window(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(control), box ? CBN_SELCHANGE : LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
    }
};

TEST_F(CheckReportTest, FindingsAreGroupedByRuleWithCountsAndFilteredBySeverity) {
    const Lines all = {"All rules (7)", "Text the map cannot hold (1)",
                       "Brush entity without brushes (3)", "Door never triggered (3)"};
    EXPECT_EQ(rows(report().ruleList()), all);
    const struct {
        int severity;  // the box's row: All, Errors, Warnings
        Lines rules;
        size_t lines;
    } filters[] = {
        {1, {"All rules (1)", "Text the map cannot hold (1)"}, 1},
        {2, {"All rules (6)", "Brush entity without brushes (3)", "Door never triggered (3)"}, 6},
        {0, all, 7},
    };
    for (const auto& filter : filters) {
        pick(report().severityBox(), filter.severity);
        EXPECT_EQ(rows(report().ruleList()), filter.rules) << filter.severity;
        EXPECT_EQ(rows(report().list()).size(), filter.lines) << filter.severity;
    }
    pick(report().ruleList(), 3);
    pick(report().severityBox(), 2);  // the rule picked stays picked while it finds anything
    const Lines doors = rows(report().list());
    ASSERT_EQ(doors.size(), 3u);
    for (const std::string& line : doors)
        EXPECT_NE(line.find("nothing targets the door's target name"), std::string::npos) << line;
}

// The report opens beside the main window when the screen has room, else over its views,
// placed afresh each time: it hides neither the pages nor the position fields. A finding
// picked there shows its entity in every view.
TEST_F(CheckReportTest, TheReportKeepsOffThePagesAndAPickedFindingIsFramedInEveryView) {
    RECT screen, owner, overlap;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    auto reopenWithMainWindowOf = [&](int width) {
        SendMessageA(report().window(), WM_CLOSE, 0, 0);
        MoveWindow(main.window(), screen.left, screen.top, width, screen.bottom - screen.top, TRUE);
        main.command(MainWindow::CMD_CHECK);
        RECT mine;
        GetWindowRect(report().window(), &mine);
        GetWindowRect(main.window(), &owner);
        return mine;
    };
    EXPECT_GE(reopenWithMainWindowOf(screen.right - screen.left - 640).left, owner.right)
        << "the screen has room beside the window";
    const RECT mine = reopenWithMainWindowOf(screen.right - screen.left);
    RECT other;
    for (HWND kept : {session.pages().commandPanel().window(), main.positionFields().field(0),
                      main.positionFields().field(2)}) {
        GetWindowRect(kept, &other);
        EXPECT_FALSE(IntersectRect(&overlap, &mine, &other));
    }
    HWND list = report().list();
    const LRESULT last = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1;
    SendMessageA(list, LB_SETCURSEL, last, 0);
    SendMessageA(report().window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    const std::vector<Node*> picked = session.scene().selection();
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_NE(picked[0]->position().x, 0.0f) << "a door, away from the world";
    for (int i = 0; i < 4; ++i) {
        const Point3 target = main.viewport(i).view().camera().target();
        EXPECT_EQ(std::make_pair(target.x, target.y),
                  std::make_pair(picked[0]->position().x, picked[0]->position().y))
            << "view " << i;
    }
}

}  // namespace
