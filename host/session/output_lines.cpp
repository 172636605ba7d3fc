#include "session/output_lines.h"

void OutputLines::add(const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n') {
            sink_(pending_);
            pending_.clear();
            continue;
        }
        if (c == '\r') continue;
        pending_ += (c < 0x20 && c != '\t') || c == 0x7f ? '?' : static_cast<char>(c);
        if (pending_.size() == OUTPUT_LINE_MAX) {
            sink_(pending_);
            pending_.clear();
        }
    }
}

void OutputLines::finish() {
    if (!pending_.empty()) sink_(pending_);
    pending_.clear();
}
