// "Door Params": the door fields of the edited helper's property record. Spinners, the
// sound list and the check boxes store at once and announce the change; the two texts
// store on commit (quietly), and when the edit ends if the user typed into them since.
#include "panels.h"
#include "field_text.h"
#include "resources/resource.h"
#include "entity_catalogue.h"
#include "entity/entity_helper.h"
#include "vexsdk/custcontrols.h"

namespace {

// A spinner's edit box has the id one below the spinner's.
struct SpinnerField {
    int spinnerId;
    int lower;
    int upper;
    int32_t EntityProps::*field;
};

const SpinnerField angleSpinner{IDC_ANGLE_SPINNER, -2, 359, &EntityProps::angle};
const SpinnerField speedSpinner{IDC_SPEED_SPINNER, 1, 999, &EntityProps::speed};
const SpinnerField waitSpinner{IDC_WAIT_SPINNER, -1, 99, &EntityProps::wait};
const SpinnerField lipSpinner{IDC_LIP_SPINNER, 0, 999, &EntityProps::lip};
const SpinnerField healthSpinner{IDC_HEALTH_SPINNER, 0, 9999, &EntityProps::health};
const SpinnerField damageSpinner{IDC_DAMAGE_SPINNER, 0, 9999, &EntityProps::damage};

const SpinnerField* const spinnerFields[] = {&angleSpinner, &speedSpinner,  &waitSpinner,
                                             &lipSpinner,   &healthSpinner, &damageSpinner};

struct CheckField {
    int id;
    int32_t EntityProps::*field;
};

const CheckField checkFields[] = {
    {IDC_TOGGLE, &EntityProps::toggle},        {IDC_START_OPEN, &EntityProps::startOpen},
    {IDC_DONT_LINK, &EntityProps::dontLink},   {IDC_GOLD_KEY, &EntityProps::goldKey},
    {IDC_SILVER_KEY, &EntityProps::silverKey},
};

constexpr float spinnerScale = 0.1f;

const SpinnerField* spinnerFieldOf(int spinnerId) {
    for (const SpinnerField* spinner : spinnerFields)
        if (spinner->spinnerId == spinnerId) return spinner;
    return nullptr;
}

// Limits never clamp: a stored value outside them stays until the user changes it.
void setUpSpinner(HWND page, const SpinnerField& spinner, const EntityProps& props) {
    ISpinnerControl* control = GetISpinner(GetDlgItem(page, spinner.spinnerId));
    if (!control) return;
    control->setLimitsInt(spinner.lower, spinner.upper, 0);
    control->setScale(spinnerScale);
    control->setValueInt(props.*spinner.field, 0);
    control->linkToEdit(GetDlgItem(page, spinner.spinnerId - 1), EDITTYPE_INT);
    ReleaseISpinner(control);
}

void showSpinnerValue(HWND page, const SpinnerField& spinner, const EntityProps& props) {
    ISpinnerControl* control = GetISpinner(GetDlgItem(page, spinner.spinnerId));
    if (!control) return;
    control->setValueInt(props.*spinner.field, 0);
    ReleaseISpinner(control);
}

void readSpinnerValue(HWND page, const SpinnerField& spinner, EntityProps& props) {
    ISpinnerControl* control = GetISpinner(GetDlgItem(page, spinner.spinnerId));
    if (!control) return;
    props.*spinner.field = control->getValueInt();
    ReleaseISpinner(control);
}

template <size_t N>
void showText(HWND page, int editId, const char (&field)[N]) {
    ICustEdit* edit = GetICustEdit(GetDlgItem(page, editId));
    if (!edit) return;
    edit->setText(FieldText<N>(field).c_str());
    ReleaseICustEdit(edit);
}

// The edit's size limit keeps the text inside the field: at most N-1 characters.
template <size_t N>
void readText(HWND page, int editId, char (&field)[N]) {
    ICustEdit* edit = GetICustEdit(GetDlgItem(page, editId));
    if (!edit) return;
    edit->getText(field, static_cast<int>(N));
    ReleaseICustEdit(edit);
}

void fillSoundList(HWND page) { addTableToList(GetDlgItem(page, IDC_SOUNDS), doorSoundNames); }

// A stored line outside the list selects nothing; the record keeps it until the list
// notifies.
void showSound(HWND page, int32_t sounds) {
    HWND list = GetDlgItem(page, IDC_SOUNDS);
    const LRESULT lines = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const WPARAM line = sounds >= 0 && sounds < lines ? static_cast<WPARAM>(sounds) : -1;
    SendMessageA(list, LB_SETCURSEL, line, 0);
}

void showCheckBoxes(HWND page, const EntityProps& props) {
    for (const CheckField& check : checkFields)
        CheckDlgButton(page, check.id, static_cast<UINT>(props.*check.field));
}

void initialise(HWND page, VexalEntityHelper* helper) {
    bindPage(page, helper);
    if (!helper) return;
    const EntityProps& props = helper->props;
    setUpSpinner(page, angleSpinner, props);
    setUpSpinner(page, speedSpinner, props);
    showText(page, IDC_TARGET_NAME, props.targetName);
    fillSoundList(page);
    showSound(page, props.sounds);
    setUpSpinner(page, waitSpinner, props);
    setUpSpinner(page, lipSpinner, props);
    showText(page, IDC_MESSAGE, props.message);
    setUpSpinner(page, healthSpinner, props);
    setUpSpinner(page, damageSpinner, props);
    showCheckBoxes(page, props);
}

void storeSpinnerChange(int spinnerId, ISpinnerControl* spinner, VexalEntityHelper* helper) {
    const SpinnerField* field = spinnerFieldOf(spinnerId);
    if (field && spinner) helper->props.*field->field = spinner->getValueInt();
    helper->notifyAndRedraw();
}

// Every notification counts, focus changes included: each stores the control's state again.
void storeCommand(HWND page, int controlId, VexalEntityHelper* helper) {
    if (controlId == IDC_SOUNDS)
        helper->props.sounds =
            static_cast<int32_t>(SendDlgItemMessageA(page, IDC_SOUNDS, LB_GETCURSEL, 0, 0));
    for (const CheckField& check : checkFields)
        if (check.id == controlId)
            helper->props.*check.field = IsDlgButtonChecked(page, controlId) == BST_CHECKED;
    helper->notifyAndRedraw();
}

// The spinners' own edit boxes commit too; only the spinner's change message stores those.
void storeCommittedText(HWND page, int editId, VexalEntityHelper* helper) {
    if (editId == IDC_TARGET_NAME) readText(page, editId, helper->props.targetName);
    if (editId == IDC_MESSAGE) readText(page, editId, helper->props.message);
}

}  // namespace

INT_PTR CALLBACK entityParamsDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        initialise(window, reinterpret_cast<VexalEntityHelper*>(lParam));
        return FALSE;
    }
    VexalEntityHelper* helper = pageHelper(window);
    if (!helper) return FALSE;
    switch (message) {
        case spinnerChangeMessage:
            storeSpinnerChange(LOWORD(wParam), reinterpret_cast<ISpinnerControl*>(lParam), helper);
            return TRUE;
        case WM_COMMAND:
            storeCommand(window, LOWORD(wParam), helper);
            return TRUE;
        case editCommitMessage:
            storeCommittedText(window, LOWORD(wParam), helper);
            return TRUE;
        default:
            return FALSE;
    }
}

void refreshEntityParamsPanel(HWND page, VexalEntityHelper* helper) {
    const EntityProps& props = helper->props;
    showSpinnerValue(page, angleSpinner, props);
    showSpinnerValue(page, speedSpinner, props);
    showText(page, IDC_TARGET_NAME, props.targetName);
    showText(page, IDC_MESSAGE, props.message);
    showSpinnerValue(page, waitSpinner, props);
    showSpinnerValue(page, lipSpinner, props);
    showSpinnerValue(page, healthSpinner, props);
    showSpinnerValue(page, damageSpinner, props);
    showSound(page, props.sounds);
    showCheckBoxes(page, props);
}

void readBackEntityParamsPanel(HWND page, VexalEntityHelper* helper) {
    for (const SpinnerField* spinner : spinnerFields)
        readSpinnerValue(page, *spinner, helper->props);
    // An untouched text is left alone: read back, a stored text without its terminator
    // would lose its last byte.
    if (typedSinceStored(page, IDC_TARGET_NAME))
        readText(page, IDC_TARGET_NAME, helper->props.targetName);
    if (typedSinceStored(page, IDC_MESSAGE)) readText(page, IDC_MESSAGE, helper->props.message);
}
