#include "resource_strings.h"

HINSTANCE moduleInstance = nullptr;
int controlsInitialised = 0;

static char resourceStringBuffer[256];

const char* loadResourceString(int id) {
    if (!moduleInstance) return nullptr;
    if (LoadStringA(moduleInstance, id, resourceStringBuffer, sizeof resourceStringBuffer) == 0)
        return nullptr;
    return resourceStringBuffer;
}
