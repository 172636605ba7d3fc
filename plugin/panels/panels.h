// Module-level state of the parameter pages and the pieces the four page procedures share.
#pragma once
#include <windows.h>
#include "vexsdk/hostinterface.h"

class VexalEntityHelper;

// One set for the module: at most one helper is edited at a time.
extern HostInterface* hostInterface;
extern HWND helperPanelWnd;
extern HWND classPanelWnd;
extern int classPanelId;  // IDD_ENTITY_PARAMS or IDD_LIGHT_PARAMS: what classPanelWnd holds
extern HWND keyValuePanelWnd;

// The helper a page edits (its user-data word), or null while the page is unbound.
VexalEntityHelper* pageHelper(HWND page);
void bindPage(HWND page, VexalEntityHelper* helper);  // null unbinds

INT_PTR CALLBACK helperDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK entityParamsDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK lightParamsDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK keyValueDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills a list box with the names of a table that ends with an empty string, in table
// order, without redrawing line by line.
inline void addTableToList(HWND list, const char* const table[]) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; table[i][0] != '\0'; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table[i]));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// Whether the user typed into a page's custom edit since its text was shown or committed.
// Committed text is stored at its commit, so only such typing is left for the read-back.
inline bool typedSinceStored(HWND page, int editId) {
    return SendDlgItemMessageA(page, editId, EM_GETMODIFY, 0, 0) != 0;
}

bool keyValueCellsTyped(HWND page);

// Refreshes of a kept page for the next helper; the page is already bound to it.
void refreshHelperPanel(HWND page, VexalEntityHelper* helper);
void refreshEntityParamsPanel(HWND page, VexalEntityHelper* helper);
void refreshLightParamsPanel(HWND page, VexalEntityHelper* helper);

// End-of-edit read-back of the door page's spinners, and of the texts the user typed
// without committing, into the helper.
void readBackEntityParamsPanel(HWND page, VexalEntityHelper* helper);
