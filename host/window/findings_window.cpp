#include "window/findings_window.h"
#include <algorithm>
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalHostFindings";
constexpr int LIST_ID = 1;
constexpr int REPORT_WIDTH = 640, REPORT_HEIGHT = 260;
constexpr int REPORT_INSET = 24;  // from the owner's edges, when it lies over the owner
constexpr int STACK_STEP = 28;    // a caption's height, so that each report's title shows

}  // namespace

BoundWindow::Place FindingsWindow::place() const {
    RECT owner, screen;
    GetWindowRect(owner_, &owner);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int x = owner.right + REPORT_WIDTH <= screen.right
                      ? owner.right
                      : std::max(owner.left, owner.right - REPORT_WIDTH - REPORT_INSET);
    const int y =
        std::max(owner.top, owner.bottom - REPORT_HEIGHT - REPORT_INSET - stack_ * STACK_STEP);
    return Place{x, y, REPORT_WIDTH, REPORT_HEIGHT};
}

void FindingsWindow::create() {
    createBoundWindow(windowClass, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, title_,
                      0, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place(), owner_);
    list_ = childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                         WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, window(),
                         LIST_ID);
    RECT client;
    GetClientRect(window(), &client);
    MoveWindow(list_, 0, 0, client.right, client.bottom, TRUE);
}

void FindingsWindow::show(const std::vector<FindingLine>& lines) {
    if (!window()) create();
    lines_ = lines;
    const LRESULT top = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
    const LRESULT picked = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    SendMessageA(list_, LB_INITSTORAGE, lines_.size(), lines_.size() * 64);
    for (const FindingLine& line : lines_)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 1200, 0);
    // A report made again keeps the reader's place.
    SendMessageA(list_, LB_SETTOPINDEX, top, 0);
    SendMessageA(list_, LB_SETCURSEL, picked, 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    if (!IsWindowVisible(window())) ShowWindow(window(), SW_SHOW);
}

void FindingsWindow::pickLine(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size()) || lines_[index].node.empty()) return;
    if (onPick) onPick(lines_[index].node);
}

void FindingsWindow::refreshLater() {
    if (shown() && !refreshPosted_) refreshPosted_ = PostMessageA(window(), WM_APP, 0, 0) != FALSE;
}

LRESULT FindingsWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (list_) MoveWindow(list_, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_DBLCLK)
                pickLine(static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)));
            if (LOWORD(wp) == IDCANCEL) ShowWindow(w, SW_HIDE);  // Escape
            return 0;
        case WM_APP:
            refreshPosted_ = false;
            if (IsWindowVisible(w) && onRefresh) onRefresh();
            return 0;
        case WM_CLOSE:
            ShowWindow(w, SW_HIDE);  // kept for the next report
            return 0;
        case WM_DESTROY:
            list_ = nullptr;
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
