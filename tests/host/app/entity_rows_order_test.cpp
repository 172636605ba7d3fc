// The entity list's order of names: numbers as numbers, letters in any case.
#include <gtest/gtest.h>
#include <algorithm>
#include "app/entity_rows.h"

namespace {

TEST(EntityRowsOrder, NamesSortNaturallyInAnyCase) {
    const std::vector<std::string> expected = {
        "door",      "Door1",   "door02",  "door2", "door10", "door100", "entity 2",
        "entity 10", "light_a", "Light_B", "x9y",   "x9y1",   "x10"};
    std::vector<std::string> names = expected;
    for (int round = 0; round < 3; ++round) {
        std::rotate(names.begin(), names.begin() + 5, names.end());
        std::reverse(names.begin(), names.end());
        std::sort(names.begin(), names.end(), rowOrder);
        EXPECT_EQ(names, expected);
    }
    EXPECT_FALSE(rowOrder("a", "a"));
}

}  // namespace
