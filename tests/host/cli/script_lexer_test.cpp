// Words and numbers of a host script line.
#include <gtest/gtest.h>
#include "cli/script_lexer.h"

namespace {

struct Split {
    const char* line;
    std::vector<std::string> words;
};

TEST(ScriptLexer, SplitsOnBlanksKeepsQuotedWordsAndDropsComments) {
    const Split cases[] = {
        {"create Door at 1 2 3", {"create", "Door", "at", "1", "2", "3"}},
        {"  set \"Target Name\"   vault  ", {"set", "Target Name", "vault"}},
        {"set Message \"a # is kept\" # but this goes", {"set", "Message", "a # is kept"}},
        {"set \"Key 1\" \"\"", {"set", "Key 1", ""}},
        {"list# at once", {"list"}},
        {"\t# only a comment", {}},
        {"", {}},
        {"save level.vxs\r", {"save", "level.vxs"}},
    };
    for (const Split& c : cases) {
        std::vector<std::string> words;
        std::string error;
        EXPECT_TRUE(splitScriptLine(c.line, words, error)) << c.line;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST(ScriptLexer, AnUnclosedQuoteIsAnError) {
    std::vector<std::string> words;
    std::string error;
    EXPECT_FALSE(splitScriptLine("set Message \"open", words, error));
    EXPECT_EQ(error, "unclosed quote");
}

TEST(ScriptLexer, NumbersMustBeWholeWords) {
    float f = 0;
    int i = 0;
    EXPECT_TRUE(parseFloatWord("-12.5", f));
    EXPECT_EQ(f, -12.5f);
    EXPECT_TRUE(parseFloatWord("1e2", f));
    EXPECT_EQ(f, 100.0f);
    for (const char* bad : {"", "12x", "zero", "1.5.2", "nan", "inf", "1e999", " 1"})
        EXPECT_FALSE(parseFloatWord(bad, f)) << bad;
    EXPECT_TRUE(parseIntWord("-7", i));
    EXPECT_EQ(i, -7);
    for (const char* bad : {"", "7.0", "3000000000", "x1", "\t7"})
        EXPECT_FALSE(parseIntWord(bad, i)) << bad;
}

}  // namespace
