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
