// "Parameters": the helper's axis tripod (shown, length) and its entity classname. Every
// change is written at once and announced, since the viewports draw all three.
#include <cstring>
#include "panels.h"
#include "resources/resource.h"
#include "entity_catalogue.h"
#include "entity/entity_helper.h"
#include "vexsdk/custcontrols.h"

namespace {

const int axisMinimum = 10;
const int axisMaximum = 1000;
const float axisScale = 0.1f;

void showAxisLength(HWND page, float length) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(page, IDC_AXIS_LENGTH_SPINNER));
    if (!spinner) return;
    spinner->setValueFloat(length, 0);
    ReleaseISpinner(spinner);
}

void setUpAxisLength(HWND page, float length) {
    ISpinnerControl* spinner = GetISpinner(GetDlgItem(page, IDC_AXIS_LENGTH_SPINNER));
    if (!spinner) return;
    spinner->setLimitsInt(axisMinimum, axisMaximum, 0);
    spinner->setScale(axisScale);
    spinner->setValueFloat(length, 0);
    spinner->linkToEdit(GetDlgItem(page, IDC_AXIS_LENGTH_EDIT), EDITTYPE_FLOAT);
    ReleaseISpinner(spinner);
}

void fillClassList(HWND page) {
    addTableToList(GetDlgItem(page, IDC_CLASS_LIST), entityClassNames);
}

// The list is sorted, and a name sorts before every longer name it begins: the first
// item that begins with a catalogue name is that name itself.
void selectClassname(HWND page, const char* classname) {
    HWND list = GetDlgItem(page, IDC_CLASS_LIST);
    if (SendMessageA(list, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(classname)) == LB_ERR)
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// Any notification from the list stores the selected name again. An item that would
// not fit the 80-byte field, or no selection at all, leaves the classname as it was.
void storeSelectedClassname(HWND page, VexalEntityHelper* helper) {
    HWND list = GetDlgItem(page, IDC_CLASS_LIST);
    const LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (sel != LB_ERR && length != LB_ERR &&
        length < static_cast<LRESULT>(sizeof helper->classname)) {
        char name[sizeof helper->classname] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(name));
        std::memcpy(helper->classname, name, sizeof helper->classname);
    }
    helper->lookupClassIndex();
}

void initialise(HWND page, VexalEntityHelper* helper) {
    bindPage(page, helper);
    CheckDlgButton(page, IDC_SHOW_AXIS, static_cast<UINT>(helper->showAxis));
    setUpAxisLength(page, helper->axisLength);
    fillClassList(page);
    selectClassname(page, helper->classname);
}

void handleCommand(HWND page, int controlId, VexalEntityHelper* helper) {
    if (controlId == IDC_SHOW_AXIS) {
        helper->showAxis = IsDlgButtonChecked(page, IDC_SHOW_AXIS) == BST_CHECKED;
        helper->notifyAndRedraw();
    } else if (controlId == IDC_CLASS_LIST) {
        storeSelectedClassname(page, helper);
        helper->notifyAndRedraw();
    }
}

}  // namespace

INT_PTR CALLBACK helperDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        initialise(window, reinterpret_cast<VexalEntityHelper*>(lParam));
        return FALSE;  // no default focus
    }
    VexalEntityHelper* helper = pageHelper(window);
    if (!helper) return FALSE;
    switch (message) {
        case WM_COMMAND:
            handleCommand(window, LOWORD(wParam), helper);
            return TRUE;
        case spinnerChangeMessage: {
            // The page's only spinner; its interface comes with the message.
            auto* spinner = reinterpret_cast<ISpinnerControl*>(lParam);
            if (spinner) helper->axisLength = spinner->getValueFloat();
            helper->notifyAndRedraw();
            return TRUE;
        }
        default:
            return FALSE;
    }
}

// Limits, scale, edit link and list lines stay as the first display set them.
void refreshHelperPanel(HWND page, VexalEntityHelper* helper) {
    CheckDlgButton(page, IDC_SHOW_AXIS, static_cast<UINT>(helper->showAxis));
    showAxisLength(page, helper->axisLength);
    selectClassname(page, helper->classname);
}
