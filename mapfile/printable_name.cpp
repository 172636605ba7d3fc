#include "printable_name.h"
#include <cstdio>

std::string printableName(std::string_view name) {
    const size_t shown = utf8Prefix(name, PRINTABLE_NAME_BYTES);
    std::string text;
    text.reserve(shown + 3);
    for (size_t i = 0; i < shown; ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += name[i];
        }
    }
    if (shown < name.size()) text += "...";
    return text;
}

size_t utf8Prefix(std::string_view text, size_t most) {
    if (text.size() <= most) return text.size();
    const auto continues = [&](size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    // A character is at most four bytes: text that is no UTF-8 is cut where asked.
    size_t cut = most;
    while (cut > 0 && most - cut < 3 && continues(cut)) --cut;
    return continues(cut) ? most : cut;
}
