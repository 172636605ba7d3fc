// The picture size the command line and scripts both read: "WIDTHxHEIGHT".
#include <gtest/gtest.h>
#include "cli/image_size.h"

namespace {

TEST(ImageSize, PictureSizesAreStrictWidthByHeightFrom16To8192) {
    const struct {
        const char* word;
        int width, height;  // 0: refused
    } cases[] = {
        {"800x600", 800, 600}, {"16x8192", 16, 8192}, {"15x100", 0, 0},   {"100x8193", 0, 0},
        {"800x600junk", 0, 0}, {"800X600", 0, 0},     {"x600", 0, 0},     {"800x", 0, 0},
        {" 800x600", 0, 0},    {"10by10", 0, 0},      {"80.5x600", 0, 0}, {"-800x600", 0, 0},
    };
    for (const auto& c : cases) {
        int width = 0, height = 0;
        const bool taken = parseImageSize(c.word, width, height);
        EXPECT_EQ(taken, c.width != 0) << c.word;
        if (taken) {
            EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.width, c.height)) << c.word;
        }
    }
}

}  // namespace
