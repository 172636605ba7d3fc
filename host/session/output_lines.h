// A child program's output cut into lines for a log: bytes arrive in pieces of any size,
// and a line is handed on once its end has come. What is not text (NUL and other control
// bytes) shows as '?', a carriage return ends nothing, and a line that never ends is cut
// into pieces of a bounded length.
#pragma once
#include <functional>
#include <string>

constexpr size_t OUTPUT_LINE_MAX = 4000;

using LineSink = std::function<void(const std::string& line)>;

class OutputLines {
public:
    explicit OutputLines(LineSink sink) : sink_(std::move(sink)) {}
    void add(const char* bytes, size_t count);
    // The last line, when the output ended without a line break.
    void finish();

private:
    LineSink sink_;
    std::string pending_;
};
