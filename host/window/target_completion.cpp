#include "window/target_completion.h"
#include <string>
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "session/host_session.h"
#include "session/page_editor.h"
#include "session/name_completion.h"

namespace {

constexpr int PAIR_ROWS = 8;

// Whether the typing window is the labelled control, or the edit inside that CustEdit.
bool typingIn(HWND typing, HWND control) {
    return control && (typing == control || GetParent(typing) == control);
}

bool namesAnEntity(const CommandPanel& panel, HWND typing) {
    if (typingIn(typing, panel.findControl("Target Name"))) return true;
    for (int row = 1; row <= PAIR_ROWS; ++row) {
        if (!typingIn(typing, panel.findControl("Value " + std::to_string(row)))) continue;
        const std::string key = controlValue(panel.findControl("Key " + std::to_string(row)));
        return key == "target" || key == "killtarget";
    }
    return false;
}

}  // namespace

void completeTargetField(HostSession& session, const MSG& msg) {
    CommandPanel& panel = session.pages().commandPanel();
    if (msg.message != WM_CHAR || msg.wParam < ' ' || !IsChild(panel.window(), msg.hwnd) ||
        !hasClass(msg.hwnd, "Edit") || !namesAnEntity(panel, msg.hwnd))
        return;
    char text[96] = {};
    const int length = GetWindowTextA(msg.hwnd, text, sizeof text);
    DWORD start = 0, end = 0;
    SendMessageA(msg.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    if (start != end || end != DWORD(length)) return;  // typing inside the text, not at its end
    const std::string name = completeName(text, session.entities().marks());
    if (name.empty()) return;
    SendMessageA(msg.hwnd, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(name.substr(length).c_str()));
    SendMessageA(msg.hwnd, EM_SETSEL, length, -1);
}
