// The interactive host driven through window messages, as the mouse and keyboard would:
// arming a kind, clicking it into a viewport, selecting, and editing on its pages.
#include "main_window_fixture.h"
#include "kept_entity.h"
#include "brush_text.h"
#include <tuple>

namespace {

TEST_F(MainWindowTest, EveryHostWindowRunsItsClassProcedureFromItsFirstMessage) {
    // A window subclassed after creation would have missed its WM_NCCREATE and WM_CREATE.
    std::vector<HWND> windows = {main.window(), session.pages().commandPanel().window()};
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
    Node* door = createDoorAt(Point3(32, 16, 0));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(session.scene().size(), 1u);
    // A new scene's grid of 16 keeps the point where it was clicked.
    EXPECT_NEAR(door->position().x, 32, 1e-3);
    EXPECT_NEAR(door->position().y, 16, 1e-3);
    EXPECT_TRUE(door->selected());
    EXPECT_EQ(session.pages().commandPanel().pageTitles(),
              (std::vector<std::string>{"Parameters", "Door Params", "Map Parameters"}));

    // An edit on the page reaches the helper and redraws through its notification.
    int before = door->changeCount();
    HWND gold = session.pages().commandPanel().findControl("Gold Key");
    ASSERT_NE(gold, nullptr);
    setControlValue(gold, "1");
    EXPECT_EQ(controlValue(gold), "1");
    EXPECT_GT(door->changeCount(), before);
}

TEST_F(MainWindowTest, ClicksAndRubberBandsSelect) {
    Node* a = createDoorAt(Point3(-40, 0, 0));
    Node* b = createDoorAt(Point3(40, 0, 0));
    ASSERT_TRUE(a && b);
    POINT pa = at(Point3(-40, 0, 0)), pb = at(Point3(40, 0, 0));
    click(top, pa.x, pa.y);
    EXPECT_TRUE(a->selected());
    EXPECT_FALSE(b->selected());
    click(top, pa.x, pa.y + 60);  // empty space clears the selection
    EXPECT_FALSE(a->selected());
    EXPECT_TRUE(session.pages().commandPanel().pages().empty());
    drag(top, POINT{pa.x - 30, pa.y - 30}, POINT{pb.x + 30, pb.y + 30});
    EXPECT_TRUE(a->selected());
    EXPECT_TRUE(b->selected());
    EXPECT_EQ(session.pages().commandPanel().pageTitles().size(), 3u) << "the first door's pages";
    EXPECT_EQ(session.pages().commandPanel().title(), "2 selected");
}

TEST_F(MainWindowTest, DraggingTheSelectionMovesItAndDeleteRemovesIt) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    POINT p = at(Point3(0, 0, 0)), q = at(Point3(48, 32, 0));
    drag(top, p, q);
    // The drag's ends are whole pixels: the move is right to within a pixel's size.
    const float pixel = main.viewport(0).view().camera().unitsPerPixel();
    EXPECT_NEAR(door->position().x, 48, pixel);
    EXPECT_NEAR(door->position().y, 32, pixel);
    main.command(MainWindow::CMD_CLONE);
    EXPECT_EQ(session.scene().size(), 2u);
    main.command(MainWindow::CMD_DELETE);
    EXPECT_EQ(session.scene().size(), 1u);
    EXPECT_TRUE(session.pages().commandPanel().pages().empty());
}

TEST_F(MainWindowTest, PagesFollowTheSelectedHelperAndItsClass) {
    Node* door = createDoorAt(Point3(-40, 0, 0));
    std::string error;
    Node* lamp = session.create(*session.findKind("VexalEntity"), Point3(40, 0, 0), "", error);
    ASSERT_TRUE(door && lamp) << error;
    const Lines doorPages = {"Parameters", "Door Params", "Map Parameters"};
    const Lines lightPages = {"Parameters", "Light Params", "Map Parameters"};
    const struct {
        Node* clicked;
        const char* pickedClass;  // then picked in the class list, or null
        Lines pages;
    } steps[] = {
        {lamp, nullptr, lightPages},    {door, nullptr, doorPages},
        {door, "light", lightPages},    {door, "func_button", {"Parameters", "Map Parameters"}},
        {door, "func_door", doorPages},
    };
    for (const auto& step : steps) {
        POINT p = at(step.clicked->position());
        click(top, p.x, p.y);
        if (step.pickedClass) {
            ASSERT_TRUE(clickListItem(control("Class"), step.pickedClass));
            pumpMessages();
            EXPECT_EQ(GetFocus(), control("Class")) << "the focus stays in the class list";
        }
        EXPECT_EQ(session.pages().commandPanel().pageTitles(), step.pages)
            << (step.pickedClass ? step.pickedClass : step.clicked->name());
    }
}

TEST_F(MainWindowTest, ChangesMarkTheTitleAndAreNotDroppedWithoutAsking) {
    EXPECT_EQ(title(), "untitled - Vexal Host");
    createDoorAt(Point3(0, 0, 0));
    EXPECT_EQ(title(), "untitled* - Vexal Host");
    const struct {
        const char* what;
        UINT message;
        int command;
        const char* button;
        size_t nodes;
    } steps[] = {
        {"New, cancelled", WM_COMMAND, MainWindow::CMD_NEW, "Cancel", 1},
        {"Exit, cancelled", WM_COMMAND, MainWindow::CMD_EXIT, "Cancel", 1},
        {"close box, cancelled", WM_CLOSE, 0, "Cancel", 1},
        {"New, not saved", WM_COMMAND, MainWindow::CMD_NEW, "Don't Save", 0},
    };
    for (const auto& step : steps) {
        ModalAnswer answer{step.button};
        answerNextDialog(answer);
        SendMessageA(main.window(), step.message, step.command, 0);
        EXPECT_EQ(answer.text, "Save changes to untitled?") << step.what;
        ASSERT_TRUE(IsWindow(main.window())) << step.what;
        EXPECT_EQ(session.scene().size(), step.nodes) << step.what;
    }
    EXPECT_EQ(title(), "untitled - Vexal Host");
}

TEST_F(MainWindowTest, SaveAsStartsBesideTheSceneAndThePromptSavesTheEdit) {
    const std::string folder = makeScratchFolder("window-save"), file = folder + "\\gate.vxs";
    createDoorAt(Point3(0, 0, 0));
    std::string error;
    ASSERT_TRUE(session.save(file, error)) << error;
    ASSERT_TRUE(main.open(file));
    EXPECT_EQ(title(), "gate.vxs - Vexal Host");

    ModalAnswer saveAs{"Cancel"};
    answerNextDialog(saveAs);
    main.command(MainWindow::CMD_SAVE_AS);
    EXPECT_EQ(saveAs.folder, folder);
    EXPECT_EQ(saveAs.fileName, "gate.vxs");

    POINT p = at(session.scene().nodes()[0]->position());
    click(top, p.x, p.y);
    setControlValue(control("Speed"), "120");
    EXPECT_EQ(title(), "gate.vxs* - Vexal Host") << "a change announced by the helper's page";
    ModalAnswer save{"Save"};
    answerNextDialog(save);
    main.command(MainWindow::CMD_EXIT);
    EXPECT_TRUE(save.answered);
    EXPECT_EQ(main.window(), nullptr);

    HostSession reader;
    ASSERT_TRUE(reader.start(error) && reader.load(file, error)) << error;
    reader.select({reader.scene().nodes()[0].get()});
    EXPECT_EQ(controlValue(reader.pages().commandPanel().findControl("Speed")), "120");
}

TEST_F(MainWindowTest, KeysInThePagesWorkAsInAnyDialog) {
    createDoorAt(Point3(0, 0, 0));
    HWND map = session.pages().commandPanel().page("Map Parameters");
    HWND key1 = findLabelledControl(map, "Key 1");
    SetFocus(key1);
    press(VK_TAB);
    EXPECT_TRUE(IsChild(findLabelledControl(map, "Value 1"), GetFocus()))
        << "Tab: the key's value, beside it";
    press(VK_TAB, VK_SHIFT);
    EXPECT_TRUE(IsChild(key1, GetFocus())) << "Shift+Tab: back";

    for (char c : std::string("target")) SendMessageA(GetFocus(), WM_CHAR, c, 1);
    SendMessageA(GetFocus(), EM_SETSEL, 6, 6);
    press('A', VK_CONTROL);
    DWORD from = 0, to = 0;
    SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(std::make_pair(from, to), std::make_pair(DWORD(0), DWORD(6))) << "Ctrl+A";

    // A spinner's field that holds no number on Enter shows the spinner's value again.
    setControlValue(control("Speed"), "120");
    Node* door = session.scene().nodes()[0].get();
    const int changes = door->changeCount();
    SetFocus(control("Speed"));
    for (char c : std::string("abc")) SendMessageA(GetFocus(), WM_CHAR, c, 1);
    press(VK_RETURN);
    EXPECT_EQ(controlValue(control("Speed")), "120");
    EXPECT_EQ(door->changeCount(), changes) << "nothing stored";
}

TEST_F(MainWindowTest, TheWheelScrollsThePanelToBothEndsAndEveryPageIsRepainted) {
    ShowWindow(main.window(), SW_SHOW);  // only what is shown has anything to repaint
    createDoorAt(Point3(0, 0, 0));
    CommandPanel& panel = session.pages().commandPanel();
    RECT client;
    GetClientRect(panel.window(), &client);
    auto pageTop = [&](HWND page) {
        RECT r;
        GetWindowRect(GetParent(page), &r);
        MapWindowPoints(nullptr, panel.window(), reinterpret_cast<POINT*>(&r), 2);
        return std::make_pair(r.top, r.bottom);
    };
    const std::vector<HWND> pages = panel.pages();
    for (int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
        for (int notch = 0; notch < 40; ++notch) {
            UpdateWindow(panel.window());
            RedrawWindow(panel.window(), nullptr, nullptr,
                         RDW_VALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
            const int before = panel.scrollPosition();
            SendMessageA(panel.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
            if (panel.scrollPosition() == before) break;
            for (HWND page : pages)
                for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                    RECT r, shown;
                    GetWindowRect(c, &r);
                    MapWindowPoints(nullptr, panel.window(), reinterpret_cast<POINT*>(&r), 2);
                    if (IntersectRect(&shown, &r, &client)) {
                        EXPECT_TRUE(GetUpdateRect(c, nullptr, FALSE)) << "a control left as it was";
                    }
                }
        }
        if (delta < 0) {
            EXPECT_GT(panel.scrollPosition(), 0) << "the door's pages are taller than the panel";
            EXPECT_EQ(pageTop(pages.back()).second, client.bottom - 4) << "the bottom reached";
        } else {
            EXPECT_EQ(panel.scrollPosition(), 0);
            EXPECT_EQ(pageTop(pages.front()).first, 4) << "the top reached";
        }
    }
}

TEST_F(MainWindowTest, EditCheckListsTheReportAndADoubleClickSelectsTheHelper) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    setControlValue(session.pages().commandPanel().findControl("Target Name"), "vault");
    session.select({});
    main.command(MainWindow::CMD_CHECK);
    HWND list = main.mapMenu().reportList();
    ASSERT_NE(list, nullptr);
    // The second finding: a door made in the host has no brushes.
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
    char line[256] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_EQ(std::string(line), door->name() +
                                     " (func_door): warning: nothing targets the "
                                     "door's target name \"vault\"");
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(main.mapMenu().reportWindow(), WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(door->selected());
    EXPECT_EQ(session.pages().commandPanel().pageTitles().size(), 3u);
}

TEST_F(MainWindowTest, UndoAndRedoTakeEachStepBackAndTheChangedMarkWithThem) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    const std::vector<unsigned char> fresh = saveObjectChunks(*door->object());
    session.select({door});
    setControlValue(control("Speed"), "120");
    session.select({});  // the pages close: the edit is one step
    POINT p = at(Point3(0, 0, 0)), q = at(Point3(50, 30, 0));
    drag(top, p, q);  // pressed on the unselected door: selected and moved in one gesture
    EXPECT_TRUE(door->selected());
    EXPECT_NEAR(door->position().x, 50, 3.0);  // a pixel's worth of world units

    HMENU edit = GetSubMenu(GetMenu(main.window()), 1);
    auto undoItem = [&] {
        SendMessageA(main.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        char text[64] = {};
        GetMenuStringA(edit, MainWindow::CMD_UNDO, text, sizeof text, MF_BYCOMMAND);
        return std::string(text);
    };
    EXPECT_EQ(undoItem(), "&Undo Move\tCtrl+Z");
    press('Z', VK_CONTROL);
    EXPECT_NEAR(door->position().x, 0, 1e-3);
    EXPECT_EQ(undoItem(), "&Undo func_door edit\tCtrl+Z");
    press('Z', VK_CONTROL);
    EXPECT_EQ(saveObjectChunks(*door->object()), fresh) << "the page edit undone byte for byte";
    press('Z', VK_CONTROL);
    EXPECT_TRUE(session.scene().nodes().empty());
    EXPECT_EQ(title(), "untitled - Vexal Host") << "back to the state of the file";
    press('Y', VK_CONTROL);
    press('Y', VK_CONTROL);
    ASSERT_EQ(session.scene().size(), 1u);
    EXPECT_EQ(session.scene().nodes()[0].get(), door);
    EXPECT_NE(saveObjectChunks(*door->object()), fresh) << "the page edit redone";
    EXPECT_EQ(title(), "untitled* - Vexal Host");
}

// The window's shortcuts from the places a user leaves the focus in: a page's field (Ctrl+S
// saves, and the mark goes at once), the entity list (Delete, Ctrl+Z), a light's page after
// a click on the light in a viewport (its Start State button may hold the focus).
TEST_F(MainWindowTest, ShortcutsWorkWhereverTheFocusIsInTheWindow) {
    const std::string file = makeScratchFolder("window-keys") + "\\keys.vxs";
    createDoorAt(Point3(0, 0, 0));
    std::string error;
    ASSERT_TRUE(session.save(file, error) && main.open(file)) << error;
    session.select({session.scene().nodes()[0].get()});  // the door as read back
    setControlValue(control("Speed"), "120");
    ASSERT_EQ(title(), "keys.vxs* - Vexal Host");
    SetFocus(control("Speed"));
    press('S', VK_CONTROL);
    EXPECT_EQ(title(), "keys.vxs - Vexal Host") << "saved from the page's field";

    SetFocus(main.entityList().list());
    press(VK_DELETE);
    EXPECT_TRUE(session.scene().nodes().empty()) << "Delete in the entity list";
    press('Z', VK_CONTROL);
    EXPECT_EQ(session.scene().size(), 1u) << "Ctrl+Z in the entity list";

    Node* lamp = session.create(*session.findKind("VexalEntity"), Point3(60, 0, 0), "", error);
    ASSERT_NE(lamp, nullptr) << error;
    session.select({});
    POINT p = at(lamp->position());
    click(top, p.x, p.y);
    ASSERT_TRUE(lamp->selected());
    press(VK_DELETE);
    EXPECT_EQ(session.scene().size(), 1u) << "Delete after a click on the light";
    press('Z', VK_CONTROL);
    EXPECT_EQ(session.scene().size(), 2u) << "Ctrl+Z after it";
}

TEST_F(MainWindowTest, EscapeLeavesCreateModeAndACloneLandsBesideItsSource) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    SendMessageA(main.kindButton("Door"), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(main.kindButton("Door"), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(top, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(SendMessageA(main.kindButton("Door"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    POINT p = at(Point3(80, 80, 0));
    click(top, p.x, p.y);
    EXPECT_EQ(session.scene().size(), 1u) << "no helper placed after Escape";

    session.select({door});
    main.command(MainWindow::CMD_CLONE);
    ASSERT_EQ(session.scene().size(), 2u);
    Node* copy = session.scene().nodes()[1].get();
    EXPECT_TRUE(copy->selected());
    EXPECT_FALSE(door->selected());
    EXPECT_EQ(copy->position(), Point3(main.viewport(0).view().gridSpacing, 0, 0));
}

// Text typed into a page counts as soon as it is committed, and text still being typed is
// stored before the scene is let go: each kind of field, left by Tab, Enter or not at all.
TEST_F(MainWindowTest, NothingTypedIsLost) {
    const std::string file = makeScratchFolder("window-typed") + "\\typed.vxs";
    std::string error;
    run("create Door at 0 0 0 as gold_door\nselect gold_door\nset \"Key 1\" wait\n");
    ASSERT_TRUE(session.save(file, error)) << error;
    const struct {
        const char* field;
        const char* typed;
        WPARAM commit;  // 0: left in the field
        UINT leave;     // WM_COMMAND CMD_NEW, or the close box
    } steps[] = {
        {"Target Name", "crypt", VK_TAB, WM_COMMAND},
        {"Message", "Locked tight", VK_RETURN, WM_COMMAND},
        {"Value 1", "4", 0, WM_COMMAND},
        {"Target Name", "vault", 0, WM_CLOSE},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(main.open(file));
        session.select({session.node("gold_door")});
        SetFocus(control(step.field));
        type(step.typed);
        if (step.commit) {
            press(step.commit);
            EXPECT_EQ(title(), "typed.vxs* - Vexal Host") << step.field;
            EXPECT_EQ(session.undoName(), "func_door edit") << step.field;
        }
        ModalAnswer save{"Save"};
        answerNextDialog(save);
        SendMessageA(main.window(), step.leave, MainWindow::CMD_NEW, 0);
        EXPECT_EQ(save.text, "Save changes to typed.vxs?") << step.field;

        HostSession reader;
        ASSERT_TRUE(reader.start(error) && reader.load(file, error)) << error;
        reader.select({reader.node("gold_door")});
        EXPECT_EQ(controlValue(reader.pages().commandPanel().findControl(step.field)), step.typed);
    }
    EXPECT_EQ(main.window(), nullptr) << "closed";
}

// The file dialogs of the map commands say what they are for.
TEST_F(MainWindowTest, MapFileDialogsAreTitledForTheirCommand) {
    const struct {
        int command;
        const char* title;
    } dialogs[] = {{MainWindow::CMD_IMPORT_MAP, "Import Map"},
                   {MainWindow::CMD_EXPORT_MAP, "Export Map"}};
    for (const auto& dialog : dialogs) {
        ModalAnswer answer{"Cancel"};
        answerNextDialog(answer);
        main.command(dialog.command);
        EXPECT_EQ(answer.title, dialog.title);
    }
}

// With the snap on, the pivot the mouse holds lands on the grid, or on another helper's
// pivot near it, wherever on the helper it was grabbed.
TEST_F(MainWindowTest, ADragWithSnapPutsTheGrabbedPivotOnTheGridOrAPivot) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    std::string error;
    Node* lamp =
        session.create(*session.findKind("VexalEntity"), Point3(73.5f, -36.25f, 0), "lamp", error);
    ASSERT_TRUE(door && lamp) << error;
    const struct {
        Point3 dropped;  // where the pivot would go, unsnapped
        Point3 landed;
    } drops[] = {
        {Point3(47.3f, 21.6f, 0), Point3(48, 16, 0)},
        {Point3(-23.8f, -61.4f, 0), Point3(-16, -64, 0)},
        {Point3(74.6f, -35.1f, 0), Point3(73.5f, -36.25f, 0)},
    };
    for (const auto& drop : drops) {
        session.select({door});
        POINT from = at(door->position()), to = at(drop.dropped);
        const POINT off{3, -2};  // grabbed beside the pivot
        drag(top, POINT{from.x + off.x, from.y + off.y}, POINT{to.x + off.x, to.y + off.y});
        EXPECT_EQ(door->position(), drop.landed) << drop.dropped.x << " " << drop.dropped.y << ": "
                                                 << door->position().x << " " << door->position().y;
    }
}

// The report opens beside the main window, follows the scene's changes while it is shown,
// and goes with its close box or Escape.
TEST_F(MainWindowTest, TheCheckReportStaysCurrentAndClosesAsWindowsDo) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    setControlValue(control("Target Name"), "vault");
    main.command(MainWindow::CMD_CHECK);
    HWND report = main.mapMenu().reportWindow(), list = main.mapMenu().reportList();
    ASSERT_TRUE(report && IsWindowVisible(report));
    RECT mine, owner;
    GetWindowRect(report, &mine);
    GetWindowRect(main.window(), &owner);
    EXPECT_GT(mine.left, owner.left) << "not at the screen's corner, over the menu bar";
    EXPECT_GT(mine.top, owner.top);
    EXPECT_TRUE(GetWindowLongA(report, GWL_STYLE) & WS_SYSMENU) << "a close box";
    setControlValue(control("Target Name"), "crypt");
    pumpMessages();
    char line[256] = {};
    SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_NE(std::string(line).find("\"crypt\""), std::string::npos) << "checked again: " << line;

    press(VK_ESCAPE, 0, list);
    EXPECT_FALSE(IsWindowVisible(report)) << "Escape";
    main.command(MainWindow::CMD_CHECK);
    SendMessageA(report, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(report)) << "the close box";
}

// At 900 by 600 the viewports keep half the width; the entity list gives way, and View >
// Entity List hides and shows it.
TEST_F(MainWindowTest, TheViewportsKeepHalfTheWidthOfASmallWindow) {
    SetWindowPos(main.window(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(main.window(), &client);
    auto viewportsWidth = [&] {
        RECT left, right;
        GetWindowRect(main.viewport(0).window(), &left);
        GetWindowRect(main.viewport(1).window(), &right);
        return right.right - left.left;
    };
    HWND list = main.entityList().window();
    RECT listArea;
    GetWindowRect(list, &listArea);
    MapWindowPoints(nullptr, main.window(), reinterpret_cast<POINT*>(&listArea), 2);
    EXPECT_GE(listArea.left, client.right / 2) << "the viewports' share";
    EXPECT_GT(listArea.right, listArea.left);
    auto shown = [&] { return (GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_TRUE(shown());
    const LONG shared = viewportsWidth();
    main.command(MainWindow::CMD_ENTITY_LIST);
    EXPECT_FALSE(shown());
    EXPECT_GT(viewportsWidth(), shared);
    main.command(MainWindow::CMD_ENTITY_LIST);
    EXPECT_TRUE(shown());
    EXPECT_EQ(viewportsWidth(), shared);
}

// F and Shift+F leave room round the framed helpers for their labels.
TEST_F(MainWindowTest, FramingLeavesAMarginRoundTheHelpers) {
    run("create Door at -1500 -400 0 as west\ncreate Door at 1500 400 0 as east\n"
        "select west east\n");
    for (bool allViews : {false, true}) {
        press('F', allViews ? VK_SHIFT : 0, top);
        RECT view;
        GetClientRect(top, &view);
        for (const char* name : {"west", "east"}) {
            const POINT p = at(session.node(name)->position());
            EXPECT_GE(std::min(p.x, view.right - p.x), view.right / 6) << name;
            EXPECT_GE(std::min(p.y, view.bottom - p.y), view.bottom / 6) << name;
        }
    }
}

// Edit > Add Box Brush gives each selected helper a box round its pivot, one step; the
// box is a brush it keeps, and undo takes it away.
TEST_F(MainWindowTest, AddBoxBrushGivesEachSelectedHelperABoxAsOneStep) {
    Node* a = createDoorAt(Point3(-40, 0, 0));
    Node* b = createDoorAt(Point3(40, 0, 0));
    session.select({a, b});
    main.command(MainWindow::CMD_ADD_BOX);
    EXPECT_TRUE(a->kept() && b->kept());
    EXPECT_EQ(session.undoName(), "Add Box Brush");
    for (Node* node : {a, b}) {
        KeptEntity kept;
        std::string error;
        ASSERT_TRUE(decodeKeptEntity(node->kept()->data(), node->kept()->size(), kept, error));
        ASSERT_EQ(kept.brushes.size(), 1u);
        EXPECT_FALSE(kept.hadOrigin) << "a brush entity made so gets no origin";
    }
    session.undo();
    EXPECT_TRUE(!a->kept() && !b->kept());
}

// In the top view each selected box shows a handle on its four upright sides; dragging
// one puts that side on the grid line nearest the mouse, a unit short of the opposite
// side at most, and each drag is one step.
TEST_F(MainWindowTest, DraggingABoxSideHandleResizesTheBoxOnTheGrid) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_TRUE(door);
    session.select({door});
    main.command(MainWindow::CMD_ADD_BOX);  // -16 -16 0 .. 16 16 64 on a grid of 16; a handle
                                            // sits at the middle of its side
    const struct {
        Point3 handle, dropped;
        MapVector low, high;
    } drags[] = {
        {Point3(16, 0, 0), Point3(33, 4, 0), {-16, -16, 0}, {32, 16, 64}},
        {Point3(8, -16, 0), Point3(7, 50, 0), {-16, 15, 0}, {32, 16, 64}},
    };
    for (const auto& d : drags) {
        drag(top, at(d.handle), at(d.dropped));
        KeptEntity kept;
        std::string error;
        ASSERT_TRUE(decodeKeptEntity(door->kept()->data(), door->kept()->size(), kept, error));
        MapVector low, high;
        ASSERT_TRUE(brushBox(kept.brushes.at(0), low, high));
        EXPECT_EQ(std::make_tuple(low.x, low.y, low.z, high.x, high.y, high.z),
                  std::make_tuple(d.low.x, d.low.y, d.low.z, d.high.x, d.high.y, d.high.z))
            << "dropped at " << d.dropped.x << " " << d.dropped.y;
        EXPECT_EQ(session.undoName(), "Resize Box");
    }
    EXPECT_EQ(session.undo(2), 2);
    EXPECT_EQ(session.undoName(), "Add Box Brush");
}

}  // namespace

// View > Animate Light Styles: checked while the lights in the viewports glow as their
// styles play (a new light's is normal, a steady glow), and the pictures are as before
// once it is off again.
TEST_F(MainWindowTest, AnimateLightStylesTurnsTheLightsGlowOnAndOff) {
    HWND lightKind = main.kindButton("VexalEntity");
    SendMessageA(lightKind, BM_CLICK, 0, 0);
    const POINT p = at(Point3(0, 0, 0));
    click(top, p.x, p.y);
    SendMessageA(lightKind, BM_CLICK, 0, 0);
    ASSERT_EQ(session.scene().size(), 1u);
    session.select({});
    HMENU view = GetSubMenu(GetMenu(main.window()), 2);
    auto shown = [&] {  // the item's check, and a pixel beside the light as painted
        SendMessageA(main.window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
        SendMessageA(top, WM_PAINT, 0, 0);
        const bool checked =
            GetMenuState(view, MainWindow::CMD_ANIMATE_LIGHTS, MF_BYCOMMAND) & MF_CHECKED;
        return std::make_pair(checked, main.viewport(0).view().image().pixel(p.x - 4, p.y + 4));
    };
    const auto still = shown();
    main.command(MainWindow::CMD_ANIMATE_LIGHTS);
    const auto glowing = shown();
    main.command(MainWindow::CMD_ANIMATE_LIGHTS);
    EXPECT_FALSE(still.first);
    EXPECT_TRUE(glowing.first);
    EXPECT_GT(glowing.second.g, still.second.g);
    EXPECT_TRUE(shown() == still);

    // A style clicked on the light's page is a change at once, so the glow follows it.
    std::string error;
    session.select({session.scene().nodes()[0].get()});
    ASSERT_TRUE(session.save(makeScratchFolder("light-style") + "\\light.vxs", error)) << error;
    SendMessageA(control("Fast Strobe"), BM_CLICK, 0, 0);
    EXPECT_TRUE(session.modified());
}

// A level from another editor can give thousands of warnings: a message box of them all
// once crashed the host. They go to a report window; the status bar sums them up.
TEST_F(MainWindowTest, AnImportOfManyWarningsReportsThemInAWindowNotABox) {
    ScratchFile map("warnings", ".map");
    std::string text = "{\n\"classname\" \"worldspawn\"\n}\n";
    for (int i = 0; i < 600; ++i)
        text += "{\n\"classname\" \"misc_model\"\n\"origin\" \"" + std::to_string(i * 16) +
                " 0 0\"\n}\n";
    ASSERT_TRUE(writeFile(map.path(), text));
    main.mapMenu().importMap(map.path());  // a message box would hold the test here
    EXPECT_EQ(session.scene().size(), 601u);
    HWND report = main.mapMenu().importReport().window(),
         list = main.mapMenu().importReport().list();
    ASSERT_TRUE(report && IsWindowVisible(report));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 600);
    char status[256] = {};
    SendMessageA(FindWindowExA(main.window(), nullptr, STATUSCLASSNAMEA, nullptr), SB_GETTEXTA, 2,
                 reinterpret_cast<LPARAM>(status));
    EXPECT_NE(std::string(status).find("Imported 601 entities: 600 warnings of 1 kind"),
              std::string::npos)
        << status;
    SendMessageA(list, LB_SETCURSEL, 5, 0);
    SendMessageA(report, WM_COMMAND, MAKEWPARAM(1, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    const std::vector<Node*> picked = session.scene().selection();
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0]->position().x, 5 * 16) << "the sixth warning's entity";
}

// Escape while a drag moves the selection takes the drag back whole: no step is left.
TEST_F(MainWindowTest, EscapeDuringADragTakesTheMoveBack) {
    Node* door = createDoorAt(Point3(0, 0, 0));
    ASSERT_NE(door, nullptr);
    const std::string lastStep = session.undoName();
    const POINT p = at(Point3(0, 0, 0)), q = at(Point3(64, 32, 0));
    SendMessageA(top, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(top, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(q.x, q.y));
    EXPECT_NE(door->position(), Point3(0, 0, 0));
    SendMessageA(top, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(top, WM_LBUTTONUP, 0, MAKELPARAM(q.x, q.y));
    EXPECT_EQ(door->position(), Point3(0, 0, 0));
    EXPECT_EQ(session.undoName(), lastStep);
}
