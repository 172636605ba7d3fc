// The library entry point and the four exports through which a host learns the module.
#include <windows.h>
#include <commctrl.h>
#include "class_descriptors.h"
#include "resources/resource_strings.h"
#include "vexsdk/custcontrols.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleInstance = instance;
    if (controlsInitialised == 0) {
        controlsInitialised = 1;
        InitCustomControls(moduleInstance);
        InitCommonControls();
    }
    return TRUE;
}

extern "C" __declspec(dllexport) const char* LibDescription() {
    return "Vexal Entity helper objects.";
}

extern "C" __declspec(dllexport) int LibNumberClasses() { return ENTITY_KIND_COUNT; }

extern "C" __declspec(dllexport) ClassDesc* LibClassDesc(int index) {
    return entityClassDesc(index);
}

extern "C" __declspec(dllexport) uint32_t LibVersion() { return 100; }
