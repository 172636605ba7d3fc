// Names and texts as messages and listings show them: a name is the user's (or a file's)
// bytes, and a line break or a megabyte in one must not break or flood a line of output.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Longest shown part of a name, in bytes of the name; a longer one ends in "...".
constexpr size_t PRINTABLE_NAME_BYTES = 64;

// The name with control bytes (below 0x20, and 0x7F) written as "\xNN", cut after at most
// PRINTABLE_NAME_BYTES bytes with an ellipsis.
std::string printableName(std::string_view name);

// The length of the longest start of text of at most most bytes that does not end inside
// a UTF-8 character.
size_t utf8Prefix(std::string_view text, size_t most);
