#include "window/list_type_ahead.h"
#include "panel/panel_controls.h"

namespace {

// Keys typed further apart than this start a new word.
constexpr DWORD TYPING_PAUSE_MS = 1000;

}  // namespace

bool ListTypeAhead::take(const MSG& msg, HWND panel) {
    if (msg.message != WM_CHAR || msg.wParam < ' ' || !IsChild(panel, msg.hwnd) ||
        !hasClass(msg.hwnd, "ListBox"))
        return false;
    if (msg.time - last_ > TYPING_PAUSE_MS) typed_.clear();
    last_ = msg.time;
    typed_ += static_cast<char>(msg.wParam);
    const LRESULT line = SendMessageA(msg.hwnd, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(typed_.c_str()));
    if (line == LB_ERR || line == SendMessageA(msg.hwnd, LB_GETCURSEL, 0, 0)) return true;
    std::string text(static_cast<size_t>(SendMessageA(msg.hwnd, LB_GETTEXTLEN, line, 0)), '\0');
    SendMessageA(msg.hwnd, LB_GETTEXT, line, reinterpret_cast<LPARAM>(&text[0]));
    clickListItem(msg.hwnd, text);
    return true;
}
