// A user's change to one control of the shown pages, told apart from everything else a page
// hears, and made again on another object's pages with the messages the user's own action
// produces; and the values the pages show, to tell which controls differ between objects.
#pragma once
#include <windows.h>
#include <map>
#include <set>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CommandPanel;

// A control is named by its page's title and its id: the same on every object's pages of
// that title.
using ControlKey = std::pair<std::string, int>;

struct PageChange {
    ControlKey control;
    std::string value;  // as controlValue reads it, and setControl takes it
};

// The change a message that page (titled title) has just handled made, if it is a user's
// setting of a control: a button clicked, a list's line picked, a field committed, a spinner
// changed (named by its field).
std::optional<PageChange> userChange(HWND page, const std::string& title, UINT message,
                                     WPARAM wParam, LPARAM lParam);

// The change made on the control of the same page and id; false when the pages have none
// or it is greyed.
bool applyPageChange(CommandPanel& panel, const PageChange& change);

// What every labelled control of the shown pages shows.
using PageValues = std::map<ControlKey, std::string>;
PageValues shownValues(const CommandPanel& panel);

// Shows as mixed each control of the shown pages that controls names.
void showMixed(CommandPanel& panel, const std::set<ControlKey>& controls);
