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

// Whether the text is a number at all, finite or not, in a float's range or not ("1e999",
// "nan", "-inf").
bool isNumberText(std::string_view text);

// Why a coordinate's text gives no usable float: "" when it does, else what is wrong with
// it ("is not a number", "is not a finite number", "is out of a float's range").
std::string floatTextProblem(std::string_view text);

// A refused number for a message: `bad number "1e39": it is out of a float's range`.
std::string numberProblem(std::string_view text);

// At most a short piece of a text, quoted and escaped as names are (printableName), with
// its length when cut: an input may be megabytes long.
std::string quotedExcerpt(std::string_view text);
