// The main window's commands, one entry each: the menu and label it shows under, its
// shortcut, when it is enabled or checked, and what it does. The menu bar, the accelerator
// table, the shortcut texts in the menus and the Undo/Redo names are all built from it.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

struct Shortcut {
    WORD key = 0;  // a virtual key; 0 for none
    bool ctrl = false;
    bool shift = false;
};
// "Ctrl+S", "Shift+F", "Del"; "" for none.
std::string shortcutText(const Shortcut& shortcut);

// Where the keyboard focus is inside the main window.
enum class FocusPlace { Viewport, EntityList, FindBox, PageField, PageButton };
// Whether a key pressed there is the table's shortcut rather than the focused control's
// own key. A text field keeps what it needs for its text: characters, Delete, Backspace,
// arrows, Home/End (every key without Ctrl but the function keys), and Ctrl+A/C/X/V/Z;
// anywhere else every shortcut goes to the table.
bool keyGoesToTable(FocusPlace place, const Shortcut& key);

struct Command {
    int id = 0;                     // 0: a separator
    int menu = 0;                   // position in the menu bar
    const char* submenu = nullptr;  // the submenu it sits in, or null
    const char* label = nullptr;    // "&Undo"
    Shortcut shortcut;
    std::function<void()> run;
    std::function<bool()> enabled;          // empty: always
    std::function<bool()> checked;          // empty: never checked
    std::function<std::string()> stepName;  // Undo/Redo: the step, written after the label
    // A list of items in place of one, ids from id up (at most CHOICES_MAX): their labels as
    // they are now, the one checked, and what a click on one runs. With none, the item shows
    // label, greyed.
    std::function<std::vector<std::string>()> choices;
    std::function<std::string()> chosen;
    std::function<void(const std::string&)> choose;
};
constexpr int CHOICES_MAX = 64;

class CommandTable {
public:
    CommandTable(std::vector<const char*> menuTitles, std::vector<Command> commands);
    ~CommandTable();
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    // A new menu bar of every command; the caller's window owns it.
    HMENU buildMenuBar() const;
    HACCEL accelerators() const { return accelerators_; }
    // The item's text as the menu shows it now: "&Undo Move\tCtrl+Z".
    std::string menuText(const Command& command) const;
    // Texts, enabled and checked states of a menu's items as they are now, and the items of
    // a list of choices it holds.
    void refresh(HMENU menu) const;
    // Carries out the command; false for an id the table does not hold.
    bool run(int id) const;

private:
    void refreshChoices(HMENU menu, const Command& list) const;

    std::vector<const char*> menuTitles_;
    std::vector<Command> commands_;
    HACCEL accelerators_ = nullptr;
};
