// What a user does to the door and key/value pages that the command panel's own control
// helpers do not cover: typing left uncommitted, and the mouse on a spinner's arrows.
#pragma once
#include <windows.h>
#include <string>

// Focuses the field (a CustEdit hands the focus on to its inner edit) and types text over
// what it holds, without Enter: the text is not committed.
void typeWithoutCommit(HWND field, const std::string& text);

// One click on a spinner's upper or lower arrow.
void clickSpinnerArrow(HWND spinner, bool up);
// A press on the up arrow dragged upwards by pixels before the button is let go.
void dragSpinnerUp(HWND spinner, int pixels);
