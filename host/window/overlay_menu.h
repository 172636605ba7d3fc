// View > Labels (all, selected only, none) and View > Links: what the viewports draw over
// the helpers.
#pragma once
#include <windows.h>
#include "render/entity_overlay.h"

enum OverlayCommand : int {
    CMD_LABELS_ALL = 400,
    CMD_LABELS_SELECTED,
    CMD_LABELS_NONE,
    CMD_LINKS,
};

// Adds the Labels submenu and the Links item to the view menu, checked as options are.
void appendOverlayMenu(HMENU viewMenu, const OverlayOptions& options);

// Carries out one of the commands above on options and checks the menu items to match;
// false for any other command.
bool runOverlayCommand(HMENU menuBar, int id, OverlayOptions& options);
