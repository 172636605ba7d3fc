// Faults a designer met on a real level, each as he met it.
#include "main_window_fixture.h"
#include <cctype>
#include "window/class_search_box.h"
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

}  // namespace
