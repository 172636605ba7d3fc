// The base of the host's windows: a window that belongs to one C++ object, which hears
// every message of it from the first (WM_NCCREATE) to the last (WM_NCDESTROY), and which
// destroys it when the object goes.
#pragma once
#include <windows.h>

class BoundWindow {
public:
    BoundWindow() = default;
    // The window goes unheard: the object's own handler is gone by now.
    virtual ~BoundWindow();
    BoundWindow(const BoundWindow&) = delete;
    BoundWindow& operator=(const BoundWindow&) = delete;

    HWND window() const { return window_; }
    // For a window of controls: a key for it or one of its controls (Escape, Tab) is taken
    // as a dialog takes it. Call from the message loop; true when taken.
    bool translateMessage(MSG& msg);

protected:
    struct Look {
        LPCSTR cursor;
        HBRUSH background;  // null: the window paints all of itself
    };
    struct Place {
        int x, y, width, height;  // as CreateWindowEx takes them (CW_USEDEFAULT too)
    };
    // Registers className (once) and makes the window, bound to this object; null when it
    // could not be made.
    HWND createBoundWindow(const char* className, const Look& look, const char* title,
                           DWORD exStyle, DWORD style, const Place& place, HWND parent,
                           HMENU menu = nullptr);
    // A child window of a class of its own that holds controls on the dialog's face colour,
    // laid out by its owner.
    HWND createControlHolder(const char* className, const char* caption, HWND parent, int id);
    // Destroys the window while the object still hears it go: for a derived destructor
    // whose window's last messages matter.
    void destroyWindow();
    // The window's messages; what it leaves goes to DefWindowProcA.
    virtual LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
