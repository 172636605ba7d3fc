// Whether the interactive host has a display to show its window on.
#pragma once

// False when windows would be made but never shown: under Wine with its "null" graphics
// driver (registry HKCU\Software\Wine\Drivers, value Graphics), which a headless prefix
// uses. Everywhere else a desktop is taken to be there.
bool displayAvailable();
