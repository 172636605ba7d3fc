// Names as messages and listings show them: a name is the user's (or a file's) bytes, and
// a line break or a megabyte in one must not break or flood a line of output.
#pragma once
#include <string>

// Longest shown part of a name, in bytes of the name; a longer one ends in "...".
constexpr size_t PRINTABLE_NAME_BYTES = 64;

// The name with control bytes (below 0x20, and 0x7F) written as "\xNN", cut after
// PRINTABLE_NAME_BYTES bytes with an ellipsis.
std::string printableName(const std::string& name);
