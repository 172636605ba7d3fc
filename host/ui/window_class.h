// Window classes whose windows each belong to one C++ object: the object is handed to
// CreateWindowEx as its creation parameter and bound in WM_NCCREATE, so that it sees every
// message of its window from the first one on. A window of its own object derives from
// BoundWindow (ui/bound_window.h); these are for windows an object has several of.
#pragma once
#include <windows.h>

// Registers a class of this module once; later calls with the same name do nothing.
// background may be null (the window paints all of itself).
void registerWindowClass(const char* name, WNDPROC proc, LPCSTR cursor, HBRUSH background);

// The object bound to window: taken from the creation parameter at WM_NCCREATE, null
// before that and after WM_NCDESTROY.
void* boundObject(HWND window, UINT message, LPARAM lParam);

// A window procedure that hands every message of a bound window to (object->*handle).
template <class T, LRESULT (T::*handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK boundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<T*>(boundObject(window, message, lParam));
    return self ? (self->*handle)(window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}

// A child control of parent in the dialog font, placed later by its parent's layout.
HWND childControl(const char* cls, const char* text, DWORD exStyle, DWORD style, HWND parent,
                  int id = 0);
