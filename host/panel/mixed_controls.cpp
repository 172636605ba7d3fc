#include "panel/mixed_controls.h"
#include <algorithm>
#include "panel/panel_controls.h"
#include "vexsdk/custcontrols.h"

namespace {

void setButtonType(HWND button, LONG type) {
    const LONG style = GetWindowLongA(button, GWL_STYLE);
    SetWindowLongA(button, GWL_STYLE, (style & ~BS_TYPEMASK) | type);
}

}  // namespace

void MixedControls::show(HWND control) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (hasClass(control, "Button")) {
        if (isRadioButton(control)) {
            SendMessageA(control, BM_SETCHECK, BST_UNCHECKED, 0);
            return;
        }
        // Only a three-state box shows the third state.
        setButtonType(control, BS_AUTO3STATE);
        SendMessageA(control, BM_SETCHECK, BST_INDETERMINATE, 0);
    } else if (hasClass(control, "ListBox")) {
        SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else if (ICustEdit* edit = GetICustEdit(control)) {
        // Set as a program sets it: nothing typed, so nothing is read back from it.
        edit->setText("");
        ReleaseICustEdit(edit);
        return;
    } else {
        return;
    }
    const auto same = [control](const Shown& s) { return s.control == control; };
    if (std::none_of(controls_.begin(), controls_.end(), same))
        controls_.push_back({control, style});
}

bool MixedControls::holdBack(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND || controls_.empty()) return false;
    HWND control = reinterpret_cast<HWND>(lParam);
    auto at = std::find_if(controls_.begin(), controls_.end(),
                           [control](const Shown& s) { return s.control == control; });
    if (at == controls_.end()) return false;
    if (hasClass(control, "ListBox")) {
        if (HIWORD(wParam) != LBN_SELCHANGE) return true;
    } else {
        // Out of its third state a click checks the box, as the box it was.
        SetWindowLongA(control, GWL_STYLE, at->style);
        SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
    }
    controls_.erase(at);
    return false;
}

void MixedControls::forget(HWND page) {
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                   [page](const Shown& s) { return IsChild(page, s.control); }),
                    controls_.end());
}

void MixedControls::clear() {
    for (const Shown& s : controls_) SetWindowLongA(s.control, GWL_STYLE, s.style);
    controls_.clear();
}
