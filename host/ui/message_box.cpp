#include "ui/message_box.h"
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string boundedMessageText(const std::string& text) {
    const std::vector<std::string> lines = linesOf(text);
    // Past the limit, the last line says how many were left out.
    const size_t shown = lines.size() <= MESSAGE_MAX_LINES ? lines.size() : MESSAGE_MAX_LINES - 1;
    std::string bounded;
    for (size_t i = 0; i < shown; ++i) {
        std::string line = lines[i];
        if (line.size() > MESSAGE_MAX_LINE_CHARS)
            line = line.substr(0, MESSAGE_MAX_LINE_CHARS - 3) + "...";
        bounded += (i ? "\n" : "") + line;
    }
    if (shown < lines.size())
        bounded += "\n(" + std::to_string(lines.size() - shown) + " more lines not shown)";
    return bounded;
}

int showMessage(HWND owner, const std::string& text, const char* title, UINT flags) {
    return MessageBoxA(owner, boundedMessageText(text).c_str(), title, flags);
}
