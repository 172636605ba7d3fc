#include "window/findings_window.h"
#include <algorithm>
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalHostFindings";
constexpr int LIST_ID = 1, RULES_ID = 3, SEVERITY_ID = 4;
constexpr int REPORT_WIDTH = 640, REPORT_HEIGHT = 260;
constexpr int SMALLEST_REPORT = 160;  // across and down, however small the free area
constexpr int REPORT_INSET = 24;      // from the owner's edges, when it lies over the owner
constexpr int STACK_STEP = 28;        // a caption's height, so that each report's title shows
constexpr int BAR_HEIGHT = 26;        // the severity box's strip above the lists
constexpr int RULES_WIDTH = 220;
const char* const SEVERITY_CHOICES[] = {"All", "Errors", "Warnings"};  // SeverityFilter's order

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

}  // namespace

BoundWindow::Place FindingsWindow::place() const {
    RECT owner, screen;
    GetWindowRect(owner_, &owner);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    const int lower = stack_ * STACK_STEP;
    if (owner.right + REPORT_WIDTH <= screen.right || !freeArea)
        return Place{owner.right,
                     std::max(owner.top, owner.bottom - REPORT_HEIGHT - REPORT_INSET - lower),
                     REPORT_WIDTH, REPORT_HEIGHT};
    // Over the lower right of the free area, no bigger than it leaves room for.
    const RECT area = freeArea();
    const int w = std::clamp(width(area) - 2 * REPORT_INSET, SMALLEST_REPORT, REPORT_WIDTH);
    const int h =
        std::clamp(height(area) - 2 * REPORT_INSET - lower, SMALLEST_REPORT, REPORT_HEIGHT);
    return Place{area.right - REPORT_INSET - w, area.bottom - REPORT_INSET - lower - h, w, h};
}

void FindingsWindow::create() {
    createBoundWindow(windowClass, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, title_,
                      0, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, place(), owner_);
    showLabel_ = childControl("STATIC", "Show:", 0, SS_LEFT, window());
    severity_ =
        childControl("COMBOBOX", "", 0, CBS_DROPDOWNLIST | WS_TABSTOP, window(), SEVERITY_ID);
    for (const char* choice : SEVERITY_CHOICES)
        SendMessageA(severity_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    SendMessageA(severity_, CB_SETCURSEL, static_cast<WPARAM>(filter_), 0);
    rules_ = childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                          WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, window(),
                          RULES_ID);
    list_ = childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                         WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                         window(), LIST_ID);
    layout();
}

// The severity box and its label on a strip at the top; the rules on the left below it when the
// report has rules, the lines filling the rest.
void FindingsWindow::layout() {
    RECT client;
    GetClientRect(window(), &client);
    const int rulesWidth = anyRule(lines_) ? std::min(RULES_WIDTH, int(client.right) / 3) : 0;
    MoveWindow(showLabel_, 6, 6, 36, 16, TRUE);
    MoveWindow(severity_, 44, 2, 120, 200, TRUE);
    MoveWindow(rules_, 0, BAR_HEIGHT, rulesWidth, client.bottom - BAR_HEIGHT, TRUE);
    ShowWindow(rules_, rulesWidth > 0 ? SW_SHOWNA : SW_HIDE);
    MoveWindow(list_, rulesWidth, BAR_HEIGHT, client.right - rulesWidth, client.bottom - BAR_HEIGHT,
               TRUE);
}

void FindingsWindow::show(const std::vector<FindingLine>& lines) {
    if (!window()) create();
    lines_ = lines;
    layout();
    fillRules();
    fillLines(true);
    if (IsWindowVisible(window())) return;
    // Placed afresh each time it opens: the main window may have grown since.
    const Place at = place();
    SetWindowPos(window(), nullptr, at.x, at.y, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window(), SW_SHOW);
}

// The rule picked stays picked while it finds anything under the severity shown.
void FindingsWindow::fillRules() {
    ruleRows_ = ruleRows(lines_, filter_);
    const auto picked = std::find_if(ruleRows_.begin(), ruleRows_.end(),
                                     [&](const RuleRow& row) { return row.rule == rule_; });
    if (picked == ruleRows_.end()) rule_.clear();
    SendMessageA(rules_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(rules_, LB_RESETCONTENT, 0, 0);
    for (const RuleRow& row : ruleRows_)
        SendMessageA(rules_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text().c_str()));
    SendMessageA(rules_, LB_SETCURSEL, picked == ruleRows_.end() ? 0 : picked - ruleRows_.begin(),
                 0);
    SendMessageA(rules_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(rules_, nullptr, TRUE);
}

void FindingsWindow::fillLines(bool keepPlace) {
    shown_ = shownLines(lines_, filter_, rule_);
    const LRESULT top = keepPlace ? SendMessageA(list_, LB_GETTOPINDEX, 0, 0) : 0;
    const LRESULT picked = keepPlace ? SendMessageA(list_, LB_GETCURSEL, 0, 0) : -1;
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    SendMessageA(list_, LB_INITSTORAGE, shown_.size(), shown_.size() * 64);
    for (size_t line : shown_)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lines_[line].text.c_str()));
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 1200, 0);
    // A report made again keeps the reader's place; another rule or severity starts at the top.
    SendMessageA(list_, LB_SETTOPINDEX, top, 0);
    SendMessageA(list_, LB_SETCURSEL, picked, 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void FindingsWindow::pickLine(int index) {
    if (index < 0 || index >= static_cast<int>(shown_.size())) return;
    const FindingLine& line = lines_[shown_[index]];
    if (!line.node.empty() && onPick) onPick(line.node);
}

void FindingsWindow::refreshLater() {
    if (shown() && !refreshPosted_) refreshPosted_ = PostMessageA(window(), WM_APP, 0, 0) != FALSE;
}

LRESULT FindingsWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (list_) layout();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_DBLCLK)
                pickLine(static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)));
            if (LOWORD(wp) == RULES_ID && HIWORD(wp) == LBN_SELCHANGE) {
                const LRESULT row = SendMessageA(rules_, LB_GETCURSEL, 0, 0);
                rule_ = row >= 0 && row < LRESULT(ruleRows_.size()) ? ruleRows_[row].rule : "";
                fillLines(false);
            }
            if (LOWORD(wp) == SEVERITY_ID && HIWORD(wp) == CBN_SELCHANGE) {
                filter_ = static_cast<SeverityFilter>(SendMessageA(severity_, CB_GETCURSEL, 0, 0));
                fillRules();
                fillLines(false);
            }
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
            list_ = rules_ = severity_ = showLabel_ = nullptr;
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
