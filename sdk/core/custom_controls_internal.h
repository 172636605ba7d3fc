// What the two custom controls of core.dll know of each other: a spinner linked to a
// CustEdit hears the values the user types there.
#pragma once
#include <windows.h>

// core.dll's own module handle: the controls' classes belong to it, so they outlive any
// plug-in that happens to call InitCustomControls first.
HINSTANCE coreInstance();

ATOM registerCustEditClass();
ATOM registerSpinnerClass();
// Registers a control class of core.dll once: global, so any module's dialogs use it, with
// one pointer of window data for the control object. A second call finds it in place.
ATOM registerControlClass(const char* name, WNDPROC proc, LPCSTR cursor);
// True when window runs proc and still carries its control object.
bool runsControlProc(HWND window, WNDPROC proc);

// True when window is a live control of that class (not merely one with the same name).
bool isCustEdit(HWND window);
bool isSpinner(HWND window);

// Tells a CustEdit which spinner (or none) takes the text the user commits in it.
void linkCustEditToSpinner(HWND edit, HWND spinner);
// A CustEdit linked to spinner was committed with text: the spinner takes the value.
void spinnerTakeTypedText(HWND spinner, const char* text);
