// The module's string loader: one buffer for every text, null where no text is.
#include <gtest/gtest.h>
#include "resources/resource_strings.h"

namespace {

TEST(ResourceStrings, ShareOneBufferAndAnswerNullForMissingIds) {
    const char* first = loadResourceString(4);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "VexalEntity");
    const char* second = loadResourceString(2);
    EXPECT_EQ(second, first);
    EXPECT_STREQ(first, "Vexal");  // the first text is overwritten
    EXPECT_EQ(loadResourceString(1), nullptr);
    EXPECT_EQ(loadResourceString(6), nullptr);
    EXPECT_EQ(loadResourceString(23), nullptr);
}

TEST(ResourceStrings, NullBeforeTheModuleHandleIsKnown) {
    HINSTANCE saved = moduleInstance;
    moduleInstance = nullptr;
    EXPECT_EQ(loadResourceString(4), nullptr);
    moduleInstance = saved;
}

}  // namespace
