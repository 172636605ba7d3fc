#include "user_input.h"

namespace {

// The system edit field inside a custom edit frame.
HWND fieldOf(HWND page, int custEditId) {
    HWND frame = GetDlgItem(page, custEditId);
    HWND field = GetWindow(frame, GW_CHILD);
    return field ? field : frame;
}

void mouseClick(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

void clickButton(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

void typeInto(HWND page, int custEditId, const std::string& text) {
    HWND field = fieldOf(page, custEditId);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CHAR, VK_BACK, 1);
    for (char c : text) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void pressEnter(HWND page, int custEditId) {
    HWND field = fieldOf(page, custEditId);
    SendMessageA(field, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageA(field, WM_CHAR, '\r', 1);
    SendMessageA(field, WM_KEYUP, VK_RETURN, 1);
}

std::string controlText(HWND page, int id) {
    char text[256] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

void clickSpinnerArrow(HWND page, int spinnerId, bool up) {
    HWND spinner = GetDlgItem(page, spinnerId);
    RECT r;
    GetClientRect(spinner, &r);
    mouseClick(spinner, r.right / 2, up ? 0 : r.bottom - 1);
}

void dragSpinner(HWND page, int spinnerId, int pixels) {
    HWND spinner = GetDlgItem(page, spinnerId);
    RECT r;
    GetClientRect(spinner, &r);
    const int x = r.right / 2, y = 0;
    SendMessageA(spinner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    // The spinner reads the vertical position as a signed word.
    SendMessageA(spinner, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, static_cast<WORD>(y - pixels)));
    SendMessageA(spinner, WM_LBUTTONUP, 0, MAKELPARAM(x, static_cast<WORD>(y - pixels)));
}

void pickListLine(HWND page, int listId, int line) {
    HWND list = GetDlgItem(page, listId);
    for (int guard = 0; guard < 64; ++guard) {
        const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
        if (top == line) break;
        SendMessageA(list, WM_VSCROLL, top < line ? SB_LINEDOWN : SB_LINEUP, 0);
    }
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&item));
    mouseClick(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

void focusControl(HWND page, int id) { SetFocus(GetDlgItem(page, id)); }
