#include "window/build_window.h"
#include "session/log_links.h"
#include "ui/window_class.h"
#include <cstdio>

namespace {

const char* windowClass = "VexalHostBuild";
constexpr int LIST_ID = 1, CANCEL_ID = 2;
constexpr int BUILD_WIDTH = 720, BUILD_HEIGHT = 320;
constexpr int HEADING_HEIGHT = 28, BUTTON_WIDTH = 80, GAP = 4;
constexpr UINT WM_POSTED = WM_APP + 1;
// Often enough for tenths of a second to tick by evenly.
constexpr UINT_PTR CLOCK_TIMER = 1;
constexpr UINT CLOCK_MS = 100;

}  // namespace

// The host's own lines are told first: a step's command line or its closing counts ("0
// errors") hold the words that mark a program's errors and warnings.
COLORREF logLineColour(const std::string& line) {
    if (line.rfind("==", 0) == 0) return RGB(0, 70, 160);
    switch (logSeverity(line)) {
        case LogSeverity::Error:
            return RGB(200, 0, 0);
        case LogSeverity::Warning:
            return RGB(170, 110, 0);
        case LogSeverity::Plain:
            break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

void BuildWindow::create() {
    RECT owner;
    GetWindowRect(owner_, &owner);
    createBoundWindow(
        windowClass, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)}, "Build", 0,
        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
        Place{owner.left + 40, owner.bottom - BUILD_HEIGHT - 40, BUILD_WIDTH, BUILD_HEIGHT},
        owner_);
    heading_ = childControl("STATIC", "", 0, SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, window());
    cancel_ = childControl("BUTTON", "Cancel", 0, BS_PUSHBUTTON | WS_TABSTOP, window(), CANCEL_ID);
    // Owner drawn, so that each line has its severity's colour.
    list_ = childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                         WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                             LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_TABSTOP,
                         window(), LIST_ID);
    RECT client;
    GetClientRect(window(), &client);
    layout(client.right, client.bottom);
}

void BuildWindow::layout(int width, int height) {
    MoveWindow(heading_, GAP, GAP, width - BUTTON_WIDTH - 3 * GAP, HEADING_HEIGHT - GAP, TRUE);
    MoveWindow(cancel_, width - BUTTON_WIDTH - GAP, GAP, BUTTON_WIDTH, HEADING_HEIGHT - GAP, TRUE);
    MoveWindow(list_, 0, HEADING_HEIGHT + GAP, width, height - HEADING_HEIGHT - GAP, TRUE);
}

void BuildWindow::begin(const std::string& title) {
    if (!window()) create();
    SetWindowTextA(window(), title.c_str());
    lines_.clear();
    // The last compile's result is no heading for this one.
    stopStepClock();
    setHeading("");
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 1600, 0);
    if (!IsWindowVisible(window())) ShowWindow(window(), SW_SHOWNOACTIVATE);
}

void BuildWindow::addLine(const std::string& line) {
    lines_.push_back(line);
    const LRESULT at = SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    // The newest line stays in sight unless the reader scrolled up to read.
    const LRESULT top = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
    RECT client;
    GetClientRect(list_, &client);
    const LRESULT rows =
        client.bottom / std::max<LRESULT>(1, SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0));
    if (at - top <= rows)
        SendMessageA(list_, LB_SETTOPINDEX, std::max<LRESULT>(0, at - rows + 1), 0);
}

void BuildWindow::setHeading(const std::string& text) { SetWindowTextA(heading_, text.c_str()); }

std::string BuildWindow::heading() const {
    char text[512] = {};
    GetWindowTextA(heading_, text, sizeof text);
    return text;
}

void BuildWindow::startStepClock(const std::string& heading, unsigned long long started) {
    stepHeading_ = heading;
    stepStarted_ = started;
    showStepClock();
    SetTimer(window(), CLOCK_TIMER, CLOCK_MS, nullptr);
}

void BuildWindow::stopStepClock() { KillTimer(window(), CLOCK_TIMER); }

void BuildWindow::showStepClock() {
    char elapsed[48];
    std::snprintf(elapsed, sizeof elapsed, " (running, %.1f s)",
                  double(GetTickCount64() - stepStarted_) / 1000);
    setHeading(stepHeading_ + elapsed);
}

void BuildWindow::setCancelEnabled(bool enabled) { EnableWindow(cancel_, enabled); }

void BuildWindow::post(std::function<void()> work) {
    {
        std::lock_guard<std::mutex> hold(postedLock_);
        posted_.push_back(std::move(work));
    }
    PostMessageA(window(), WM_POSTED, 0, 0);
}

// Everything posted so far in one go: a step that prints fast costs one message, not one
// a line.
void BuildWindow::runPosted() {
    std::vector<std::function<void()>> work;
    {
        std::lock_guard<std::mutex> hold(postedLock_);
        work.swap(posted_);
    }
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    for (auto& w : work) w();
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void BuildWindow::drawLine(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.size()) return;
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::string& line = lines_[item.itemID];
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : logLineColour(line));
    RECT r = item.rcItem;
    r.left += 2;
    DrawTextA(item.hDC, line.c_str(), static_cast<int>(line.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

LRESULT BuildWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (list_) layout(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_DRAWITEM:
            drawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_DBLCLK && onLine) {
                const LRESULT at = SendMessageA(list_, LB_GETCURSEL, 0, 0);
                if (at >= 0 && at < static_cast<LRESULT>(lines_.size())) onLine(lines_[at]);
            }
            if (LOWORD(wp) == CANCEL_ID && onCancel) onCancel();
            if (LOWORD(wp) == IDCANCEL) ShowWindow(w, SW_HIDE);  // Escape
            return 0;
        case WM_POSTED:
            runPosted();
            return 0;
        case WM_TIMER:
            if (wp == CLOCK_TIMER) showStepClock();
            return 0;
        case WM_CLOSE:
            ShowWindow(w, SW_HIDE);  // kept for the next compile
            return 0;
        case WM_DESTROY:
            heading_ = cancel_ = list_ = nullptr;
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
