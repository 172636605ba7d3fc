#include "number_text.h"
#include <charconv>
#include <cmath>
#include "printable_name.h"

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

namespace {

template <typename Number>
std::from_chars_result readSigned(std::string_view text, Number& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    return std::from_chars(begin, end, value);
}

}  // namespace

bool readFloat(std::string_view text, float& value) {
    const auto result = readSigned(text, value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool isNumberText(std::string_view text) {
    double value = 0;
    const auto result = readSigned(text, value);
    return result.ptr == text.data() + text.size() &&
           (result.ec == std::errc() || result.ec == std::errc::result_out_of_range);
}

std::string floatTextProblem(std::string_view text) {
    if (!isNumberText(text)) return "is not a number";
    float value = 0;
    const auto result = readSigned(text, value);
    if (result.ec == std::errc::result_out_of_range) return "is out of a float's range";
    if (!std::isfinite(value)) return "is not a finite number";
    return "";
}

std::string quotedExcerpt(std::string_view text) {
    std::string quoted = "\"" + printableName(text) + "\"";
    if (text.size() > PRINTABLE_NAME_BYTES)
        quoted += " (" + std::to_string(text.size()) + " bytes)";
    return quoted;
}

std::string numberProblem(std::string_view text) {
    const std::string problem = floatTextProblem(text);
    std::string message = "bad number " + quotedExcerpt(text);
    if (!problem.empty() && problem != "is not a number") message += ": it " + problem;
    return message;
}
