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
    const double length = static_cast<double>(std::strlen(steps));
    const double step = std::fmod(std::floor(seconds * STEPS_PER_SECOND), length);
    // A time too large to count steps in (or before the start) shows the first step.
    if (!(step >= 0 && step < length)) return steps[0];
    return steps[static_cast<size_t>(step)];
}

float letterBrightness(char letter) {
    return static_cast<float>(letter - 'a') / static_cast<float>(NORMAL - 'a');
}

bool lightStyleVaries(int style) {
    const std::string_view steps = pattern(style);
    return steps.find_first_not_of(steps.front()) != std::string_view::npos;
}
