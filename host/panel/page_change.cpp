#include "panel/page_change.h"
#include "panel/command_panel.h"
#include "panel/panel_controls.h"
#include "vexsdk/custcontrols.h"

namespace {

// The field that shows a spinner's value, which a user (and a script) names and types into.
HWND fieldOfSpinner(HWND page, HWND spinner) {
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (hasClass(c, CUSTEDIT_CLASS) && spinnerBeside(c) == spinner) return c;
    return nullptr;
}

// The control a message tells of a user's setting, or null for any other message: focus
// notices, a list's double click, the pages' own refreshes.
HWND changedControl(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == editCommitMessage) return GetDlgItem(page, LOWORD(wParam));
    if (message == spinnerChangeMessage)
        return fieldOfSpinner(page, GetDlgItem(page, LOWORD(wParam)));
    if (message != WM_COMMAND) return nullptr;
    HWND control = reinterpret_cast<HWND>(lParam);
    if (hasClass(control, "Button") && !isGroupBox(control) && HIWORD(wParam) == BN_CLICKED)
        return control;
    if (hasClass(control, "ListBox") && HIWORD(wParam) == LBN_SELCHANGE) return control;
    return nullptr;
}

}  // namespace

std::optional<PageChange> userChange(HWND page, const std::string& title, UINT message,
                                     WPARAM wParam, LPARAM lParam) {
    HWND control = changedControl(page, message, wParam, lParam);
    if (!control || !IsWindow(control)) return std::nullopt;
    return PageChange{{title, GetDlgCtrlID(control)}, controlValue(control)};
}

bool applyPageChange(CommandPanel& panel, const PageChange& change) {
    HWND control = GetDlgItem(panel.page(change.control.first), change.control.second);
    // A greyed control takes the change no more than it would take the user's click.
    if (!control || !IsWindowEnabled(control)) return false;
    setControl(control, change.value);
    runPendingMessages();
    return true;
}

PageValues shownValues(const CommandPanel& panel) {
    PageValues values;
    const std::vector<HWND> pages = panel.pages();
    const std::vector<std::string> titles = panel.pageTitles();
    for (size_t i = 0; i < pages.size(); ++i)
        for (const LabelledControl& l : panel.labelledControls(pages[i]))
            values[{titles[i], GetDlgCtrlID(l.control)}] = controlValue(l.control);
    return values;
}

void showMixed(CommandPanel& panel, const std::set<ControlKey>& controls) {
    for (const ControlKey& key : controls)
        if (HWND page = panel.page(key.first))
            if (HWND control = GetDlgItem(page, key.second)) panel.mixed().show(control);
}
