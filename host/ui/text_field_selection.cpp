#include "ui/text_field_selection.h"
#include <windowsx.h>
#include <cstdlib>

namespace {

void selectLineAt(HWND field, LPARAM clientPoint) {
    const LRESULT hit = SendMessageA(field, EM_CHARFROMPOS, 0, clientPoint);
    const LRESULT line = HIWORD(hit);
    const LRESULT start = SendMessageA(field, EM_LINEINDEX, line, 0);
    const LRESULT length = SendMessageA(field, EM_LINELENGTH, start, 0);
    SendMessageA(field, EM_SETSEL, start, start + length);
}

}  // namespace

bool isEditControl(HWND window) {
    char name[16] = {};
    return window && GetClassNameA(window, name, sizeof name) && lstrcmpiA(name, "Edit") == 0;
}

bool TextFieldSelection::take(const MSG& msg) {
    if (!isEditControl(msg.hwnd)) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam != 'A' || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0)
                return false;
            SendMessageA(msg.hwnd, EM_SETSEL, 0, -1);
            return true;
        case WM_LBUTTONDBLCLK:
            doubleClicked_ = msg.hwnd;
            doubleClickTime_ = msg.time;
            doubleClickAt_ = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
            return false;
        case WM_LBUTTONDOWN:
            if (!thirdClick(msg)) return false;
            // The field never sees the press: it would start a new selection of its own.
            selectLineAt(msg.hwnd, msg.lParam);
            doubleClicked_ = nullptr;
            return true;
    }
    return false;
}

bool TextFieldSelection::thirdClick(const MSG& msg) const {
    return msg.hwnd == doubleClicked_ && msg.time - doubleClickTime_ <= GetDoubleClickTime() &&
           std::abs(GET_X_LPARAM(msg.lParam) - doubleClickAt_.x) <=
               GetSystemMetrics(SM_CXDOUBLECLK) &&
           std::abs(GET_Y_LPARAM(msg.lParam) - doubleClickAt_.y) <=
               GetSystemMetrics(SM_CYDOUBLECLK);
}
