#include "key_value_text.h"
#include <cstring>

namespace {
constexpr char separator = '|';
}

int composeKeyValueText(const char* const cells[keyValueCellCount], char* text, size_t textSize) {
    if (textSize == 0) return 0;
    text[0] = '\0';
    size_t length = 0;
    for (int cell = 0; cell < keyValueCellCount; ++cell) {
        const size_t cellLength = std::strlen(cells[cell]);
        if (length + cellLength + 1 > textSize - 1) return cell;
        std::memcpy(text + length, cells[cell], cellLength);
        length += cellLength;
        text[length++] = separator;
        text[length] = '\0';
    }
    return keyValueCellCount;
}

int splitKeyValueText(const char* text, size_t textSize,
                      char pieces[keyValueCellCount][keyValueCellSize]) {
    const size_t end = strnlen(text, textSize);
    size_t position = 0;
    int count = 0;
    while (count < keyValueCellCount) {
        const void* bar = std::memchr(text + position, separator, end - position);
        if (!bar) break;
        const size_t barAt = static_cast<const char*>(bar) - text;
        size_t pieceLength = barAt - position;
        if (pieceLength > keyValueCellSize - 1) pieceLength = keyValueCellSize - 1;
        std::memset(pieces[count], 0, keyValueCellSize);
        std::memcpy(pieces[count], text + position, pieceLength);
        position = barAt + 1;
        ++count;
    }
    return count;
}
