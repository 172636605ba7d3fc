#include "window/command_table.h"
#include <map>

std::string shortcutText(const Shortcut& shortcut) {
    if (!shortcut.key) return "";
    std::string text = std::string(shortcut.ctrl ? "Ctrl+" : "") + (shortcut.shift ? "Shift+" : "");
    if (shortcut.key == VK_DELETE) return text + "Del";
    if (shortcut.key == VK_OEM_4) return text + "[";
    if (shortcut.key == VK_OEM_6) return text + "]";
    if (shortcut.key >= VK_F1 && shortcut.key <= VK_F12)
        return text + "F" + std::to_string(shortcut.key - VK_F1 + 1);
    return text + static_cast<char>(shortcut.key);
}

bool keyGoesToTable(FocusPlace place, const Shortcut& key) {
    const bool textField = place == FocusPlace::FindBox || place == FocusPlace::PageField;
    if (!textField) return true;
    // No text is typed with a function key: F9 compiles from a field as from anywhere.
    if (key.key >= VK_F1 && key.key <= VK_F24) return true;
    if (!key.ctrl) return false;
    for (WORD editing : {'A', 'C', 'X', 'V', 'Z'})
        if (key.key == editing) return false;
    return true;
}

CommandTable::CommandTable(std::vector<const char*> menuTitles, std::vector<Command> commands)
    : menuTitles_(std::move(menuTitles)), commands_(std::move(commands)) {
    std::vector<ACCEL> keys;
    for (const Command& c : commands_)
        if (c.shortcut.key)
            keys.push_back({static_cast<BYTE>(FVIRTKEY | (c.shortcut.ctrl ? FCONTROL : 0) |
                                              (c.shortcut.shift ? FSHIFT : 0)),
                            c.shortcut.key, static_cast<WORD>(c.id)});
    accelerators_ = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

CommandTable::~CommandTable() {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

HMENU CommandTable::buildMenuBar() const {
    HMENU bar = CreateMenu();
    std::vector<HMENU> menus;
    for (const char* title : menuTitles_) {
        menus.push_back(CreatePopupMenu());
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menus.back()), title);
    }
    std::map<std::string, HMENU> submenus;
    for (const Command& c : commands_) {
        HMENU menu = menus.at(c.menu);
        if (c.submenu) {
            HMENU& sub = submenus[c.submenu];
            if (!sub) {
                sub = CreatePopupMenu();
                AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), c.submenu);
            }
            menu = sub;
        }
        AppendMenuA(menu, c.id ? MF_STRING : MF_SEPARATOR, c.id,
                    c.id ? menuText(c).c_str() : nullptr);
    }
    for (HMENU menu : menus) refresh(menu);
    for (const auto& sub : submenus) refresh(sub.second);
    return bar;
}

std::string CommandTable::menuText(const Command& c) const {
    std::string text = c.label;
    if (c.stepName) {
        const std::string step = c.stepName();
        if (!step.empty()) text += " " + step;
    }
    const std::string keys = shortcutText(c.shortcut);
    return keys.empty() ? text : text + "\t" + keys;
}

namespace {

bool inList(const Command& list, UINT id) {
    return list.choices && id >= UINT(list.id) && id < UINT(list.id + CHOICES_MAX);
}

// A name shown as written: '&' would underline the next letter.
std::string menuLabel(const std::string& name) {
    std::string label;
    for (char c : name) label += c == '&' ? "&&" : std::string(1, c);
    return label;
}

}  // namespace

// The list's items taken out of the menu and put back as the choices are now, where the
// first of them stood.
void CommandTable::refreshChoices(HMENU menu, const Command& list) const {
    int at = -1;
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        if (inList(list, GetMenuItemID(menu, i))) {
            DeleteMenu(menu, i, MF_BYPOSITION);
            at = i;
        }
    if (at < 0) return;
    const std::vector<std::string> names = list.choices();
    const std::string chosen = list.chosen ? list.chosen() : "";
    if (names.empty())
        InsertMenuA(menu, at, MF_BYPOSITION | MF_STRING | MF_GRAYED, list.id, list.label);
    for (size_t i = 0; i < names.size() && i < size_t(CHOICES_MAX); ++i)
        InsertMenuA(menu, at + int(i),
                    MF_BYPOSITION | MF_STRING | (names[i] == chosen ? MF_CHECKED : MF_UNCHECKED),
                    list.id + i, menuLabel(names[i]).c_str());
}

void CommandTable::refresh(HMENU menu) const {
    for (const Command& c : commands_) {
        if (c.choices) refreshChoices(menu, c);
        if (!c.id || c.choices || GetMenuState(menu, c.id, MF_BYCOMMAND) == static_cast<UINT>(-1))
            continue;
        const bool enabled = !c.enabled || c.enabled();
        const bool checked = c.checked && c.checked();
        ModifyMenuA(menu, c.id,
                    MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) |
                        (checked ? MF_CHECKED : MF_UNCHECKED),
                    c.id, menuText(c).c_str());
    }
}

bool CommandTable::run(int id) const {
    for (const Command& c : commands_) {
        if (inList(c, UINT(id)) && c.choose) {
            const std::vector<std::string> names = c.choices();
            if (size_t(id - c.id) < names.size()) c.choose(names[id - c.id]);
            return true;
        }
        if (c.id == id && c.run) {
            if (!c.enabled || c.enabled()) c.run();
            return true;
        }
    }
    return false;
}
