#include "scene/printable_name.h"
#include <cstdio>

std::string printableName(const std::string& name) {
    const size_t shown = name.size() > PRINTABLE_NAME_BYTES ? PRINTABLE_NAME_BYTES : name.size();
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
