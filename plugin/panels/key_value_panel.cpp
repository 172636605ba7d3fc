// "Map Parameters": eight free key/value pairs of any helper, kept in the record's
// keyValueText. A commit in any cell stores all sixteen cells; nothing is announced, since
// nothing in the viewports depends on the pairs.
#include "panels.h"
#include "key_value_text.h"
#include "resources/resource.h"
#include "entity/entity_helper.h"
#include "vexsdk/custcontrols.h"

namespace {

// Screen order, row by row, key before value: the order of the pieces in the text.
const int cellIds[keyValueCellCount] = {
    IDC_KEY_ROW1, IDC_VALUE_ROW1, IDC_KEY_ROW2, IDC_VALUE_ROW2, IDC_KEY_ROW3, IDC_VALUE_ROW3,
    IDC_KEY_ROW4, IDC_VALUE_ROW4, IDC_KEY_ROW5, IDC_VALUE_ROW5, IDC_KEY_ROW6, IDC_VALUE_ROW6,
    IDC_KEY_ROW7, IDC_VALUE_ROW7, IDC_KEY_ROW8, IDC_VALUE_ROW8,
};

void readCell(HWND page, int cellId, char (&text)[keyValueCellSize]) {
    text[0] = '\0';
    ICustEdit* edit = GetICustEdit(GetDlgItem(page, cellId));
    if (!edit) return;
    edit->getText(text, static_cast<int>(keyValueCellSize));
    ReleaseICustEdit(edit);
}

void showCell(HWND page, int cellId, const char* text) {
    ICustEdit* edit = GetICustEdit(GetDlgItem(page, cellId));
    if (!edit) return;
    edit->setText(text);
    ReleaseICustEdit(edit);
}

}  // namespace

INT_PTR CALLBACK keyValueDlgProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* helper = reinterpret_cast<VexalEntityHelper*>(lParam);
        bindPage(window, helper);
        if (helper) helper->fillKeyValuePanel(window);
        return FALSE;
    }
    VexalEntityHelper* helper = pageHelper(window);
    if (!helper || message != editCommitMessage) return FALSE;
    helper->readKeyValuePanel();
    return TRUE;
}

bool keyValueCellsTyped(HWND page) {
    for (int cellId : cellIds)
        if (typedSinceStored(page, cellId)) return true;
    return false;
}

// Cells that no longer fit the text are emptied on the page, with a warning beep when one
// of them held text, so that the page never shows pairs the record does not hold.
void VexalEntityHelper::readKeyValuePanel() {
    if (!keyValuePanelWnd) return;
    char cells[keyValueCellCount][keyValueCellSize];
    const char* cellTexts[keyValueCellCount];
    for (int cell = 0; cell < keyValueCellCount; ++cell) {
        readCell(keyValuePanelWnd, cellIds[cell], cells[cell]);
        cellTexts[cell] = cells[cell];
    }
    const int stored =
        composeKeyValueText(cellTexts, props.keyValueText, sizeof props.keyValueText);
    bool textLeftOut = false;
    for (int cell = stored; cell < keyValueCellCount; ++cell) {
        if (cells[cell][0] == '\0') continue;
        textLeftOut = true;
        showCell(keyValuePanelWnd, cellIds[cell], "");
    }
    if (textLeftOut) MessageBeep(MB_ICONWARNING);
}

// Every cell is set, the ones without a piece to empty: a kept page refilled for another
// helper must not carry the previous helper's pairs into this one's record.
void VexalEntityHelper::fillKeyValuePanel(HWND window) {
    if (!window) return;
    char pieces[keyValueCellCount][keyValueCellSize];
    const int count = splitKeyValueText(props.keyValueText, sizeof props.keyValueText, pieces);
    for (int cell = 0; cell < keyValueCellCount; ++cell)
        showCell(window, cellIds[cell], cell < count ? pieces[cell] : "");
}
