// What a user does to the controls of a page, sent as the messages the system would send:
// clicks, typing, Enter, arrows and drags, focus moves.
#pragma once
#include <windows.h>
#include <string>

void clickButton(HWND page, int id);

// Focuses the custom edit's field, selects what it holds and types text over it.
void typeInto(HWND page, int custEditId, const std::string& text);
void pressEnter(HWND page, int custEditId);
std::string controlText(HWND page, int id);

// One click on a spinner's up or down arrow.
void clickSpinnerArrow(HWND page, int spinnerId, bool up);
// Presses a spinner and drags the mouse by pixels (positive: upwards) before letting go.
void dragSpinner(HWND page, int spinnerId, int pixels);

// Scrolls a list with its arrows until line is the top one and clicks it.
void pickListLine(HWND page, int listId, int line);
void focusControl(HWND page, int id);
