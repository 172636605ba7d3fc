// Controls of the shown pages that stand for several helpers whose values differ: they show
// no value (an empty field, an indeterminate check box, no radio button or line chosen)
// until the user sets them. The helper behind the pages must not take that emptiness for a
// value: a check box clicked out of its indeterminate state is checked, and a list showing
// no line passes on only the user's pick of one.
#pragma once
#include <windows.h>
#include <vector>

class MixedControls {
public:
    // Shows control as holding no value.
    void show(HWND control);
    // Called with each message a page gets, before its own procedure: true when the message
    // must not reach it (a list's focus notice while it shows no line). A user's setting
    // ends the control's mixed state.
    bool holdBack(UINT message, WPARAM wParam, LPARAM lParam);
    // The controls on page are going with it.
    void forget(HWND page);
    // The pages stay up for another object, which shows its own values on them: the check
    // boxes become plain ones again.
    void clear();

private:
    struct Shown {
        HWND control;
        LONG style;  // as the page made it
    };
    std::vector<Shown> controls_;  // the check boxes and lists shown mixed
};
