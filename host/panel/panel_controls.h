// Finding the controls of a parameter page by what the user reads on it, and working
// them with the messages a user's own clicks and keys produce, so that a script (or a
// test) edits an object exactly as a person at the command panel would.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class CommandPanel;

// The control a user would call by this label on page (compared without regard to case,
// and a trailing ':' ignored):
// - a button whose own text it is ("Axis", "Gold Key", "On");
// - otherwise the control a static text labels: the nearest one to its right on the same
//   line ("Length:" names the length field), or failing that the nearest below it
//   ("Class" names the class list).
// - otherwise an edit cell that no label names, by its place in a grid of such cells:
//   "Key 1".."Key 8" down the left column, "Value 1".."Value 8" down the right one.
// Null when the page has no such label.
HWND findLabelledControl(HWND page, const std::string& label);

// Every label findLabelledControl knows on page, with its control: buttons and labelling
// statics in template order, then the grid cells.
struct LabelledControl {
    std::string label;
    HWND control;
};
std::vector<LabelledControl> labelledControls(HWND page);

// The spinner whose arrows sit right beside a field (a control of a page), on its line:
// the field shows the spinner's value. Null for a field of no spinner.
HWND spinnerBeside(HWND field);

// A window's class, in any case ("Button", "ListBox", "CustEdit").
bool hasClass(HWND window, const char* name);
// Of a button: whether it is one of a group of radio buttons; whether it is a group box.
bool isRadioButton(HWND button);
bool isGroupBox(HWND window);

// Whether a control is a field that takes any text (no spinner's number).
bool isTextField(HWND control);

// A click on a button (check box, radio button, push button).
void clickButton(HWND button);
// A click on the list's line with exactly this text (scrolled into view first); false
// when the list has no such line.
bool clickListItem(HWND list, const std::string& text);
// Focus into an edit field (CustEdit or system edit), its text replaced by typing, and
// Enter.
void typeIntoField(HWND field, const std::string& text);
// Moves the keyboard focus to a control, as a click or Tab would.
void focusControl(HWND control);

// Sets a control by the value a script names:
// - check box: "1"/"on"/"true"/"yes" checks, "0"/"off"/"false"/"no" unchecks (clicked only
//   if it changes; an indeterminate one is clicked until it shows the value);
// - radio or push button: clicked, with no value or "on";
// - list box: the line with that text is clicked;
// - edit field or CustEdit: the value is typed and committed. A spinner's label names its
//   edit, which then takes numbers only; the spinner keeps them within its limits.
struct ControlSet {
    bool taken = false;
    std::string problem;   // why the control cannot take the value
    std::string adjusted;  // "5000 is above the most, 999; 999 set" when the limits cut it
};
ControlSet setControl(HWND control, const std::string& value);
// setControl(...).taken.
bool setControlValue(HWND control, const std::string& value);
// What the control shows: a check box or radio button "1"/"0" ("" indeterminate), a list its
// selected line, an edit its text, a spinner its value.
std::string controlValue(HWND control);

// Lets the thread's message loop handle what a user's action left queued.
void runPendingMessages();

// The shown pages of the panel, as a script works them: sets the control a label names,
// or says what is wrong (no pages, no such label with the labels there are, a greyed
// control and its page's note, a value the control cannot take). warning says what the control's
// limits made of a number
// ("Speed 5000 is above the most, 999; 999 set"), and is empty otherwise.
bool setPageControl(CommandPanel& panel, const std::string& label, const std::string& value,
                    std::string& error, std::string& warning);
// The panel's title in brackets when it has one ("[3 selected]"), then every page's title
// and, under it, a greyed page's note ("[greyed] Light values do not apply ...") and each
// label with what its control shows.
std::string describePages(const CommandPanel& panel);
