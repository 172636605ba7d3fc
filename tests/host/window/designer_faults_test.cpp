// Faults a designer met on a real level, each as he met it.
#include "main_window_fixture.h"
#include "window/class_search_box.h"

namespace {

using DesignerFaultsTest = MainWindowTest;

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

}  // namespace
