#include "dialog_template_checks.h"
#include <gtest/gtest.h>
#include <string>

void expectPage(const DialogTemplate& page, uint32_t style, int cx, int cy) {
    EXPECT_EQ(page.style, style);
    EXPECT_EQ(page.exStyle, 0u);
    EXPECT_EQ(page.x, 0);
    EXPECT_EQ(page.y, 0);
    EXPECT_EQ(page.cx, cx);
    EXPECT_EQ(page.cy, cy);
    EXPECT_EQ(page.caption, "");
    EXPECT_EQ(page.menu, "");
    EXPECT_EQ(page.className, "");
    EXPECT_EQ(page.pointSize, 8);
    EXPECT_EQ(page.fontName, "MS Sans Serif");
}

void expectItems(const DialogTemplate& page, const std::vector<ExpectedItem>& expected) {
    ASSERT_EQ(page.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItem& got = page.items[i];
        const ExpectedItem& want = expected[i];
        SCOPED_TRACE(testing::Message() << "template item " << i + 1 << ", id " << want.id);
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(got.className, want.className);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
    }
}
