#include "panel/command_panel.h"
#include <algorithm>
#include "panel/panel_controls.h"

namespace {

const char panelClass[] = "VexalCommandPanel";
const char frameClass[] = "VexalRollupPage";
const int titleHeight = 18;
const int margin = 4;      // around each page, inside the panel
const int pageInset = 3;   // between a page's frame and its dialog
const int wheelStep = 40;  // pixels scrolled per wheel notch

CommandPanel* panelOf(HWND window) {
    return reinterpret_cast<CommandPanel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Both windows find the panel through their user data, set from the creation parameter.
void adoptCreateParam(HWND window, LPARAM lParam) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
}

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

CommandPanel::~CommandPanel() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool CommandPanel::create(HWND parent, const RECT& area) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpfnWndProc = panelProc;
        wc.lpszClassName = panelClass;
        RegisterClassA(&wc);
        wc.lpfnWndProc = frameProc;
        wc.lpszClassName = frameClass;
        RegisterClassA(&wc);
        registered = true;
    }
    DWORD style = WS_VSCROLL | WS_CLIPCHILDREN;
    RECT r = area;
    if (parent) {
        style |= WS_CHILD | WS_VISIBLE;
    } else {
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
        AdjustWindowRect(&r, style, FALSE);
    }
    ownsTopLevel_ = parent == nullptr;
    window_ =
        CreateWindowExA(0, panelClass, "Command Panel", style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parent, nullptr, GetModuleHandleA(nullptr), this);
    if (!window_) return false;
    layout();  // shows the scroll bar, so that the pages' width never changes with it
    if (ownsTopLevel_) ShowWindow(window_, SW_SHOW);
    return true;
}

HWND CommandPanel::addRollupPage(HINSTANCE module, int dlgId, DLGPROC proc, const char* title,
                                 LPARAM param, uint32_t) {
    if (!window_) return nullptr;
    // The title is copied now: the caller's text may live in a buffer it reuses.
    Page page{nullptr, nullptr, title ? title : "", false, true};
    page.frame =
        CreateWindowExA(0, frameClass, page.title.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        margin, 0, 10, 10, window_, nullptr, GetModuleHandleA(nullptr), this);
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
    if (ownsTopLevel_) {
        // A top-level panel grows to its widest page.
        RECT client;
        GetClientRect(window_, &client);
        const int needed = widthOf(dialog) + 2 * (margin + pageInset);
        if (needed > client.right) {
            RECT outer;
            GetWindowRect(window_, &outer);
            SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + needed - client.right,
                         outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    layout();
    return dialog;
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
    pages_.erase(pages_.begin() + (p - pages_.data()));
    DestroyWindow(frame);  // and the page with it
    layout();
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

HWND CommandPanel::findPage(const std::string& title) const {
    for (const Page& p : pages_)
        if (p.title == title) return p.dialog;
    return nullptr;
}

bool CommandPanel::isRegistered(HWND page) const {
    const Page* p = pageOf(page);
    return p && p->registered;
}

void CommandPanel::setPageOpen(HWND page, bool open) {
    Page* p = pageOf(page);
    if (!p || p->open == open) return;
    p->open = open;
    layout();
}

bool CommandPanel::isPageOpen(HWND page) const {
    const Page* p = pageOf(page);
    return p && p->open;
}

HWND CommandPanel::findControl(const std::string& label) const {
    for (const Page& p : pages_)
        if (HWND control = findLabelledControl(p.dialog, label)) return control;
    return nullptr;
}

bool CommandPanel::translateMessage(MSG* msg) {
    for (const Page& p : pages_)
        if (p.registered && IsChild(p.dialog, msg->hwnd)) return IsDialogMessageA(p.dialog, msg);
    return false;
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

// Stacks the pages from the top: a title bar each, and below it the page when open.
void CommandPanel::layout() {
    if (!window_) return;
    RECT client;
    GetClientRect(window_, &client);
    const int frameWidth = std::max(0, static_cast<int>(client.right) - 2 * margin);
    contentHeight_ = margin;
    for (const Page& p : pages_) {
        if (!p.dialog) continue;
        const int body = p.open ? heightOf(p.dialog) + 2 * pageInset : 0;
        contentHeight_ += titleHeight + body + margin;
    }
    const int maxScroll = std::max(0, contentHeight_ - static_cast<int>(client.bottom));
    scroll_ = std::min(std::max(scroll_, 0), maxScroll);
    int y = margin - scroll_;
    for (const Page& p : pages_) {
        if (!p.dialog) continue;
        const int body = p.open ? heightOf(p.dialog) + 2 * pageInset : 0;
        SetWindowPos(p.frame, nullptr, margin, y, frameWidth, titleHeight + body,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(p.dialog, nullptr, (frameWidth - widthOf(p.dialog)) / 2,
                     titleHeight + pageInset, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(p.dialog, p.open ? SW_SHOWNA : SW_HIDE);
        InvalidateRect(p.frame, nullptr, TRUE);
        y += titleHeight + body + margin;
    }
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = contentHeight_ - 1;
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = scroll_;
    SetScrollInfo(window_, SB_VERT, &si, TRUE);
}

void CommandPanel::scrollTo(int position) {
    scroll_ = position;
    layout();
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

LRESULT CALLBACK CommandPanel::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) adoptCreateParam(window, lParam);
    CommandPanel* self = panelOf(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
            self->layout();
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO si = {};
            si.cbSize = sizeof si;
            si.fMask = SIF_ALL;
            GetScrollInfo(window, SB_VERT, &si);
            int position = self->scroll_;
            switch (LOWORD(wParam)) {
                case SB_LINEUP:
                    position -= wheelStep / 2;
                    break;
                case SB_LINEDOWN:
                    position += wheelStep / 2;
                    break;
                case SB_PAGEUP:
                    position -= static_cast<int>(si.nPage);
                    break;
                case SB_PAGEDOWN:
                    position += static_cast<int>(si.nPage);
                    break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION:
                    position = si.nTrackPos;
                    break;
                case SB_TOP:
                    position = 0;
                    break;
                case SB_BOTTOM:
                    position = self->contentHeight_;
                    break;
            }
            self->scrollTo(position);
            return 0;
        }
        case WM_MOUSEWHEEL:
            self->scrollTo(self->scroll_ -
                           GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * wheelStep);
            return 0;
        case WM_CLOSE:
            // The pages belong to the edit in progress; closing only hides them.
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            self->window_ = nullptr;
            self->pages_.clear();
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK CommandPanel::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) adoptCreateParam(window, lParam);
    CommandPanel* self = panelOf(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT:
            self->paintTitle(window);
            return 0;
        case WM_LBUTTONDOWN:
            if (HIWORD(lParam) < titleHeight) {
                if (Page* p = self->pageOfFrame(window)) self->setPageOpen(p->dialog, !p->open);
            }
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
