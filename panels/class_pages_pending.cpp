#include "panels.h"
#include "entity/entity_helper.h"

// Not written yet: the door, light and key/value pages.
INT_PTR CALLBACK entityParamsDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK lightParamsDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK keyValueDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
void refreshEntityParamsPanel(HWND, VexalEntityHelper*) {}
void refreshLightParamsPanel(HWND, VexalEntityHelper*) {}
void readBackEntityParamsPanel(HWND, VexalEntityHelper*) {}
void VexalEntityHelper::readKeyValuePanel() {}
void VexalEntityHelper::fillKeyValuePanel(HWND) {}
