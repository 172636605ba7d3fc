#include "name_comment.h"
#include <cstdio>

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool plainLineGivesBack(const std::string& name, const std::string& targetName) {
    if (name.empty() || name.front() == '"' || isBlank(name.front()) || isBlank(name.back()))
        return false;
    if (!targetName.empty() && targetName != name) return false;
    for (const char c : name)
        if (isControl(static_cast<unsigned char>(c))) return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string nameComment(const std::string& name, const std::string& targetName) {
    if (plainLineGivesBack(name, targetName)) return name;
    std::string quoted = "\"";
    for (const char c : name) {
        if (isControl(static_cast<unsigned char>(c))) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
            quoted += escaped;
        } else {
            if (c == '\\') quoted += '\\';
            quoted += c;
        }
    }
    return quoted + '"';
}

bool readQuotedName(std::string_view comment, std::string& name) {
    if (comment.size() < 2 || comment.front() != '"' || comment.back() != '"') return false;
    const std::string_view inner = comment.substr(1, comment.size() - 2);
    std::string read;
    for (size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] != '\\') {
            read += inner[i];
        } else if (i + 1 < inner.size() && inner[i + 1] == '\\') {
            read += '\\';
            ++i;
        } else if (i + 3 < inner.size() && inner[i + 1] == 'x' && hexDigit(inner[i + 2]) >= 0 &&
                   hexDigit(inner[i + 3]) >= 0) {
            read += static_cast<char>(hexDigit(inner[i + 2]) * 16 + hexDigit(inner[i + 3]));
            i += 3;
        } else {
            return false;
        }
    }
    name = std::move(read);
    return true;
}
