// The order Tab takes through the command panel: every control a user works, page after
// page from the top, each page's in reading order (top to bottom, and left to right within
// a row). The pages' templates give another order (a key/value page's whole key column
// before its values), and a template's list without a tab stop would never be reached.
#pragma once
#include <windows.h>
#include <vector>

// The controls Tab stops at on these pages (visible, enabled dialogs), in that order. Of a
// group of radio buttons only the checked one stops (the first when none is).
std::vector<HWND> tabStops(const std::vector<HWND>& pages);

// The stop after (or before) the one holding from, round to the first (or last); null when
// there is no stop.
HWND nextTabStop(const std::vector<HWND>& pages, HWND from, bool backwards);
