// Message boxes whose text is bounded: a box grows with its text and has no scroll bar, so a
// text that grows with the input (thousands of warnings) would put its buttons off the
// screen, or worse. Whatever is passed in, a box shows at most MESSAGE_MAX_LINES lines of
// at most MESSAGE_MAX_LINE_CHARS characters, and says how much it left out; long reports go
// to a window of their own.
#pragma once
#include <windows.h>
#include <string>

constexpr size_t MESSAGE_MAX_LINES = 12;
constexpr size_t MESSAGE_MAX_LINE_CHARS = 160;

// The text a box shows for text: whole when it fits, else cut, with a last line saying what
// was left out.
std::string boundedMessageText(const std::string& text);

// MessageBoxA with the text bounded.
int showMessage(HWND owner, const std::string& text, const char* title, UINT flags);
