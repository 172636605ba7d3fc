#include "panel/command_panel.h"
#include "panel/panel_tab_order.h"
#include <commctrl.h>
#include <algorithm>
#include "panel/panel_controls.h"
#include "ui/window_class.h"
#include "vexsdk/custcontrols.h"

namespace {

const char panelClass[] = "VexalCommandPanel";
const char frameClass[] = "VexalRollupPage";
const int titleHeight = 18;
const int margin = 4;     // around each page, inside the panel
const int pageInset = 3;  // between a page's frame and its dialog
const UINT_PTR TASK_TIMER = 1;
const UINT TASK_RETRY_MS = 50;

int heightOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

int widthOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left;
}

}  // namespace

CommandPanel::CommandPanel() = default;

// Its pages go with the window while the panel still hears them.
CommandPanel::~CommandPanel() { destroyWindow(); }

bool CommandPanel::create(HWND parent, const RECT& area) {
    registerWindowClass(frameClass, boundWindowProc<CommandPanel, &CommandPanel::handleFrame>,
                        IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE));
    DWORD style = WS_VSCROLL | WS_CLIPCHILDREN;
    RECT r = area;
    if (parent) {
        style |= WS_CHILD | WS_VISIBLE;
    } else {
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
        AdjustWindowRect(&r, style, FALSE);
    }
    ownsTopLevel_ = parent == nullptr;
    if (!createBoundWindow(panelClass, {IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE)},
                           "Command Panel", 0, style,
                           Place{r.left, r.top, r.right - r.left, r.bottom - r.top}, parent))
        return false;
    layout();  // shows the scroll bar, so that the pages' width never changes with it
    if (ownsTopLevel_) ShowWindow(window(), SW_SHOW);
    return true;
}

HWND CommandPanel::addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title,
                                 LPARAM param, uint32_t) {
    if (!window()) return nullptr;
    // The title is copied now: the caller's text may live in a buffer it reuses.
    Page page{nullptr, nullptr, title ? title : "", false, true, std::nullopt, "", nullptr, {}};
    page.frame =
        CreateWindowExA(0, frameClass, page.title.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        margin, 0, 10, 10, window(), nullptr, GetModuleHandleA(nullptr), this);
    if (!page.frame) return nullptr;
    pages_.push_back(page);
    // The page's procedure sees WM_INITDIALOG inside this call.
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(dlgId), page.frame, proc, param);
    Page* added = pageOfFrame(page.frame);
    if (!dialog || !added) {
        if (added) pages_.erase(pages_.begin() + (added - pages_.data()));
        DestroyWindow(page.frame);
        return nullptr;
    }
    added->dialog = dialog;
    SetWindowSubclass(dialog, watchPage, 0, reinterpret_cast<DWORD_PTR>(this));
    if (ownsTopLevel_) {
        // A top-level panel grows to its widest page.
        RECT client;
        GetClientRect(window(), &client);
        const int needed = widthOf(dialog) + 2 * (margin + pageInset);
        if (needed > client.right) {
            RECT outer;
            GetWindowRect(window(), &outer);
            SetWindowPos(window(), nullptr, 0, 0, outer.right - outer.left + needed - client.right,
                         outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    layoutUnlessHeld();
    return dialog;
}

LRESULT CALLBACK CommandPanel::watchPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR panel) {
    auto* self = reinterpret_cast<CommandPanel*>(panel);
    if (self->mixed_.holdBack(message, wParam, lParam)) return 0;
    const LRESULT result = DefSubclassProc(page, message, wParam, lParam);
    const bool clicked = message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED;
    if ((message == editCommitMessage || clicked) && self->committed_) self->committed_();
    if (const Page* p = self->pageOf(page); p && self->changed_)
        if (auto change = userChange(page, p->title, message, wParam, lParam))
            self->changed_(*change);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(page, watchPage, 0);
    return result;
}

void CommandPanel::registerPanelWindow(HWND page) {
    if (Page* p = pageOf(page)) p->registered = true;
}

void CommandPanel::unregisterPanelWindow(HWND page) {
    if (Page* p = pageOf(page)) p->registered = false;
}

void CommandPanel::deleteRollupPage(HWND page) {
    Page* p = pageOf(page);
    if (!p) return;
    HWND frame = p->frame;
    mixed_.forget(page);
    pages_.erase(pages_.begin() + (p - pages_.data()));
    DestroyWindow(frame);  // and the page with it
    layoutUnlessHeld();
}

void CommandPanel::redrawViewports(TimeValue t, int mode, ReferenceTarget* changed) {
    if (redraw_) redraw_(t, mode, changed);
}

std::vector<std::string> CommandPanel::pageTitles() const {
    std::vector<std::string> titles;
    for (const Page& p : pages_) titles.push_back(p.title);
    return titles;
}

std::vector<HWND> CommandPanel::pages() const {
    std::vector<HWND> result;
    for (const Page& p : pages_) result.push_back(p.dialog);
    return result;
}

HWND CommandPanel::page(const std::string& title) const {
    for (const Page& p : pages_)
        if (p.title == title) return p.dialog;
    return nullptr;
}

const std::vector<LabelledControl>& CommandPanel::labelledControls(HWND page) const {
    static const std::vector<LabelledControl> none;
    const Page* p = pageOf(page);
    if (!p) return none;
    if (!p->labelled) p->labelled = ::labelledControls(page);
    return *p->labelled;
}

void CommandPanel::setPageNote(HWND dialog, const std::string& note) {
    Page* p = pageOf(dialog);
    if (!p || p->note == note) return;
    p->note = note;
    for (HWND control : p->greyed) EnableWindow(control, TRUE);
    p->greyed.clear();
    if (note.empty()) {
        DestroyWindow(p->noteLine);
        p->noteLine = nullptr;
    } else {
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            if (IsWindowEnabled(c)) {
                EnableWindow(c, FALSE);
                p->greyed.push_back(c);
            }
        if (!p->noteLine) {
            p->noteLine = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_LEFT, 0, 0, 10, 10,
                                          p->frame, nullptr, GetModuleHandleA(nullptr), nullptr);
            SendMessageA(p->noteLine, WM_SETFONT,
                         reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
        }
        SetWindowTextA(p->noteLine, note.c_str());
    }
    layoutUnlessHeld();
}

std::string CommandPanel::pageNote(HWND dialog) const {
    const Page* p = pageOf(dialog);
    return p ? p->note : "";
}

void CommandPanel::setTitle(const std::string& title) {
    if (!window()) return;
    if (!title_) {
        title_ =
            CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0, 10,
                            titleHeight, window(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(title_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     0);
    }
    SetWindowTextA(title_, title.c_str());
    layoutUnlessHeld();
}

std::string CommandPanel::title() const {
    char text[64] = "";
    if (title_) GetWindowTextA(title_, text, sizeof text);
    return text;
}

bool CommandPanel::isRegistered(HWND page) const {
    const Page* p = pageOf(page);
    return p && p->registered;
}

void CommandPanel::setPageOpen(HWND page, bool open) {
    Page* p = pageOf(page);
    if (!p || p->open == open) return;
    p->open = open;
    layoutUnlessHeld();
}

HWND CommandPanel::findControl(const std::string& label) const {
    for (const Page& p : pages_)
        if (HWND control = findLabelledControl(p.dialog, label)) return control;
    return nullptr;
}

CommandPanel::FocusPlace CommandPanel::focusPlace() const {
    HWND focus = GetFocus();
    for (const Page& p : pages_)
        if (focus && IsChild(p.dialog, focus)) {
            // A control's own child (the field inside a custom edit) stands for the control.
            while (GetParent(focus) != p.dialog) focus = GetParent(focus);
            return {p.title, GetDlgCtrlID(focus)};
        }
    return {};
}

void CommandPanel::restoreFocus(const FocusPlace& place) {
    for (const Page& p : pages_)
        if (place.control && p.title == place.page)
            if (HWND control = GetDlgItem(p.dialog, place.control)) SetFocus(control);
}

void CommandPanel::holdRedraw() {
    if (redrawHolds_++ == 0 && window()) SendMessageA(window(), WM_SETREDRAW, FALSE, 0);
}

void CommandPanel::releaseRedraw() {
    if (--redrawHolds_ > 0 || !window()) return;
    SendMessageA(window(), WM_SETREDRAW, TRUE, 0);
    layout();
}

void CommandPanel::postTask(std::function<void()> task) {
    tasks_.push_back(std::move(task));
    if (tasks_.size() == 1) PostMessageA(window(), WM_APP, 0, 0);
}

void CommandPanel::runPostedTasks() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(tasks_);
    for (auto& task : tasks) task();
}

bool CommandPanel::commitTyping() {
    HWND field = GetFocus();
    HWND frame = field ? GetParent(field) : nullptr;
    const bool typed = frame && hasClass(frame, CUSTEDIT_CLASS) && pageHolding(frame) &&
                       SendMessageA(field, EM_GETMODIFY, 0, 0);
    if (typed) SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    runPostedTasks();
    return typed;
}

bool CommandPanel::translateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 &&
        GetKeyState(VK_MENU) >= 0 && pageHolding(msg->hwnd)) {
        if (HWND next = nextTabStop(pages(), msg->hwnd, GetKeyState(VK_SHIFT) < 0)) {
            SetFocus(next);
            // A list or button shown below the fold comes into view as the focus arrives.
            scrollIntoView(next);
        }
        return true;
    }
    for (const Page& p : pages_)
        if (p.registered && IsChild(p.dialog, msg->hwnd)) return IsDialogMessageA(p.dialog, msg);
    return false;
}

bool CommandPanel::takeWheel(const MSG& msg) {
    if (msg.message != WM_MOUSEWHEEL || !window()) return false;
    HWND under = WindowFromPoint(msg.pt);
    if (under != window() && !IsChild(window(), under)) return false;
    // A spinner's field that has the focus keeps the wheel for its own value.
    HWND focus = GetFocus();
    if (focus && (focus == under || IsChild(under, focus) || IsChild(focus, under))) {
        HWND field = GetParent(focus);
        if (pageHolding(field) && spinnerBeside(field)) return false;
    }
    if (scroll_.wheel(GET_WHEEL_DELTA_WPARAM(msg.wParam))) layout();
    return true;
}

bool CommandPanel::pressHeld() const {
    HWND captured = GetCapture();
    return captured && pageHolding(captured);
}

bool CommandPanel::pageHolding(HWND window) const {
    for (const Page& p : pages_)
        if (p.registered && IsChild(p.dialog, window)) return true;
    return false;
}

void CommandPanel::scrollIntoView(HWND control) {
    RECT box, client;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&box), 2);
    GetClientRect(window(), &client);
    int by = 0;
    if (box.top < margin)
        by = box.top - margin;
    else if (box.bottom > client.bottom - margin)
        by = box.bottom - (client.bottom - margin);
    if (by && scroll_.moveTo(scroll_.position() + by)) layout();
}

CommandPanel::Page* CommandPanel::pageOf(HWND dialog) {
    for (Page& p : pages_)
        if (dialog && p.dialog == dialog) return &p;
    return nullptr;
}

const CommandPanel::Page* CommandPanel::pageOf(HWND dialog) const {
    return const_cast<CommandPanel*>(this)->pageOf(dialog);
}

CommandPanel::Page* CommandPanel::pageOfFrame(HWND frame) {
    for (Page& p : pages_)
        if (p.frame == frame) return &p;
    return nullptr;
}

// While redraw is held pages may come and go by the dozen (a re-opened edit): they are
// stacked once, when the hold ends.
void CommandPanel::layoutUnlessHeld() {
    if (redrawHolds_ == 0) layout();
}

// Stacks the pages from the top: a title bar each, and below it the page when open.
void CommandPanel::layout() {
    if (!window()) return;
    RECT client;
    GetClientRect(window(), &client);
    const int frameWidth = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const bool titled = !title().empty();
    int content = margin + (titled ? titleHeight : 0);
    for (const Page& p : pages_)
        if (p.dialog) content += titleHeight + bodyHeight(p) + margin;
    scroll_.setExtent(content, client.bottom);
    int y = margin - scroll_.position();
    if (title_) {
        SetWindowPos(title_, nullptr, margin, y, frameWidth, titleHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        ShowWindow(title_, titled ? SW_SHOWNA : SW_HIDE);
        if (titled) y += titleHeight;
    }
    for (const Page& p : pages_) {
        if (!p.dialog) continue;
        const int body = bodyHeight(p);
        // Moved frames are painted afresh, never from the bits of their old place.
        SetWindowPos(p.frame, nullptr, margin, y, frameWidth, titleHeight + body,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        const int note = noteHeight(p);
        if (p.noteLine) {
            SetWindowPos(p.noteLine, nullptr, 2 * pageInset, titleHeight + pageInset,
                         frameWidth - 4 * pageInset, note, SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(p.noteLine, p.open ? SW_SHOWNA : SW_HIDE);
        }
        SetWindowPos(p.dialog, nullptr, (frameWidth - widthOf(p.dialog)) / 2,
                     titleHeight + pageInset + note, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        ShowWindow(p.dialog, p.open ? SW_SHOWNA : SW_HIDE);
        y += titleHeight + body + margin;
    }
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = content - 1;
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = scroll_.position();
    SetScrollInfo(window(), SB_VERT, &si, TRUE);
    RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int CommandPanel::bodyHeight(const Page& page) const {
    return page.open ? heightOf(page.dialog) + 2 * pageInset + noteHeight(page) : 0;
}

// As many lines as the note takes wrapped to the panel's width.
int CommandPanel::noteHeight(const Page& page) const {
    if (!page.noteLine) return 0;
    RECT client;
    GetClientRect(window(), &client);
    RECT text = {0, 0, std::max(1, static_cast<int>(client.right) - 2 * margin - 4 * pageInset), 0};
    HDC dc = GetDC(page.noteLine);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, page.note.c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(page.noteLine, dc);
    return text.bottom + pageInset;
}

void CommandPanel::paintTitle(HWND frame) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(frame, &ps);
    RECT all;
    GetClientRect(frame, &all);
    const Page* p = pageOfFrame(frame);
    if (p && p->open) {
        RECT body = all;
        body.top = titleHeight / 2;
        DrawEdge(dc, &body, EDGE_ETCHED, BF_RECT);
    }
    RECT bar = {0, 0, all.right, titleHeight};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &bar, EDGE_RAISED, BF_RECT);
    if (p) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        RECT sign = {6, 0, 20, titleHeight};
        DrawTextA(dc, p->open ? "-" : "+", 1, &sign, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        DrawTextA(dc, p->title.c_str(), -1, &bar, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, old);
    }
    EndPaint(frame, &ps);
}

LRESULT CommandPanel::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            layout();
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO si = {};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(window, SB_VERT, &si);
            if (scroll_.request(LOWORD(wParam), si.nTrackPos)) layout();
            return 0;
        }
        case WM_MOUSEWHEEL:
            if (scroll_.wheel(GET_WHEEL_DELTA_WPARAM(wParam))) layout();
            return 0;
        case WM_APP:
        case WM_TIMER:
            // A press held on a page (a spinner being dragged) ends before its page may go.
            if (pressHeld()) {
                SetTimer(window, TASK_TIMER, TASK_RETRY_MS, nullptr);
                return 0;
            }
            KillTimer(window, TASK_TIMER);
            runPostedTasks();
            return 0;
        case WM_CLOSE:
            // The pages belong to the edit in progress; closing only hides them.
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            title_ = nullptr;
            pages_.clear();
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CommandPanel::handleFrame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintTitle(window);
            return 0;
        case WM_LBUTTONDOWN:
            if (HIWORD(lParam) < titleHeight) {
                if (Page* p = pageOfFrame(window)) setPageOpen(p->dialog, !p->open);
            }
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
