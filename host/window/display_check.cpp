#include <windows.h>
#include "window/display_check.h"
#include <cstring>

bool displayAvailable() {
    char driver[64] = {};
    DWORD size = sizeof driver - 1;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Drivers", 0, KEY_READ, &key) != 0)
        return true;
    const LONG read =
        RegQueryValueExA(key, "Graphics", nullptr, nullptr, reinterpret_cast<BYTE*>(driver), &size);
    RegCloseKey(key);
    return read != 0 || std::strcmp(driver, "null") != 0;
}
