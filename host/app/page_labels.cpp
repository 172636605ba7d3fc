#include "app/page_labels.h"
#include <algorithm>
#include <cctype>
#include <set>
#include "panel/panel_controls.h"
#include "vexsdk/custcontrols.h"

namespace {

struct Child {
    HWND window;
    std::string cls, text;
    RECT rect;
    LONG style;
};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<Child> directChildren(HWND page) {
    std::vector<Child> result;
    for (HWND w = GetWindow(page, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char cls[64] = {}, text[256] = {};
        GetClassNameA(w, cls, sizeof cls);
        GetWindowTextA(w, text, sizeof text);
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        result.push_back({w, lower(cls), text, r, GetWindowLongA(w, GWL_STYLE)});
    }
    return result;
}

bool isCell(const Child& c) { return c.cls == lower(CUSTEDIT_CLASS); }

// Edit cells that no label names, with their row (1 = top) and column (0 = left).
struct Cell {
    HWND window;
    int row, column;
};

std::vector<Cell> unlabelledCells(HWND page, const std::vector<Child>& children) {
    std::set<HWND> labelled;
    for (const Child& c : children)
        if (c.cls == "static" && !c.text.empty())
            if (HWND target = findLabelledControl(page, c.text)) labelled.insert(target);
    std::vector<const Child*> cells;
    std::set<LONG> rows, columns;
    for (const Child& c : children) {
        if (!isCell(c) || labelled.count(c.window)) continue;
        cells.push_back(&c);
        rows.insert(c.rect.top);
        columns.insert(c.rect.left);
    }
    std::vector<Cell> result;
    for (const Child* c : cells) {
        int row = static_cast<int>(std::distance(rows.begin(), rows.find(c->rect.top))) + 1;
        int column = static_cast<int>(std::distance(columns.begin(), columns.find(c->rect.left)));
        result.push_back({c->window, row, column});
    }
    std::sort(result.begin(), result.end(), [](const Cell& a, const Cell& b) {
        return a.column != b.column ? a.column < b.column : a.row < b.row;
    });
    return result;
}

std::string cellName(const Cell& c) {
    return (c.column == 0 ? "Key " : "Value ") + std::to_string(c.row);
}

}  // namespace

std::vector<std::string> pageLabels(HWND page) {
    std::vector<Child> children = directChildren(page);
    std::vector<std::string> labels;
    for (const Child& c : children) {
        bool button = c.cls == "button" && (c.style & BS_TYPEMASK) != BS_GROUPBOX;
        bool label = c.cls == "static" && (c.style & SS_TYPEMASK) != SS_CENTER;
        if (c.text.empty() || !(button || label)) continue;
        if (button || findLabelledControl(page, c.text)) {
            std::string text = c.text;
            if (text.back() == ':') text.pop_back();
            labels.push_back(text);
        }
    }
    for (const Cell& c : unlabelledCells(page, children)) labels.push_back(cellName(c));
    return labels;
}

HWND findPageCell(HWND page, const std::string& name) {
    std::string wanted = lower(name);
    for (const Cell& c : unlabelledCells(page, directChildren(page)))
        if (lower(cellName(c)) == wanted) return c.window;
    return nullptr;
}
