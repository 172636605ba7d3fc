// "Light Params": the light's start state (bit 0 of lightFlags) and style. Every click
// stores at once; nothing in the viewports depends on either, so nothing is announced.
#include "panels.h"
#include "resources/resource.h"
#include "entity/entity_helper.h"

namespace {

constexpr int lastStyleId = IDC_STYLE_NORMAL + LIGHT_STYLE_COUNT - 1;

// A style outside the table shows as "Normal"; the record keeps it until a style click.
void showLightValues(HWND page, const EntityProps& props) {
    const bool startsOff = props.lightFlags & LIGHT_FLAG_START_OFF;
    CheckRadioButton(page, IDC_LIGHT_ON, IDC_LIGHT_OFF, startsOff ? IDC_LIGHT_OFF : IDC_LIGHT_ON);
    const bool knownStyle = props.lightStyle >= 0 && props.lightStyle < LIGHT_STYLE_COUNT;
    CheckRadioButton(page, IDC_STYLE_NORMAL, lastStyleId,
                     IDC_STYLE_NORMAL + (knownStyle ? props.lightStyle : 0));
}

// Only bit 0 of the flag word belongs to this page; the other bits keep their values.
void storeClick(int buttonId, EntityProps& props) {
    if (buttonId == IDC_LIGHT_ON) props.lightFlags &= ~LIGHT_FLAG_START_OFF;
    if (buttonId == IDC_LIGHT_OFF) props.lightFlags |= LIGHT_FLAG_START_OFF;
    if (buttonId >= IDC_STYLE_NORMAL && buttonId <= lastStyleId)
        props.lightStyle = buttonId - IDC_STYLE_NORMAL;
}

}  // namespace

INT_PTR CALLBACK lightParamsDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* helper = reinterpret_cast<VexalEntityHelper*>(lParam);
        bindPage(window, helper);
        if (helper) showLightValues(window, helper->props);
        return TRUE;
    }
    VexalEntityHelper* helper = pageHelper(window);
    if (!helper || message != WM_COMMAND) return FALSE;
    if (HIWORD(wParam) == BN_CLICKED) storeClick(LOWORD(wParam), helper->props);
    return TRUE;
}

void refreshLightParamsPanel(HWND page, VexalEntityHelper* helper) {
    showLightValues(page, helper->props);
}
