#include "window/class_search_box.h"
#include "session/host_session.h"

namespace {

const char* windowClass = "VexalClassSearch";
constexpr int LABEL_WIDTH = 64;

bool sameLines(const std::vector<ClassCount>& a, const std::vector<ClassCount>& b,
               bool withCounts) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].classname != b[i].classname || (withCounts && a[i].count != b[i].count))
            return false;
    return true;
}

}  // namespace

bool ClassSearchBox::create(HWND parent, int id) {
    if (!createHolder({windowClass, "Classes", "Find class:", LABEL_WIDTH, 0, "LISTBOX",
                       LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL},
                      parent, id))
        return false;
    refresh();
    return true;
}

void ClassSearchBox::refresh() {
    char text[96] = {};
    GetWindowTextA(findField(), text, sizeof text);
    std::vector<ClassCount> found = findClasses(text, session_.entities().marks());
    if (sameLines(found, shown_, true)) return;
    // Only the counts changed: the picked line keeps its place.
    const LRESULT line = SendMessageA(list(), LB_GETCURSEL, 0, 0);
    const bool sameNames = sameLines(found, shown_, false);
    shown_ = std::move(found);
    SendMessageA(list(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(list(), LB_RESETCONTENT, 0, 0);
    for (const ClassCount& c : shown_)
        SendMessageA(list(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(classCountText(c).c_str()));
    if (sameNames) SendMessageA(list(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(list(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list(), nullptr, TRUE);
}

void ClassSearchBox::picked() {
    const LRESULT line = SendMessageA(list(), LB_GETCURSEL, 0, 0);
    if (line >= 0 && size_t(line) < shown_.size() && onPick) onPick(shown_[line].classname);
}

LRESULT ClassSearchBox::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == FIELD_ID && HIWORD(wp) == EN_CHANGE) refresh();
            if (LOWORD(wp) == LIST_ID && HIWORD(wp) == LBN_SELCHANGE) picked();
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
