#include "panel/panel_controls.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <vector>
#include "panel/command_panel.h"
#include "vexsdk/custcontrols.h"

namespace {

std::string normalisedLabel(std::string text) {
    while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string windowText(HWND window) {
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LONG buttonType(HWND button) { return GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK; }

}  // namespace

bool hasClass(HWND window, const char* name) {
    char actual[64];
    return GetClassNameA(window, actual, sizeof actual) && lstrcmpiA(actual, name) == 0;
}

bool isRadioButton(HWND button) {
    const LONG type = buttonType(button);
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool isGroupBox(HWND window) {
    return hasClass(window, "Button") && buttonType(window) == BS_GROUPBOX;
}

namespace {

bool isCheckBox(HWND button) {
    const LONG type = buttonType(button);
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

std::vector<HWND> childrenOf(HWND page) {
    std::vector<HWND> result;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) result.push_back(c);
    return result;
}

RECT rectInPage(HWND page, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The control nearest the label: to its right on the same line, else below it.
HWND controlLabelledBy(HWND page, HWND label) {
    const RECT l = rectInPage(page, label);
    HWND right = nullptr, below = nullptr;
    int rightGap = INT_MAX, belowGap = INT_MAX;
    for (HWND c : childrenOf(page)) {
        if (c == label || hasClass(c, "Static") || isGroupBox(c)) continue;
        const RECT r = rectInPage(page, c);
        const bool sameLine = r.top < l.bottom && r.bottom > l.top;
        const bool sameColumn = r.left < l.right && r.right > l.left;
        if (sameLine && r.left >= l.right - 2 && r.left - l.right < rightGap) {
            rightGap = r.left - l.right;
            right = c;
        } else if (sameColumn && r.top >= l.bottom - 2 && r.top - l.bottom < belowGap) {
            belowGap = r.top - l.bottom;
            below = c;
        }
    }
    return right ? right : below;
}

bool isLabel(HWND c) {
    return hasClass(c, "Static") && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) != SS_CENTER &&
           !windowText(c).empty();
}

// Edit cells that no label names, in reading order of their grid: left column top down,
// then the right column. Each is named by column and row.
struct GridCell {
    HWND window;
    std::string name;
};

std::vector<GridCell> gridCells(HWND page) {
    std::vector<HWND> labelled;
    for (HWND c : childrenOf(page))
        if (isLabel(c))
            if (HWND target = controlLabelledBy(page, c)) labelled.push_back(target);
    std::vector<HWND> cells;
    std::vector<LONG> rows, columns;
    for (HWND c : childrenOf(page)) {
        if (!hasClass(c, CUSTEDIT_CLASS) ||
            std::find(labelled.begin(), labelled.end(), c) != labelled.end())
            continue;
        cells.push_back(c);
        rows.push_back(rectInPage(page, c).top);
        columns.push_back(rectInPage(page, c).left);
    }
    auto rank = [](std::vector<LONG> values, LONG v) {
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        return static_cast<int>(std::lower_bound(values.begin(), values.end(), v) - values.begin());
    };
    std::vector<std::pair<std::pair<int, int>, GridCell>> ordered;
    for (size_t i = 0; i < cells.size(); ++i) {
        int column = rank(columns, columns[i]), row = rank(rows, rows[i]) + 1;
        std::string name = (column == 0 ? "Key " : "Value ") + std::to_string(row);
        ordered.push_back({{column, row}, {cells[i], name}});
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<GridCell> result;
    for (auto& o : ordered) result.push_back(o.second);
    return result;
}

bool truthy(const std::string& value) {
    const std::string v = normalisedLabel(value);
    return v == "1" || v == "on" || v == "true" || v == "yes";
}

bool falsy(const std::string& value) {
    const std::string v = normalisedLabel(value);
    return v == "0" || v == "off" || v == "false" || v == "no";
}

}  // namespace

bool isTextField(HWND control) {
    return control && (hasClass(control, CUSTEDIT_CLASS) || hasClass(control, "Edit")) &&
           !spinnerBeside(control);
}

HWND spinnerBeside(HWND field) {
    HWND page = GetParent(field);
    const RECT f = rectInPage(page, field);
    for (HWND c : childrenOf(page)) {
        if (!hasClass(c, SPINNER_CLASS)) continue;
        const RECT r = rectInPage(page, c);
        if (r.top < f.bottom && r.bottom > f.top && std::abs(r.left - f.right) <= 4) return c;
    }
    return nullptr;
}

HWND findLabelledControl(HWND page, const std::string& label) {
    if (!page) return nullptr;
    const std::string wanted = normalisedLabel(label);
    for (HWND c : childrenOf(page))
        if (hasClass(c, "Button") && !isGroupBox(c) && normalisedLabel(windowText(c)) == wanted)
            return c;
    for (HWND c : childrenOf(page))
        if (hasClass(c, "Static") && normalisedLabel(windowText(c)) == wanted)
            if (HWND control = controlLabelledBy(page, c)) return control;
    for (const GridCell& cell : gridCells(page))
        if (normalisedLabel(cell.name) == wanted) return cell.window;
    return nullptr;
}

std::vector<LabelledControl> labelledControls(HWND page) {
    std::vector<LabelledControl> found;
    for (HWND c : childrenOf(page)) {
        std::string text = windowText(c);
        HWND control = nullptr;
        if (hasClass(c, "Button") && !isGroupBox(c) && !text.empty())
            control = c;
        else if (isLabel(c))
            control = controlLabelledBy(page, c);
        if (!control) continue;
        while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
        found.push_back({text, control});
    }
    for (const GridCell& cell : gridCells(page)) found.push_back({cell.name, cell.window});
    return found;
}

void clickButton(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

bool clickListItem(HWND list, const std::string& text) {
    const LRESULT line = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    if (line == LB_ERR) return false;
    RECT item, client;
    GetClientRect(list, &client);
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
        SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line),
                     reinterpret_cast<LPARAM>(&item));
    }
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    return true;
}

void focusControl(HWND control) { SetFocus(control); }

void typeIntoField(HWND field, const std::string& text) {
    focusControl(field);
    HWND typing = GetFocus();  // a CustEdit hands the focus to its inner field
    if (!typing) return;
    SendMessageA(typing, EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(typing, WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(typing, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(typing, WM_KEYUP, VK_RETURN, 0xC0000001);
}

namespace {

ControlSet refused(const std::string& problem) { return {false, problem, ""}; }

ControlSet setButton(HWND button, const std::string& value) {
    if (isGroupBox(button)) return refused("a group box takes no value");
    const bool on = truthy(value);
    if (isCheckBox(button)) {
        if (!on && !falsy(value)) return refused("a check box takes on or off");
        // An indeterminate box takes a click more: the first one checks it.
        const LRESULT wanted = on ? BST_CHECKED : BST_UNCHECKED;
        for (int clicks = 0; clicks < 2 && SendMessageA(button, BM_GETCHECK, 0, 0) != wanted;
             ++clicks)
            clickButton(button);
        return {true, "", ""};
    }
    if (!value.empty() && !on) return refused("a button is only clicked: give no value, or on");
    clickButton(button);
    return {true, "", ""};
}

// A number typed into a spinner's field: the spinner keeps it within its limits, and says
// so when it had to.
ControlSet typeNumber(HWND field, HWND spinnerWindow, const std::string& value) {
    char* end = nullptr;
    const double typed = std::strtod(value.c_str(), &end);
    if (value.empty() || std::isspace(static_cast<unsigned char>(value[0])) || *end != '\0' ||
        !std::isfinite(typed))
        return refused("a spinner takes a number");
    typeIntoField(field, value);
    ISpinnerControl* spinner = GetISpinner(spinnerWindow);
    const double taken = spinner ? spinner->getValueFloat() : typed;
    ReleaseISpinner(spinner);
    // A spinner of whole numbers shows no decimal point, and rounds what is typed.
    const bool whole = windowText(field).find('.') == std::string::npos;
    const double wanted = whole ? std::round(typed) : typed;
    if (std::fabs(taken - wanted) <= 1e-4 * std::max(1.0, std::fabs(wanted))) return {true, "", ""};
    char note[96];
    std::snprintf(note, sizeof note, "%s is %s, %g; %g set", value.c_str(),
                  typed > taken ? "above the most" : "below the least", taken, taken);
    return {true, "", note};
}

}  // namespace

ControlSet setControl(HWND control, const std::string& value) {
    if (!control) return refused("no such control");
    if (hasClass(control, "Button")) return setButton(control, value);
    if (hasClass(control, "ListBox")) {
        if (clickListItem(control, value)) return {true, "", ""};
        return refused("the list has no line \"" + value + "\"");
    }
    if (!hasClass(control, CUSTEDIT_CLASS) && !hasClass(control, "Edit"))
        return refused("the control takes no value");
    if (HWND spinner = spinnerBeside(control)) return typeNumber(control, spinner, value);
    typeIntoField(control, value);
    return {true, "", ""};
}

bool setControlValue(HWND control, const std::string& value) {
    return setControl(control, value).taken;
}

std::string controlValue(HWND control) {
    if (!control) return std::string();
    if (hasClass(control, "Button") && (isCheckBox(control) || isRadioButton(control))) {
        const LRESULT state = SendMessageA(control, BM_GETCHECK, 0, 0);
        return state == BST_INDETERMINATE ? "" : state == BST_CHECKED ? "1" : "0";
    }
    if (hasClass(control, "ListBox")) {
        const LRESULT line = SendMessageA(control, LB_GETCURSEL, 0, 0);
        const LRESULT length = SendMessageA(control, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
        if (line == LB_ERR || length == LB_ERR) return std::string();
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(control, LB_GETTEXT, static_cast<WPARAM>(line),
                     reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        return text;
    }
    if (ISpinnerControl* spinner = GetISpinner(control)) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", spinner->getValueFloat());
        ReleaseISpinner(spinner);
        return text;
    }
    return windowText(control);
}

namespace {

std::string unknownLabelError(const CommandPanel& panel, const std::string& label) {
    std::string error = "no control \"" + label + "\" on the shown pages";
    const std::vector<HWND> pages = panel.pages();
    const std::vector<std::string> titles = panel.pageTitles();
    for (size_t i = 0; i < pages.size(); ++i) {
        error += i ? "; " : ": ";
        error += "\"" + titles[i] + "\" has";
        for (const LabelledControl& l : labelledControls(pages[i])) error += " \"" + l.label + "\"";
    }
    return error;
}

}  // namespace

void runPendingMessages() {
    MSG msg;
    // Posted work only: painting and input wait for a loop that shows the windows.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool setPageControl(CommandPanel& panel, const std::string& label, const std::string& value,
                    std::string& error, std::string& warning) {
    if (panel.pages().empty()) {
        error = "no pages are shown: select a helper first";
        return false;
    }
    HWND control = panel.findControl(label);
    if (!control) {
        error = unknownLabelError(panel, label);
        return false;
    }
    if (!IsWindowEnabled(control)) {
        const std::string note = panel.pageNote(GetParent(control));
        error = "\"" + label + "\" is greyed" + (note.empty() ? "" : ": " + note);
        return false;
    }
    const ControlSet set = setControl(control, value);
    if (!set.taken) {
        error = "\"" + label + "\" cannot take the value \"" + value + "\": " + set.problem;
        return false;
    }
    if (!set.adjusted.empty()) warning = label + " " + set.adjusted;
    runPendingMessages();
    panel.runPostedTasks();
    return true;
}

std::string describePages(const CommandPanel& panel) {
    std::string text = panel.title().empty() ? "" : "[" + panel.title() + "]\n";
    const std::vector<HWND> pages = panel.pages();
    const std::vector<std::string> titles = panel.pageTitles();
    for (size_t i = 0; i < pages.size(); ++i) {
        text += titles[i] + "\n";
        const std::string note = panel.pageNote(pages[i]);
        if (!note.empty()) text += "  [greyed] " + note + "\n";
        for (const LabelledControl& l : labelledControls(pages[i]))
            text += "  " + l.label + ": " + controlValue(l.control) + "\n";
    }
    return text;
}
