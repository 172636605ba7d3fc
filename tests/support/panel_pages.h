// Finding a page of the command panel by the title a user reads above it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "panel/command_panel.h"

// The page under the first title bar with this text, or null.
inline HWND pageTitled(const CommandPanel& panel, const std::string& title) {
    const std::vector<std::string> titles = panel.pageTitles();
    const std::vector<HWND> pages = panel.pages();
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i] == title) return pages[i];
    return nullptr;
}
