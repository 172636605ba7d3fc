// Registration of the host's custom controls.
#include "vexsdk/custcontrols.h"
#include "custom_controls_internal.h"

HINSTANCE coreInstance() {
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&coreInstance), &self);
    return self;
}

// Every module that loads calls this; the classes are global and registered once, so
// later calls find them in place and change nothing.
void InitCustomControls(HINSTANCE) {
    registerCustEditClass();
    registerSpinnerClass();
}

ATOM registerControlClass(const char* name, WNDPROC proc, LPCSTR cursor) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (ATOM known = static_cast<ATOM>(GetClassInfoExA(coreInstance(), name, &wc))) return known;
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = coreInstance();
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc);
}

bool runsControlProc(HWND window, WNDPROC proc) {
    return window && GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(proc) &&
           GetWindowLongPtrA(window, 0) != 0;
}
