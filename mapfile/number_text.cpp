#include "number_text.h"
#include <charconv>

std::string shortestNumberText(float value) {
    if (value == 0) return "0";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

bool readCanonicalInt(std::string_view text, int32_t& value) {
    int32_t parsed = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, parsed);
    if (result.ec != std::errc() || result.ptr != end) return false;
    if (std::to_string(parsed) != text) return false;
    value = parsed;
    return true;
}

bool readFloat(std::string_view text, float& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}
