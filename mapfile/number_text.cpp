#include "number_text.h"
#include <charconv>
#include <cmath>

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

std::string floatTextProblem(std::string_view text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    float value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ptr != end ||
        (result.ec != std::errc() && result.ec != std::errc::result_out_of_range))
        return "is not a number";
    if (result.ec == std::errc::result_out_of_range) return "is out of a float's range";
    if (!std::isfinite(value)) return "is not a finite number";
    return "";
}

std::string quotedExcerpt(std::string_view text) {
    constexpr size_t most = 40;
    if (text.size() <= most) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, most)) + "...\" (" + std::to_string(text.size()) +
           " bytes)";
}
