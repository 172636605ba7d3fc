// The module's own instance and its string table: the base every part of the plug-in uses.
#pragma once
#include <windows.h>
#include "resources/resource.h"

extern HINSTANCE moduleInstance;
extern int controlsInitialised;

// The string-table entry id in one buffer shared by every call, or null when the module
// handle is not known yet or the entry is missing or empty.
const char* loadResourceString(int id);
