#include "ui/bound_window.h"
#include "ui/window_class.h"

BoundWindow::~BoundWindow() {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

HWND BoundWindow::createBoundWindow(const char* className, const Look& look, const char* title,
                                    DWORD exStyle, DWORD style, const Place& place, HWND parent,
                                    HMENU menu) {
    registerWindowClass(className, windowProc, look.cursor, look.background);
    return CreateWindowExA(exStyle, className, title, style, place.x, place.y, place.width,
                           place.height, parent, menu, GetModuleHandleA(nullptr), this);
}

HWND BoundWindow::createControlHolder(const char* className, const char* caption, HWND parent,
                                      int id) {
    return createBoundWindow(className, {IDC_ARROW, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
                             caption, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                             Place{0, 0, 10, 10}, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

bool BoundWindow::translateMessage(MSG& msg) {
    return window_ && (msg.hwnd == window_ || IsChild(window_, msg.hwnd)) &&
           IsDialogMessageA(window_, &msg);
}

void BoundWindow::destroyWindow() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK BoundWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<BoundWindow*>(boundObject(window, message, lParam));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->window_ = window;
    const LRESULT result = self->handle(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) self->window_ = nullptr;
    return result;
}
