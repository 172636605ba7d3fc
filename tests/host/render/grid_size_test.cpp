#include <gtest/gtest.h>
#include "render/grid_size.h"

TEST(GridSize, TakesPowersOfTwoFrom1To256AndStepsWithinThem) {
    EXPECT_EQ(GridSize::choices(), (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 256}));
    GridSize grid;
    for (int refused : {0, -16, 10, 12, 512}) EXPECT_FALSE(grid.set(refused)) << refused;
    EXPECT_EQ(grid.units(), 16) << "kept through refusals";
    const struct {
        int from;
        void (GridSize::*step)();
        int to;
    } steps[] = {
        {16, &GridSize::twice, 32},
        {256, &GridSize::twice, 256},
        {16, &GridSize::halve, 8},
        {1, &GridSize::halve, 1},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(grid.set(s.from));
        (grid.*s.step)();
        EXPECT_EQ(grid.units(), s.to) << s.from;
    }
}
