#include "cli/image_size.h"
#include "cli/script_lexer.h"

namespace {

constexpr int SMALLEST = 16;
constexpr int LARGEST = 8192;

bool side(const std::string& word, int& value) {
    return parseIntWord(word, value) && value >= SMALLEST && value <= LARGEST;
}

}  // namespace

bool parseImageSize(const std::string& word, int& width, int& height) {
    const size_t x = word.find('x');
    return x != std::string::npos && side(word.substr(0, x), width) &&
           side(word.substr(x + 1), height);
}

std::string imageSizeError(const std::string& word) {
    return "bad size \"" + word + "\"; give WIDTHxHEIGHT, " + std::to_string(SMALLEST) + " to " +
           std::to_string(LARGEST) + " each";
}
