// Numbers as map text writes and reads them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The shortest text that reads back to the same float: "64", not "64.000000". Zero of
// either sign is "0".
std::string shortestNumberText(float value);

// A whole number that export would write back as the same text: no sign "+", no leading
// zero, no blanks, within the range of a 32-bit integer.
bool readCanonicalInt(std::string_view text, int32_t& value);

// Any number text the map readers of the game accept for a coordinate.
bool readFloat(std::string_view text, float& value);
