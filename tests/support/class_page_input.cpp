#include "class_page_input.h"

void typeWithoutCommit(HWND field, const std::string& text) {
    SetFocus(field);
    HWND typing = GetFocus();
    SendMessageA(typing, EM_SETSEL, 0, -1);
    SendMessageA(typing, WM_CHAR, VK_BACK, 1);
    for (char c : text) SendMessageA(typing, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void clickSpinnerArrow(HWND spinner, bool up) {
    RECT r;
    GetClientRect(spinner, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 1 : r.bottom - 2);
    SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spinner, WM_LBUTTONUP, 0, at);
}

void dragSpinnerUp(HWND spinner, int pixels) {
    RECT r;
    GetClientRect(spinner, &r);
    const int x = r.right / 2, y = 1;
    // The spinner reads the pointer's height as a signed word: above the control is negative.
    const LPARAM released = MAKELPARAM(x, static_cast<WORD>(y - pixels));
    SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(spinner, WM_MOUSEMOVE, MK_LBUTTON, released);
    SendMessageA(spinner, WM_LBUTTONUP, 0, released);
}
