// Typing on a list of the pages (the class list, the sounds) selects the first line that
// starts with what was typed, in any case; a pause starts a new word. The line is clicked,
// so the page takes the pick as it takes a user's click.
#pragma once
#include <windows.h>
#include <string>

class ListTypeAhead {
public:
    // A character typed while the focus is on a list box inside panel: true when taken.
    bool take(const MSG& msg, HWND panel);

private:
    std::string typed_;
    DWORD last_ = 0;
};
