// The selection keys and clicks of every text field in the host's windows, taken in the
// message loop so that no field needs anything of its own: Ctrl+A selects a field's whole
// text (typing replaces it), and a third click after a double click selects the line
// clicked.
#pragma once
#include <windows.h>

class TextFieldSelection {
public:
    // Before the message is dispatched: true when it was taken here (Ctrl+A in a field, the
    // third click), and must go no further.
    bool take(const MSG& msg);

private:
    bool thirdClick(const MSG& msg) const;

    HWND doubleClicked_ = nullptr;  // the field of the last double click
    DWORD doubleClickTime_ = 0;
    POINT doubleClickAt_{};  // in the field's client area
};

// Whether window is the system's edit control: every text field of the host is one, alone or
// inside a field of its own class.
bool isEditControl(HWND window);
