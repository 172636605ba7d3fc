// Where each key goes from each place the focus can be in the main window, and the texts
// the menus show for the shortcuts.
#include <gtest/gtest.h>
#include "window/command_table.h"

namespace {

TEST(ShortcutRouting, ATextFieldKeepsTheKeysOfItsTextAndTheTableGetsTheRest) {
    const FocusPlace places[] = {FocusPlace::Viewport, FocusPlace::EntityList, FocusPlace::FindBox,
                                 FocusPlace::PageField, FocusPlace::PageButton};
    // One column per place above: 'T' the table's, '-' the focused control's.
    const struct {
        const char* name;
        Shortcut key;
        const char* goesTo;
    } keys[] = {
        {"Ctrl+S", {'S', true, false}, "TTTTT"},
        {"Ctrl+N", {'N', true, false}, "TTTTT"},
        {"Ctrl+O", {'O', true, false}, "TTTTT"},
        {"Ctrl+Y", {'Y', true, false}, "TTTTT"},
        {"Ctrl+D", {'D', true, false}, "TTTTT"},
        {"F", {'F', false, false}, "TT--T"},
        {"Shift+F", {'F', false, true}, "TT--T"},
        {"Delete", {VK_DELETE, false, false}, "TT--T"},
        {"Backspace", {VK_BACK, false, false}, "TT--T"},
        {"Left", {VK_LEFT, false, false}, "TT--T"},
        {"Home", {VK_HOME, false, false}, "TT--T"},
        {"End", {VK_END, false, false}, "TT--T"},
        {"Ctrl+Z", {'Z', true, false}, "TT--T"},
        {"Ctrl+A", {'A', true, false}, "TT--T"},
        {"Ctrl+C", {'C', true, false}, "TT--T"},
        {"Ctrl+X", {'X', true, false}, "TT--T"},
        {"Ctrl+V", {'V', true, false}, "TT--T"},
        {"F9", {VK_F9, false, false}, "TTTTT"},
    };
    for (const auto& k : keys)
        for (size_t p = 0; p < 5; ++p)
            EXPECT_EQ(keyGoesToTable(places[p], k.key), k.goesTo[p] == 'T')
                << k.name << " from place " << p;
}

TEST(ShortcutText, NamesTheModifiersAndTheKey) {
    const struct {
        Shortcut key;
        const char* text;
    } cases[] = {
        {{'S', true, false}, "Ctrl+S"}, {{'F', false, true}, "Shift+F"},
        {{'Z', false, false}, "Z"},     {{VK_DELETE, false, false}, "Del"},
        {{VK_F2, false, false}, "F2"},  {{}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(shortcutText(c.key), c.text);
}

}  // namespace
