#include "panel/panel_tab_order.h"
#include <algorithm>
#include "panel/panel_controls.h"
#include "vexsdk/custcontrols.h"

namespace {

bool isRadio(HWND window) { return hasClass(window, "Button") && isRadioButton(window); }

// A radio button stops Tab when it is its group's checked one, or the group's first when
// none is checked.
bool radioStops(HWND page, HWND radio) {
    if (SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) return true;
    HWND first = nullptr;
    HWND member = radio;
    do {
        if (isRadio(member) && SendMessageA(member, BM_GETCHECK, 0, 0) == BST_CHECKED) return false;
        if (isRadio(member) && (!first || GetDlgCtrlID(member) < GetDlgCtrlID(first)))
            first = member;
        member = GetNextDlgGroupItem(page, member, FALSE);
    } while (member && member != radio);
    return first == radio;
}

// Shown by its own style: a closed page hides itself, while the panel's window may not be
// on screen at all (a host driven by a script).
bool shown(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool worked(HWND page, HWND control) {
    if (!shown(control) || !IsWindowEnabled(control)) return false;
    if (hasClass(control, CUSTEDIT_CLASS) || hasClass(control, "Edit") ||
        hasClass(control, "ListBox") || hasClass(control, "ComboBox"))
        return true;
    if (!hasClass(control, "Button") || isGroupBox(control)) return false;
    return !isRadio(control) || radioStops(page, control);
}

struct Placed {
    HWND control;
    RECT box;
};

// Rows of controls whose tops lie within half the row's first control's height, each row
// left to right.
void readingOrder(std::vector<Placed>& controls) {
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Placed& a, const Placed& b) { return a.box.top < b.box.top; });
    for (size_t row = 0; row < controls.size();) {
        const RECT& first = controls[row].box;
        const LONG reach = first.top + std::max<LONG>((first.bottom - first.top) / 2, 1);
        size_t end = row + 1;
        while (end < controls.size() && controls[end].box.top < reach) ++end;
        std::stable_sort(controls.begin() + row, controls.begin() + end,
                         [](const Placed& a, const Placed& b) { return a.box.left < b.box.left; });
        row = end;
    }
}

}  // namespace

std::vector<HWND> tabStops(const std::vector<HWND>& pages) {
    std::vector<HWND> stops;
    for (HWND page : pages) {
        if (!shown(page)) continue;
        std::vector<Placed> controls;
        for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (!worked(page, c)) continue;
            Placed placed{c, {}};
            GetWindowRect(c, &placed.box);
            controls.push_back(placed);
        }
        readingOrder(controls);
        for (const Placed& p : controls) stops.push_back(p.control);
    }
    return stops;
}

HWND nextTabStop(const std::vector<HWND>& pages, HWND from, bool backwards) {
    const std::vector<HWND> stops = tabStops(pages);
    if (stops.empty()) return nullptr;
    // The stop that holds from: a field's own edit window lies inside its control.
    auto at = std::find_if(stops.begin(), stops.end(),
                           [&](HWND stop) { return stop == from || IsChild(stop, from); });
    if (at == stops.end()) return backwards ? stops.back() : stops.front();
    const size_t index = static_cast<size_t>(at - stops.begin());
    const size_t count = stops.size();
    return stops[backwards ? (index + count - 1) % count : (index + 1) % count];
}
