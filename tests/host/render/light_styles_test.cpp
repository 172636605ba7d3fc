// The light styles' letters at given moments, each pattern read at a step of its own, and
// what a letter means in brightness.
#include <gtest/gtest.h>
#include "render/light_styles.h"

namespace {

struct StyleCase {
    int style;
    double seconds;  // half a step past a step's start, clear of rounding
    char letter;
    bool varies;
};

const StyleCase cases[] =
    {
        {0, 123.45, 'm', false},
        {1, 0.25, 'n', true},
        {2, 2.55, 'z', true},
        {3, 0.55, 'a', true},
        {4, 1.35, 'a', true},  // step 13 of 12: played again from the start
        {5, 1.65, 'z', true},
        {6, 0.45, 'q', true},
        {7, 0.75, 'b', true},
        {8, 2.05, 'f', true},
        {9, 2.45, 'z', true},  // step 24 of 16
        {10, 0.25, 'a', true},
        {11, 1.85, 'r', true},
        {12, 0.75, 'm', false},  // the styles the level switches stay steady
        {-1, 0.75, 'm', false},
        {4, 1e308, 'm', true},  // too late to count steps: the first step, not a stray read
};

TEST(LightStyles, EachStyleShowsItsPatternsLetterAtTenStepsASecond) {
    for (const StyleCase& c : cases) {
        EXPECT_EQ(lightStyleLetter(c.style, c.seconds), c.letter) << "style " << c.style;
        EXPECT_EQ(lightStyleVaries(c.style), c.varies) << "style " << c.style;
    }
}

TEST(LightStyles, ALetterIsDarkAtANormalAtMAndAboutDoubleAtZ) {
    EXPECT_EQ(letterBrightness('a'), 0.0f);
    EXPECT_EQ(letterBrightness('m'), 1.0f);
    EXPECT_FLOAT_EQ(letterBrightness('z'), 25.0f / 12.0f);
}

}  // namespace
