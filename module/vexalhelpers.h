// Chief header of the module: module-level state, the string table and the pieces
// every part of the module shares.
#pragma once
#include <windows.h>

// String-table ids.
enum : int {
    IDS_CATEGORY = 2,
    IDS_PARAMETERS = 3,
    IDS_ENTITY_NAME = 4,
    IDS_HELPER_CLASS_NAME = 5,
    IDS_DOOR_PARAMS = 9,
    IDS_DOOR = 10,
    IDS_SECRET_DOOR = 11,
    IDS_PLATFORM = 12,
    IDS_MOVE_PLAT = 13,
    IDS_BUTTON = 14,
    IDS_TRIGGER_ONCE = 15,
    IDS_TRIGGER_MULTI = 16,
    IDS_TRIG_SECRET = 17,
    IDS_TRIG_COUNTER = 18,
    IDS_TELEPORT_TRIG = 19,
    IDS_TELEPORT_DEST = 20,
    IDS_MAP_PARAMETERS = 21,
    IDS_LIGHT_PARAMS = 22,
};

extern HINSTANCE moduleInstance;
extern int controlsInitialised;

// The string-table entry id in one buffer shared by every call, or null when the module
// handle is not known yet or the entry is missing or empty.
const char* loadResourceString(int id);
