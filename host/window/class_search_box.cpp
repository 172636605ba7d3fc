#include "window/class_search_box.h"
#include "session/host_session.h"
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalClassSearch";
constexpr int FIELD_HEIGHT = 22;
constexpr int LABEL_WIDTH = 64;
enum Control { FIELD_ID = 1, LIST_ID };

bool sameLines(const std::vector<ClassCount>& a, const std::vector<ClassCount>& b,
               bool withCounts) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].classname != b[i].classname || (withCounts && a[i].count != b[i].count))
            return false;
    return true;
}

}  // namespace

ClassSearchBox::~ClassSearchBox() {
    if (window_) DestroyWindow(window_);
}

bool ClassSearchBox::create(HWND parent, int id) {
    if (!createControlHolder<ClassSearchBox, &ClassSearchBox::handle>(windowClass, "Classes",
                                                                      parent, id, this))
        return false;
    label_ = childControl("STATIC", "Find class:", 0, SS_LEFT, window_);
    field_ =
        childControl("EDIT", "", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP, window_, FIELD_ID);
    list_ =
        childControl("LISTBOX", "", WS_EX_CLIENTEDGE,
                     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, window_, LIST_ID);
    if (!label_ || !field_ || !list_) return false;
    refresh();
    return true;
}

void ClassSearchBox::move(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    MoveWindow(window_, area.left, area.top, width, height, TRUE);
    MoveWindow(label_, 0, 4, LABEL_WIDTH - 4, FIELD_HEIGHT - 6, TRUE);
    MoveWindow(field_, LABEL_WIDTH, 0, width - LABEL_WIDTH, FIELD_HEIGHT, TRUE);
    MoveWindow(list_, 0, FIELD_HEIGHT + 2, width, height - FIELD_HEIGHT - 2, TRUE);
}

void ClassSearchBox::refresh() {
    char text[96] = {};
    GetWindowTextA(field_, text, sizeof text);
    std::vector<ClassCount> found = findClasses(text, session_.entities().marks());
    if (sameLines(found, shown_, true)) return;
    // Only the counts changed: the picked line keeps its place.
    const LRESULT line = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    const bool sameNames = sameLines(found, shown_, false);
    shown_ = std::move(found);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const ClassCount& c : shown_)
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(classCountText(c).c_str()));
    if (sameNames) SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void ClassSearchBox::picked() {
    const LRESULT line = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    if (line >= 0 && size_t(line) < shown_.size() && onPick) onPick(shown_[line].classname);
}

LRESULT ClassSearchBox::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_NCCREATE:
            window_ = w;
            break;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        case WM_COMMAND:
            if (LOWORD(wp) == FIELD_ID && HIWORD(wp) == EN_CHANGE) refresh();
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_SELCHANGE) picked();
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
