#include "vexsdk/custcontrols.h"

// Not written yet: the CustEdit and SpinnerControl window classes.
void InitCustomControls(HINSTANCE) {}
ICustEdit* GetICustEdit(HWND) { return nullptr; }
void ReleaseICustEdit(ICustEdit*) {}
ISpinnerControl* GetISpinner(HWND) { return nullptr; }
void ReleaseISpinner(ISpinnerControl*) {}
