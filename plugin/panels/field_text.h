// A fixed-size text field of the property record as a terminated string. A record loaded
// from a file may hold a field without a terminator; such a field ends at its array's end.
#pragma once
#include <cstddef>
#include <cstring>

template <size_t N>
class FieldText {
public:
    explicit FieldText(const char (&field)[N]) {
        const size_t length = strnlen(field, N);
        std::memcpy(text_, field, length);
        text_[length] = '\0';
    }
    const char* c_str() const { return text_; }

private:
    char text_[N + 1];
};
