#include "render/light_styles.h"
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

constexpr double STEPS_PER_SECOND = 10.0;
constexpr char NORMAL = 'm';

// By style number, as the light page numbers them.
const char* const PATTERNS[] = {
    "m",
    "mmnmmommommnonmmonqnmmo",
    "abcdefghijklmnopqrstuvwxyzyxwvutsrqponmlkjihgfedcba",
    "mmmmmaaaaammmmmaaaaaabcdefgabcdefg",
    "mamamamamama",
    "jklmnopqrstuvwxyzyxwvutsrqponmlkj",
    "nmonqnmomnmomomno",
    "mmmaaaabcdefgmmmmaaaammmaamm",
    "mmmaaammmaaammmabcdefaaaammmmabcdefmmmaaaa",
    "aaaaaaaazzzzzzzz",
    "mmamammmmammamamaaamammma",
    "abcdefghijklmnopqrrqponmlkjihgfedcba",
};
constexpr int PATTERN_COUNT = static_cast<int>(sizeof PATTERNS / sizeof PATTERNS[0]);

const char* pattern(int style) {
    return style >= 0 && style < PATTERN_COUNT ? PATTERNS[style] : "m";
}

}  // namespace

char lightStyleLetter(int style, double seconds) {
    const char* steps = pattern(style);
    const double step = std::floor(seconds * STEPS_PER_SECOND);
    return steps[static_cast<size_t>(std::fmod(step, static_cast<double>(std::strlen(steps))))];
}

float letterBrightness(char letter) {
    return static_cast<float>(letter - 'a') / static_cast<float>(NORMAL - 'a');
}

bool lightStyleVaries(int style) {
    const std::string_view steps = pattern(style);
    return steps.find_first_not_of(steps.front()) != std::string_view::npos;
}
