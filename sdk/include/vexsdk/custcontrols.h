// The host's custom controls (core.dll): an edit field and a spinner, usable from any
// module's dialog templates once InitCustomControls has run.
#pragma once
#include <windows.h>
#include "api.h"

#define CUSTEDIT_CLASS "CustEdit"
#define SPINNER_CLASS "SpinnerControl"

// Sent to the parent when the user changes a spinner: low word of wParam the spinner's
// id, lParam its ISpinnerControl.
constexpr UINT spinnerChangeMessage = 0x658;
// Sent to the parent when the user commits a custom edit (Enter, or leaving the field
// after a change): low word of wParam the edit's id. EM_GETMODIFY sent to a custom edit
// tells whether the user typed into it since its text was last set or committed.
constexpr UINT editCommitMessage = 0x6AD;

// Edit-type codes of ISpinnerControl::linkToEdit: how the linked edit shows the value.
constexpr int EDITTYPE_FLOAT = 1;
constexpr int EDITTYPE_UNITS = 2;
constexpr int EDITTYPE_INT = 3;

class ICustEdit {
public:
    virtual void getText(char* buf, int size) = 0;  // always terminated within size
    virtual void setText(const char* text) = 0;
    virtual HWND window() = 0;

protected:
    ~ICustEdit() = default;
};

class ISpinnerControl {
public:
    // clamp nonzero: force the current value into the new limits.
    virtual void setLimitsInt(int lo, int hi, int clamp) = 0;
    virtual void setLimitsFloat(float lo, float hi, int clamp) = 0;
    virtual void setScale(float scale) = 0;  // value change per pixel dragged
    virtual void setValueInt(int v, int notify) = 0;
    virtual void setValueFloat(float v, int notify) = 0;
    virtual void linkToEdit(HWND edit, int editType) = 0;
    virtual int getValueInt() = 0;
    virtual float getValueFloat() = 0;
    virtual HWND window() = 0;

protected:
    ~ISpinnerControl() = default;
};

CORE_API void InitCustomControls(HINSTANCE module);
CORE_API ICustEdit* GetICustEdit(HWND control);  // null when control is not a CustEdit
CORE_API void ReleaseICustEdit(ICustEdit* edit);
CORE_API ISpinnerControl* GetISpinner(HWND control);
CORE_API void ReleaseISpinner(ISpinnerControl* spinner);
