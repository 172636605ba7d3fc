#include "window/entity_list.h"
#include <commctrl.h>
#include <algorithm>
#include <iterator>
#include "session/host_session.h"
#include "ui/message_box.h"
#include "ui/window_class.h"

namespace {

const char* windowClass = "VexalEntityList";
constexpr int FILTER_LABEL_WIDTH = 36;
enum Column { NAME, CLASSNAME, TARGET_NAME, TARGETS, STATE, COLUMN_COUNT };
const struct {
    const char* title;
    int width;
} columns[COLUMN_COUNT] = {
    {"Name", 80}, {"Classname", 92}, {"Target name", 72}, {"Targets", 72}, {"State", 42},
};
const COLORREF SET_ASIDE_TEXT = RGB(128, 128, 128);

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : ", ") + w;
    return text;
}

std::string stateText(const Node& node) {
    if (node.hidden() && node.frozen()) return "hidden, frozen";
    return node.hidden() ? "hidden" : node.frozen() ? "frozen" : "";
}

}  // namespace

EntityListWindow::EntityListWindow(HostSession& session)
    : session_(session), rows_(session.entities()) {}

bool EntityListWindow::create(HWND parent, int id) {
    if (!createHolder({windowClass, "Entities", "Find:", FILTER_LABEL_WIDTH, 4, WC_LISTVIEWA,
                       LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_EDITLABELS},
                      parent, id))
        return false;
    SendMessageA(list(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < COLUMN_COUNT; ++c) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(columns[c].title);
        column.cx = columns[c].width;
        SendMessageA(list(), LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
    return true;
}

void EntityListWindow::refresh() {
    if (rows_.update()) showRows();
    followSelection();
    // States and names are read as the rows paint; only the rows on screen are asked.
    InvalidateRect(list(), nullptr, FALSE);
}

void EntityListWindow::filterChanged() {
    char text[256] = {};
    GetWindowTextA(findField(), text, sizeof text);
    rows_.setFilter(text);
    showRows();
    followSelection();
}

// Setting the count costs the list control as much as painting it: done only when the
// count changes, not for every edit typed into a page.
void EntityListWindow::showRows() {
    following_ = true;  // rows the new count drops are not the user's picks
    if (SendMessageA(list(), LVM_GETITEMCOUNT, 0, 0) != LRESULT(rows_.size()))
        SendMessageA(list(), LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
    following_ = false;
    InvalidateRect(list(), nullptr, FALSE);
}

std::vector<int> EntityListWindow::selectedRows() const {
    std::vector<int> rows;
    for (int row = -1;
         (row = static_cast<int>(SendMessageA(list(), LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

// The rows of the selected nodes are the list's selection (those the filter shows). Only
// rows whose state differs are set, with the list's drawing held: each row set alone would
// ask for its own repaint, which a selection of thousands cannot wait for.
void EntityListWindow::followSelection() {
    std::vector<int> rows;
    for (Node* node : session_.scene().selection())
        if (const int row = rows_.rowOf(node); row >= 0) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    const std::vector<int> shown = selectedRows();
    if (rows == shown) return;
    following_ = true;
    SendMessageA(list(), WM_SETREDRAW, FALSE, 0);
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (rows.size() == rows_.size() || rows.empty()) {
        item.state = rows.empty() ? 0 : LVIS_SELECTED;
        SendMessageA(list(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
    } else {
        std::vector<int> gone;
        std::set_difference(shown.begin(), shown.end(), rows.begin(), rows.end(),
                            std::back_inserter(gone));
        for (int row : gone)
            SendMessageA(list(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
        std::vector<int> fresh;
        std::set_difference(rows.begin(), rows.end(), shown.begin(), shown.end(),
                            std::back_inserter(fresh));
        item.state = LVIS_SELECTED;
        for (int row : fresh)
            SendMessageA(list(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    if (!rows.empty()) {
        item.stateMask = LVIS_FOCUSED;
        item.state = LVIS_FOCUSED;
        SendMessageA(list(), LVM_SETITEMSTATE, rows.front(), reinterpret_cast<LPARAM>(&item));
        SendMessageA(list(), LVM_ENSUREVISIBLE, rows.front(), FALSE);
    }
    SendMessageA(list(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list(), nullptr, FALSE);
    following_ = false;
}

// The user changed the list's selection. A plain click first clears the old rows, then
// selects the new one: a row that went is taken up only once the click is over, so that
// the scene does not pass through an empty selection (and its pages through closing).
void EntityListWindow::rowsPicked(bool added) {
    if (following_) return;
    pickAdds_ = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0;
    if (added) return selectPickedRows();
    if (!pickPosted_) pickPosted_ = PostMessageA(window(), WM_APP, 0, 0) != FALSE;
}

// The list speaks for the rows it shows: a plain click selects just its row, while with
// Ctrl or Shift the selected nodes that the filter hides stay so.
void EntityListWindow::selectPickedRows() {
    std::vector<Node*> picked;
    for (int row : selectedRows())
        if (size_t(row) < rows_.size())
            if (Node* node = session_.node(rows_.at(row)->name())) picked.push_back(node);
    if (pickTaken(picked)) return followSelection();
    std::vector<Node*> nodes;
    for (Node* node : session_.scene().selection())
        if (pickAdds_ && rows_.rowOf(node) < 0) nodes.push_back(node);
    nodes.insert(nodes.end(), picked.begin(), picked.end());
    std::vector<Node*> selected = session_.scene().selection();
    std::sort(nodes.begin(), nodes.end());
    std::sort(selected.begin(), selected.end());
    if (nodes != selected) session_.select(nodes);
}

// The row clicked is the one whose node is not selected yet (else the first picked).
bool EntityListWindow::pickTaken(const std::vector<Node*>& picked) {
    if (!onPick || picked.empty()) return false;
    auto fresh = std::find_if(picked.begin(), picked.end(), [](Node* n) { return !n->selected(); });
    return onPick(fresh == picked.end() ? *picked.front() : **fresh);
}

void EntityListWindow::rowText(NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || size_t(item.iItem) >= rows_.size()) return;
    const Node& node = *rows_.at(item.iItem);
    const EntityMark* mark = session_.entities().mark(node);
    std::string text;
    switch (item.iSubItem) {
        case NAME:
            text = node.name();
            break;
        case CLASSNAME:
            text = mark ? mark->classname : "";
            break;
        case TARGET_NAME:
            text = mark ? mark->targetName : "";
            break;
        case TARGETS:
            text = mark ? joined(mark->targets) : "";
            break;
        case STATE:
            text = stateText(node);
            break;
    }
    if (item.pszText && item.cchTextMax > 0) lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

// Hidden and frozen nodes' rows are greyed, beside the word in their State column. A
// selected row keeps the highlight's colours while the focus is elsewhere, where the list
// would grey it to near nothing: it is drawn as a plain row in those colours.
LRESULT EntityListWindow::customDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || draw.nmcd.dwItemSpec >= rows_.size())
        return CDRF_DODEFAULT;
    const Node& node = *rows_.at(draw.nmcd.dwItemSpec);
    if (node.hidden() || node.frozen()) draw.clrText = SET_ASIDE_TEXT;
    const bool selected =
        SendMessageA(list(), LVM_GETITEMSTATE, draw.nmcd.dwItemSpec, LVIS_SELECTED) != 0;
    if (selected && GetFocus() != list()) {
        draw.nmcd.uItemState &= ~CDIS_SELECTED;
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
    }
    return CDRF_NEWFONT;
}

void EntityListWindow::rowPicked(int row) {
    if (following_ || row < 0 || size_t(row) >= rows_.size()) return;
    Node* node = session_.node(rows_.at(row)->name());
    if (node && !(node->selected() && session_.scene().selection().size() == 1))
        session_.select({node});
}

void EntityListWindow::renameSelectedRow() {
    const int row = static_cast<int>(SendMessageA(list(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    if (row < 0) return;
    renameAsked_ = true;
    SendMessageA(list(), LVM_EDITLABELA, row, 0);
    renameAsked_ = false;
}

bool EntityListWindow::renamed(const NMLVDISPINFOA& info) {
    if (!info.item.pszText || info.item.iItem < 0 || size_t(info.item.iItem) >= rows_.size())
        return false;
    Node* node = session_.node(rows_.at(info.item.iItem)->name());
    std::string error;
    if (!node || session_.rename(node, info.item.pszText, error)) return node != nullptr;
    showMessage(window(), error, "Rename", MB_OK | MB_ICONERROR);
    return false;
}

LRESULT EntityListWindow::notify(NMHDR* header) {
    if (header->hwndFrom != list()) return 0;
    switch (header->code) {
        case LVN_GETDISPINFOA:
            rowText(*reinterpret_cast<NMLVDISPINFOA*>(header));
            return 0;
        case NM_CUSTOMDRAW:
            return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        case LVN_ITEMCHANGED: {
            const auto& change = *reinterpret_cast<NMLISTVIEW*>(header);
            if ((change.uChanged & LVIF_STATE) &&
                ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
                rowsPicked(change.uNewState & LVIS_SELECTED);
            return 0;
        }
        case LVN_ODSTATECHANGED: {  // a range of rows, as a shift click makes
            const auto& change = *reinterpret_cast<NMLVODSTATECHANGE*>(header);
            if ((change.uNewState ^ change.uOldState) & LVIS_SELECTED)
                rowsPicked(change.uNewState & LVIS_SELECTED);
            return 0;
        }
        case NM_DBLCLK: {
            const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
            if (row < 0 || size_t(row) >= rows_.size()) return 0;
            rowPicked(row);
            if (onShow) onShow(*rows_.at(row));
            return 0;
        }
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_F2) renameSelectedRow();
            return 0;
        case LVN_BEGINLABELEDITA:
            return !renameAsked_;  // true refuses the list's own start, a slow second click
        case LVN_ENDLABELEDITA:
            return renamed(*reinterpret_cast<NMLVDISPINFOA*>(header));
    }
    return 0;
}

LRESULT EntityListWindow::handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == FIELD_ID && HIWORD(wp) == EN_CHANGE) filterChanged();
            return 0;
        case WM_NOTIFY:
            return notify(reinterpret_cast<NMHDR*>(lp));
        case WM_APP:
            pickPosted_ = false;
            selectPickedRows();
            return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}
