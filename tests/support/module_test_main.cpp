// Entry of the module-logic tests: the test executable carries the module's resources,
// so it stands in for the module handle the loader would give the plug-in.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "resources/resource_strings.h"
#include "vexsdk/custcontrols.h"

int main(int argc, char** argv) {
    moduleInstance = GetModuleHandleA(nullptr);
    controlsInitialised = 1;
    InitCustomControls(moduleInstance);
    InitCommonControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
