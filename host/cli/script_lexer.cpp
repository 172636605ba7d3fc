#include "cli/script_lexer.h"
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

bool splitScriptLine(const std::string& text, std::vector<std::string>& words, std::string& error) {
    words.clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string::npos) {
                error = "unclosed quote";
                return false;
            }
            words.push_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            size_t end = i;
            while (end < n && text[end] != ' ' && text[end] != '\t' && text[end] != '\r' &&
                   text[end] != '\n' && text[end] != '#')
                ++end;
            words.push_back(text.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

namespace {

// strtod and strtol skip leading blanks; a word that starts with one is no number.
bool startsAsNumber(const std::string& word) {
    return !word.empty() && !std::isspace(static_cast<unsigned char>(word[0]));
}

}  // namespace

bool parseFloatWord(const std::string& word, float& value) {
    if (!startsAsNumber(word)) return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(word.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(v)) return false;
    value = static_cast<float>(v);
    return std::isfinite(value);
}

bool parseIntWord(const std::string& word, int& value) {
    if (!startsAsNumber(word)) return false;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int>(v);
    return true;
}
